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
//   scale and convergence need.
// - The conformal latitude chi and back are the trigonometric series in n to
//   n^6 (Karney 2011, eqs. 7-9 summed as in C. F. F. Karney, "On auxiliary
//   latitudes", Survey Review 56 (2024); the same coefficients as PROJ's
//   Poder/Engsager tmerc), good to the last bit and free of the iteration
//   that the closed form's inverse needs. sinh and cosh of 2 eta' follow from
//   tanh eta' = cos chi sin lambda, and sin and cos of 2 xi' from those of
//   xi', so a point costs five library functions either way.
// - Near the poles the angles are carried as the co-latitude, exact in
//   degrees, so an 85-degree latitude loses 0.01 nm to rounding, not 1.4 nm.
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
// chi - phi (geodetic to conformal) and phi - chi (back), the same way.
constexpr double kToConformal[6][6] = {
    {-2.0, 2.0 / 3, 4.0 / 3, -82.0 / 45, 32.0 / 45, 4642.0 / 4725},
    {5.0 / 3, -16.0 / 15, -13.0 / 9, 904.0 / 315, -1522.0 / 945, 0},
    {-26.0 / 15, 34.0 / 21, 8.0 / 5, -12686.0 / 2835, 0, 0},
    {1237.0 / 630, -12.0 / 5, -24832.0 / 14175, 0, 0, 0},
    {-734.0 / 315, 109598.0 / 31185, 0, 0, 0, 0},
    {444337.0 / 155925, 0, 0, 0, 0, 0},
};
constexpr double kFromConformal[6][6] = {
    {2.0, -2.0 / 3, -2.0, 116.0 / 45, 26.0 / 45, -2854.0 / 675},
    {7.0 / 3, -8.0 / 5, -227.0 / 45, 2704.0 / 315, 2323.0 / 945, 0},
    {56.0 / 15, -136.0 / 35, -1262.0 / 105, 73814.0 / 2835, 0, 0},
    {4279.0 / 630, -332.0 / 35, -399572.0 / 14175, 0, 0, 0},
    {4174.0 / 315, -144838.0 / 6237, 0, 0, 0, 0},
    {601676.0 / 22275, 0, 0, 0, 0, 0},
};

std::array<double, 7> seriesIn(const double (&c)[6][6], double n)
{
    std::array<double, 7> out{};
    double nj = n;
    for (std::size_t j = 1; j <= 6; ++j) {
        double v = 0.0;
        for (int k = 5; k >= 0; --k) v = v * n + c[j - 1][k];
        out[j] = nj * v;
        nj *= n;
    }
    return out;
}

// sum c_j sin 2j x for real x, from sin 2x and cos 2x (Clenshaw).
double realSines(const std::array<double, 7>& c, double s2, double c2)
{
    const double a = 2.0 * c2;
    double y0 = 0.0;
    double y1 = 0.0;
    for (std::size_t j = 6; j >= 1; --j) {
        const double y = a * y0 - y1 + c[j];
        y1 = y0;
        y0 = y;
    }
    return s2 * y0;
}

// sin, cos of an angle in degrees: past 45 degrees from the co-angle, so the
// small cosine near a pole keeps its relative precision.
struct SinCos {
    double s;
    double c;
};
SinCos sinCosDegrees(double degrees)
{
    if (std::fabs(degrees) <= 45.0) {
        const double r = degrees * kDegreesToRadians;
        return {std::sin(r), std::cos(r)};
    }
    const double r = (90.0 - std::fabs(degrees)) * kDegreesToRadians;
    return {std::copysign(std::cos(r), degrees), std::sin(r)};
}

// The angle of (s, c), c >= 0, in degrees: past 45 degrees from the co-angle.
double degreesOf(double s, double c)
{
    if (std::fabs(s) <= c) return std::atan2(s, c) * kRadiansToDegrees;
    return std::copysign(90.0 - std::atan2(c, std::fabs(s)) * kRadiansToDegrees, s);
}

// sum c_j sin 2j zeta and 1 + sum 2j c_j cos 2j zeta (its derivative, when
// asked) for zeta = xi + i eta, from sin 2xi, cos 2xi, sinh 2eta, cosh 2eta.
struct ComplexSums {
    std::complex<double> sines;
    std::complex<double> derivative;
};
ComplexSums complexSines(const std::array<double, 7>& c, double s2, double c2, double sh2, double ch2,
                         bool derivative)
{
    // Complex products written out: std::complex's own guards against
    // infinities (Annex G) cost a third of the forward's time, and the
    // values here are finite.
    const double ar = 2.0 * c2 * ch2;  // 2 cos 2 zeta
    const double ai = -2.0 * s2 * sh2;
    double y0r = 0.0, y0i = 0.0, y1r = 0.0, y1i = 0.0;
    double z0r = 0.0, z0i = 0.0, z1r = 0.0, z1i = 0.0;
    for (std::size_t j = 6; j >= 1; --j) {
        const double yr = ar * y0r - ai * y0i - y1r + c[j];
        const double yi = ar * y0i + ai * y0r - y1i;
        y1r = y0r;
        y1i = y0i;
        y0r = yr;
        y0i = yi;
        if (derivative) {
            const double zr = ar * z0r - ai * z0i - z1r + 2.0 * static_cast<double>(j) * c[j];
            const double zi = ar * z0i + ai * z0r - z1i;
            z1r = z0r;
            z1i = z0i;
            z0r = zr;
            z0i = zi;
        }
    }
    // sin 2 zeta times b1.
    const double sr = s2 * ch2;
    const double si = c2 * sh2;
    ComplexSums sums;
    sums.sines = {sr * y0r - si * y0i, sr * y0i + si * y0r};
    if (derivative) {
        sums.derivative = {1.0 + (ar * z0r - ai * z0i) / 2.0 - z1r, (ar * z0i + ai * z0r) / 2.0 - z1i};
    }
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
    alpha_ = seriesIn(kAlpha, n);
    beta_ = seriesIn(kBeta, n);
    toConformal_ = seriesIn(kToConformal, n);
    fromConformal_ = seriesIn(kFromConformal, n);
    lambda0_ = zone.CentralMeridian * kDegreesToRadians;
    // On the central meridian eta' = 0 and xi' = chi.
    const Conformal c = conformal(zone.CentralMeridian, zone.LatitudeOfOrigin);
    y0_ = c.xi + complexSines(alpha_, c.s2, c.c2, 0.0, 1.0, false).sines.real();
}

KruegerTm::Conformal KruegerTm::conformal(double longitude, double latitude) const
{
    const SinCos phi = sinCosDegrees(latitude);
    const double delta = realSines(toConformal_, 2.0 * phi.s * phi.c, (phi.c - phi.s) * (phi.c + phi.s));
    // |delta| < 0.0068 on Earth's ellipsoids: there the Taylor terms left out
    // are below 1e-19; a flatter ellipsoid from the table takes the library's.
    const double d2 = delta * delta;
    const bool small = std::fabs(delta) < 0.03;
    const double sd = small ? delta * (1.0 - d2 / 6.0 * (1.0 - d2 / 20.0 * (1.0 - d2 / 42.0 * (1.0 - d2 / 72.0))))
                            : std::sin(delta);
    const double cd = small ? 1.0 - d2 / 2.0 * (1.0 - d2 / 12.0 * (1.0 - d2 / 30.0 * (1.0 - d2 / 56.0 * (1.0 - d2 / 90.0))))
                            : std::cos(delta);
    Conformal c{};
    c.sinPhi = phi.s;
    c.cosPhi = phi.c;
    c.sinChi = phi.s * cd + phi.c * sd;
    c.cosChi = phi.c * cd - phi.s * sd;
    const double degrees = longitude - zone_.CentralMeridian;
    const double lambda = (degrees >= -180.0 && degrees < 180.0) ? longitude * kDegreesToRadians - lambda0_
                                                                  : LongitudeDifference(longitude, zone_.CentralMeridian);
    c.sinLambda = std::sin(lambda);
    c.cosLambda = std::cos(lambda);
    // Gauss-Schreiber: tanh eta' = cos chi sin lambda, tan xi' = tan chi / cos lambda.
    const double x = c.cosChi * c.sinLambda;
    // Both terms are at most 1: no overflow for hypot to guard against.
    const double r = std::sqrt(c.sinChi * c.sinChi + c.cosChi * c.cosLambda * c.cosChi * c.cosLambda);  // sech eta'
    const double sxi = c.sinChi / r;
    const double cxi = c.cosChi * c.cosLambda / r;
    c.xi = std::atan2(c.sinChi, c.cosChi * c.cosLambda);
    const double ex2 = (1.0 + x) / (1.0 - x);  // e^(2 eta')
    c.eta = 0.5 * std::log(ex2);
    c.s2 = 2.0 * sxi * cxi;
    c.c2 = (cxi - sxi) * (cxi + sxi);
    c.sh2 = 2.0 * x / (r * r);         // sinh 2 eta' = 2 tanh / sech^2
    c.ch2 = (1.0 + x * x) / (r * r);   // cosh 2 eta' = (1 + tanh^2) / sech^2
    return c;
}

GridPoint KruegerTm::Forward(double longitude, double latitude) const
{
    const Conformal c = conformal(longitude, latitude);
    const std::complex<double> sum = complexSines(alpha_, c.s2, c.c2, c.sh2, c.ch2, false).sines;
    return {zone_.FalseEasting + k0A_ * (c.eta + sum.imag()),
            zone_.FalseNorthing + k0A_ * ((c.xi - y0_) + sum.real())};
}

GeoPoint KruegerTm::Inverse(double easting, double northing) const
{
    const double xi = (northing - zone_.FalseNorthing) / k0A_ + y0_;
    const double eta = (easting - zone_.FalseEasting) / k0A_;
    const double ex = std::exp(2.0 * eta);
    const std::complex<double> sum = complexSines(beta_, std::sin(2.0 * xi), std::cos(2.0 * xi),
                                                  (ex - 1.0 / ex) / 2.0, (ex + 1.0 / ex) / 2.0, false)
                                         .sines;
    const double xip = xi - sum.real();
    const double etap = eta - sum.imag();
    const double sxi = std::sin(xip);
    const double cxi = std::cos(xip);
    const double exp1 = std::exp(etap);
    const double shEta = (exp1 - 1.0 / exp1) / 2.0;
    const double chEta = (exp1 + 1.0 / exp1) / 2.0;
    // sin chi = sin xi' / cosh eta', cos chi = hypot(sinh eta', cos xi') / cosh eta'.
    const double sinChi = sxi / chEta;
    const double cosChi = std::sqrt(shEta * shEta + cxi * cxi) / chEta;
    const double delta =
        realSines(fromConformal_, 2.0 * sinChi * cosChi, (cosChi - sinChi) * (cosChi + sinChi));
    const double lambda = std::atan2(shEta, cxi);
    return {NormalizeLongitude(zone_.CentralMeridian + lambda * kRadiansToDegrees),
            degreesOf(sinChi, cosChi) + delta * kRadiansToDegrees};
}

PointFactors KruegerTm::Factors(double longitude, double latitude) const
{
    const Conformal c = conformal(longitude, latitude);
    const std::complex<double> z = complexSines(alpha_, c.s2, c.c2, c.sh2, c.ch2, true).derivative;
    // The sphere's convergence and scale (Karney 2011, eqs. 23-24 with
    // tau' = tan chi), then the series' own (eqs. 25-28).
    const double gammap = std::atan2(c.sinLambda * c.sinChi, c.cosLambda);
    // cos chi / cos phi, which at a pole is 0 / 0 and tends to exp(e atanh e).
    const double ratio = c.cosPhi == 0.0 ? std::exp(e_ * std::atanh(e_)) : c.cosChi / c.cosPhi;
    const double kp = std::sqrt(1.0 - (1.0 - e2m_) * c.sinPhi * c.sinPhi) * ratio /
                      std::hypot(c.sinChi, c.cosChi * c.cosLambda);
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
