#pragma once
// The choices that both pages and the command line share: which grid family a
// point is written in, and which way it is converted.

namespace kartoval {

// The grid families of the "Choose your XY Projection" group.
enum class XyProjectionKind {
    UtmNorth,
    UtmSouth,
    Nad27,  // State Plane of 1927, US survey feet
    Nad83,  // State Plane of 1983, metres
};

// Degrees to grid or back: the single-point page names the directions
// DegreesToXy / XyToDegrees, the file page DegreesToUtm / UtmToDegrees; the
// pairs mean the same and compare equal.
enum class ConversionDirection {
    DegreesToXy,
    XyToDegrees,
    DegreesToUtm = DegreesToXy,
    UtmToDegrees = XyToDegrees,
};

[[nodiscard]] constexpr bool IsUtm(XyProjectionKind kind)
{
    return kind == XyProjectionKind::UtmNorth || kind == XyProjectionKind::UtmSouth;
}

}  // namespace kartoval
