// Transverse Mercator by Krueger's series: L. Krueger, "Konforme Abbildung des
// Erdellipsoids in der Ebene" (1912), with the coefficients carried to sixth
// order in the third flattening n by C. F. F. Karney, "Transverse Mercator
// with an accuracy of a few nanometers", J. Geodesy 85 (2011) 475-485: the
// series alpha (eq. 35) and beta (eq. 36), the rectifying radius A (eq. 14),
// the conformal latitude (eqs. 7-9), scale and convergence (eqs. 23-28). The
// fourth-order form is EPSG Guidance Note 7-2's "Transverse Mercator" method.
//
// Valid and accurate: within 5 nm of the exact mapping (GeographicLib's
// TransverseMercatorExact) for points up to 35 degrees from the central
// meridian; the error grows as the eighth power of the distance past that.
//
// Departures from the paper:
// - The trigonometric series are summed by Clenshaw's recurrence on the
//   complex angle zeta' = xi' + i eta', which also gives the derivative that
//   scale and convergence need: one sin, cos, sinh and cosh a point instead of
//   twelve.
// - The geodetic latitude comes back from tan chi by Newton's method on
//   tau' = tau sqrt(1 + sigma^2) - sigma sqrt(1 + tau^2) (Karney 2011,
//   eqs. 7-9 and 19-21), which converges in two steps to the last bit.
// - lambda - lambda0 is brought into [-180, 180) degrees first, as the
//   classic series does, so 286.5 and -73.5 are the same point.
//
// Legend: phi latitude, lambda longitude from the central meridian (radians);
// tau = tan phi; tau' = tan chi, chi the conformal latitude; xi', eta' the
// spherical transverse Mercator of (chi, lambda); xi, eta the ellipsoidal ones,
// in units of the rectifying radius A; k0 the scale on the central meridian.

#include "geodesy/KruegerTm.hpp"

#include "geodesy/Angles.hpp"

#include <cmath>
#include <complex>

namespace kartoval {
namespace {

// Polynomials in n, lowest power first, of alpha_j (forward) and beta_j
// (inverse), each beginning at n^j (Karney 2011, eqs. 35 and 36).
constexpr double kAlpha[6][6] = {
    {1.0 / 2, -2.0 / 3, 5.0 / 16, 41.0 / 180, -127.0 / 288, 7891.0 / 37800},
    {13.0 / 48, -3.0 / 5, 557.0 / 1440, 281.0 / 630, -1983433.0 / 1935360, 0},
    {61.0 / 240, -103.0 / 140, 15061.0 / 26880, 167603.0 / 181440, 0, 0},
    {49561.0 / 161280, -179.0 / 168, 6601661.0 / 7257600, 0, 0, 0},
    {34729.0 / 80640, -3418889.0 / 1995840, 0, 0, 0, 0},
    {212378941.0 / 319334400, 0, 0, 0, 0, 0},
};
constexpr double kBeta[6][6] = {
    {1.0 / 2, -2.0 / 3, 37.0 / 96, -1.0 / 360, -81.0 / 512, 96199.0 / 604800},
    {1.0 / 48, 1.0 / 15, -437.0 / 1440, 46.0 / 105, -1118711.0 / 3870720, 0},
    {17.0 / 480, -37.0 / 840, -209.0 / 4480, 5569.0 / 90720, 0, 0},
    {4397.0 / 161280, -11.0 / 504, -830251.0 / 7257600, 0, 0, 0},
    {4583.0 / 161280, -108847.0 / 3991680, 0, 0, 0, 0},
    {20648693.0 / 638668800, 0, 0, 0, 0, 0},
};

// sum over j of c[j] n^(j-1), by Horner.
double horner(const double (&c)[6], double n)
{
    double v = 0.0;
    for (int j = 5; j >= 0; --j) v = v * n + c[j];
    return v;
}

// e atanh(e x), the part of the isometric latitude the ellipsoid adds.
double eAtanhE(double x, double e) { return e * std::atanh(e * x); }

// tan phi from degrees. Near the poles the co-latitude, exact in degrees, is
// turned into radians instead: a latitude of 85 degrees in radians carries a
// rounding of 1.4 nm on the ground, its co-latitude a hundredth of that.
double tanOfDegrees(double latitude)
{
    if (std::fabs(latitude) <= 45.0) return std::tan(latitude * kDegreesToRadians);
    return std::copysign(1.0 / std::tan((90.0 - std::fabs(latitude)) * kDegreesToRadians), latitude);
}

// Degrees from tan phi, the other way round for the same reason.
double degreesOfTan(double tau)
{
    if (std::fabs(tau) <= 1.0) return std::atan(tau) * kRadiansToDegrees;
    return std::copysign(90.0 - std::atan(1.0 / std::fabs(tau)) * kRadiansToDegrees, tau);
}

// tan chi from tan phi (Karney 2011, eqs. 7-9).
double taupOf(double tau, double e)
{
    const double tau1 = std::hypot(1.0, tau);
    const double sigma = std::sinh(eAtanhE(tau / tau1, e));
    return std::hypot(1.0, sigma) * tau - sigma * tau1;
}

// Both sums of the complex angle z: sum c_j sin 2j z, and its derivative
// 1 + sum 2j c_j cos 2j z, the latter only when `derivative`.
struct ClenshawSums {
    std::complex<double> sines;
    std::complex<double> derivative;
};

ClenshawSums clenshaw(const std::array<double, 7>& c, double xi, double eta, bool derivative)
{
    const double s = std::sin(2.0 * xi);
    const double co = std::cos(2.0 * xi);
    const double ex = std::exp(2.0 * eta);
    const double sh = (ex - 1.0 / ex) / 2.0;
    const double ch = (ex + 1.0 / ex) / 2.0;
    // 2 cos 2z and sin 2z of z = xi + i eta.
    const std::complex<double> a(2.0 * co * ch, -2.0 * s * sh);
    std::complex<double> y0, y1, z0, z1;
    for (int j = 6; j >= 1; --j) {
        const std::complex<double> y = a * y0 - y1 + c[static_cast<std::size_t>(j)];
        y1 = y0;
        y0 = y;
        if (derivative) {
            const std::complex<double> z = a * z0 - z1 + 2.0 * j * c[static_cast<std::size_t>(j)];
            z1 = z0;
            z0 = z;
        }
    }
    ClenshawSums sums;
    sums.sines = std::complex<double>(s * ch, co * sh) * y0;
    if (derivative) sums.derivative = 1.0 + (a / 2.0 * z0 - z1);
    return sums;
}

}  // namespace

KruegerTm::KruegerTm(const EllipsoidParams& ellipsoid, const TmParams& zone)
    : zone_(zone), e_(ellipsoid.Eccentricity)
{
    const double e2 = e_ * e_;
    e2m_ = 1.0 - e2;
    const double b = std::sqrt(e2m_);  // b / a
    const double n = (1.0 - b) / (1.0 + b);
    const double n2 = n * n;
    // A = a / (1 + n) (1 + n^2/4 + n^4/64 + n^6/256).
    const double A = ellipsoid.SemiMajorAxis / (1.0 + n) * (1.0 + n2 * (1.0 / 4 + n2 * (1.0 / 64 + n2 / 256)));
    k0A_ = zone.ScaleFactor * A;
    k0AOverA_ = zone.ScaleFactor * A / ellipsoid.SemiMajorAxis;
    double nj = n;
    for (std::size_t j = 1; j <= 6; ++j) {
        alpha_[j] = nj * horner(kAlpha[j - 1], n);
        beta_[j] = nj * horner(kBeta[j - 1], n);
        nj *= n;
    }
    lambda0_ = zone.CentralMeridian * kDegreesToRadians;
    // On the central meridian eta' = 0 and xi' = chi.
    const double chi0 = std::atan(taupOf(tanOfDegrees(zone.LatitudeOfOrigin), e_));
    y0_ = chi0 + clenshaw(alpha_, chi0, 0.0, false).sines.real();
}

KruegerTm::Conformal KruegerTm::conformal(double longitude, double latitude) const
{
    const double degrees = longitude - zone_.CentralMeridian;
    const double lambda = (degrees >= -180.0 && degrees < 180.0) ? longitude * kDegreesToRadians - lambda0_
                                                                  : LongitudeDifference(longitude, zone_.CentralMeridian);
    Conformal c{};
    c.tau = tanOfDegrees(latitude);
    c.taup = taupOf(c.tau, e_);
    c.cosLambda = std::cos(lambda);
    c.sinLambda = std::sin(lambda);
    c.xi = std::atan2(c.taup, c.cosLambda);
    c.eta = std::asinh(c.sinLambda / std::hypot(c.taup, c.cosLambda));
    return c;
}

GridPoint KruegerTm::Forward(double longitude, double latitude) const
{
    const Conformal c = conformal(longitude, latitude);
    const std::complex<double> zeta =
        std::complex<double>(c.xi, c.eta) + clenshaw(alpha_, c.xi, c.eta, false).sines;
    return {zone_.FalseEasting + k0A_ * zeta.imag(), zone_.FalseNorthing + k0A_ * (zeta.real() - y0_)};
}

double KruegerTm::tauOf(double taup) const
{
    // Newton's method from the spherical guess; d tau'/d tau =
    // (1 - e^2) sqrt(1 + tau'^2) sqrt(1 + tau^2) / (1 + (1 - e^2) tau^2).
    double tau = taup / e2m_;
    const double tolerance = 1.5e-9 * std::fmax(1.0, std::fabs(taup));
    for (int i = 0; i < 5; ++i) {
        const double taupa = taupOf(tau, e_);
        const double dtau = (taup - taupa) * (1.0 + e2m_ * tau * tau) /
                            (e2m_ * std::hypot(1.0, tau) * std::hypot(1.0, taupa));
        tau += dtau;
        if (!(std::fabs(dtau) >= tolerance)) break;
    }
    return tau;
}

GeoPoint KruegerTm::Inverse(double easting, double northing) const
{
    const double xi = (northing - zone_.FalseNorthing) / k0A_ + y0_;
    const double eta = (easting - zone_.FalseEasting) / k0A_;
    const std::complex<double> zetap =
        std::complex<double>(xi, eta) - clenshaw(beta_, xi, eta, false).sines;
    const double xip = zetap.real();
    const double sinhEtap = std::sinh(zetap.imag());
    const double cosXip = std::cos(xip);
    const double taup = std::sin(xip) / std::hypot(sinhEtap, cosXip);
    const double lambda = std::atan2(sinhEtap, cosXip);
    return {NormalizeLongitude(zone_.CentralMeridian + lambda * kRadiansToDegrees), degreesOfTan(tauOf(taup))};
}

PointFactors KruegerTm::Factors(double longitude, double latitude) const
{
    const Conformal c = conformal(longitude, latitude);
    const std::complex<double> z = clenshaw(alpha_, c.xi, c.eta, true).derivative;
    // The sphere's convergence and scale, then the series' own (eqs. 23-28).
    const double gammap = std::atan2(c.sinLambda * c.taup, c.cosLambda * std::hypot(1.0, c.taup));
    const double kp = std::sqrt(e2m_ + (1.0 - e2m_) / (1.0 + c.tau * c.tau)) * std::hypot(1.0, c.tau) /
                      std::hypot(c.taup, c.cosLambda);
    const double gamma = gammap - std::atan2(z.imag(), z.real());
    return {k0AOverA_ * kp * std::abs(z), gamma * kRadiansToDegrees};
}

double KruegerTm::DistanceFromCentralMeridian(double longitude) const
{
    const double degrees = longitude - zone_.CentralMeridian;
    const double lambda = (degrees >= -180.0 && degrees < 180.0) ? longitude * kDegreesToRadians - lambda0_
                                                                  : LongitudeDifference(longitude, zone_.CentralMeridian);
    return std::fabs(lambda) * kRadiansToDegrees;
}

}  // namespace kartoval
