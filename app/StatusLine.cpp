#include "app/StatusLine.hpp"

#include "geodesy/TransverseMercator.hpp"
#include "toolkit/NumberText.hpp"
#include "toolkit/VisibleText.hpp"

#include <cmath>

namespace kartoval {
namespace {

constexpr int kSecondsDecimals = 2;
constexpr int kDegreesDecimals = 1;
constexpr double kMillimetre = 0.001;
constexpr double kCentimetre = 0.01;
constexpr double kMetre = 1.0;

// A length to expect, in the unit a surveyor would say it in.
std::string aboutLength(double metres)
{
    if (metres < kCentimetre) return std::to_string(std::lround(std::fmax(metres / kMillimetre, 1.0))) + " mm";
    if (metres < kMetre) return std::to_string(std::lround(metres / kCentimetre)) + " cm";
    return FixedToStr(metres, kDegreesDecimals) + " m";
}

std::string degrees(double value) { return FixedToStr(value, kDegreesDecimals) + " degrees"; }

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

// Which transverse Mercator converted, for the zones that are one.
std::string engineNote(const std::optional<TmEngine>& engine)
{
    return engine ? std::string("; ") + TmEngineName(*engine) : std::string();
}

std::string pointCount(int points) { return std::to_string(points) + (points == 1 ? " point" : " points"); }

}  // namespace

void RecordingMessages::ShowMessage(const std::string& text, const std::string& caption)
{
    last_ = firstLine(text);
    shown_.ShowMessage(text, caption);
}

bool RecordingMessages::AskYesNo(const std::string& text, const std::string& caption)
{
    return shown_.AskYesNo(text, caption);
}

std::string ZoneForStatus(XyProjectionKind family, int position, const std::string& tableName)
{
    switch (family) {
    case XyProjectionKind::UtmNorth: return "UTM zone " + std::to_string(position + 1) + " north";
    case XyProjectionKind::UtmSouth: return "UTM zone " + std::to_string(position + 1) + " south";
    case XyProjectionKind::Nad27: return "NAD27 " + tableName;
    case XyProjectionKind::Nad83: return "NAD83 " + tableName;
    }
    return tableName;
}

std::string ZoneTip(XyProjectionKind family, int position, const std::string& tableName,
                    const std::vector<ZoneCode>& codes)
{
    const std::string note = ZoneCodesNote(FindByZoneName(codes, family, tableName));
    const std::string zone = ZoneForStatus(family, position, tableName);
    return note.empty() ? zone : zone + " " + note;
}

std::string SingleStatus(const SinglePointResult& result, const std::string& zone)
{
    if (!result.Family) return "Rounded the boxes: no grid family is checked, so nothing was converted";
    std::string status = "Converted 1 point (" + zone + ", " + result.EllipsoidName + engineNote(result.Engine) + ")";
    // The series drifts from the exact mapping far from the meridian; the
    // result stays as computed, the user is told how far to trust it, before
    // what was done, so a narrow status bar cuts the routine part.
    const auto far = result.DegreesFromCentralMeridian;
    if (far && *far > kFarFromCentralMeridianDegrees) {
        status = degrees(*far) + " from the central meridian: expect errors of about " +
                 aboutLength(ExpectedTmSeriesError(*far)) + "; use the exact transverse Mercator. " + status;
    }
    // A point beyond its zone is the likelier mistake: it leads.
    if (result.OutsideNotice) return *result.OutsideNotice + ". " + status;
    return status;
}

std::string FileStatus(const FileRunSummary& summary)
{
    std::string status = "Converted " + pointCount(summary.Points) + " from " + VisibleText(summary.Input.filename().string()) +
                         " to " + VisibleText(summary.Output.filename().string()) + " in " +
                         FixedToStr(summary.Seconds, kSecondsDecimals) + " s" + engineNote(summary.Engine);
    if (summary.FarPoints > 0) {
        // The warning leads, as on the Single page.
        status = pointCount(summary.FarPoints) + " more than " + degrees(kFarFromCentralMeridianDegrees) +
                 " from the central meridian (up to " + degrees(summary.FarthestDegrees) +
                 ": expect errors up to about " + aboutLength(ExpectedTmSeriesError(summary.FarthestDegrees)) +
                 "; use the exact transverse Mercator). " + status;
    }
    return status;
}

std::string FailureStatus(const std::optional<std::string>& lastMessage)
{
    return lastMessage ? *lastMessage : std::string("Nothing converted");
}

}  // namespace kartoval
