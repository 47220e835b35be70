// Hotine oblique Mercator, variant A (EPSG method 9812), after IOGP
// Guidance Note 7-2, "Coordinate Conversions and Transformations including
// Formulas", section on the Hotine oblique Mercator: the constants B, A, t0,
// D, F, H, G, gamma0 and lambda0, the forward through t, Q, S, T, V, U to
// (u, v), and the reverse through Q', S', T', V', U', t' and the conformal
// latitude chi. Scale factor after J. P. Snyder, "Map Projections: A Working
// Manual" (1987), eq. 9-32.
//
// Valid for the whole ellipsoid away from the two points where the initial
// line's great circle of the aposphere runs through its poles; the mapping is
// exact (conformal, no series) except the latitude from chi.
//
// Departures from the guidance note:
// - The latitude from chi: the note's series in e to e^8 is followed by one
//   Newton step on t(phi) = t', so the reverse is the forward's inverse to the
//   last bit rather than to some micrometres.
// - The convergence is the bearing of the meridian's image, from the
//   derivatives of u and v along the meridian in closed form.
// - lambda - lambda0 is brought into [-180, 180) degrees first.
//
// Legend: phi latitude, lambda longitude; alphac azimuth of the initial line
// at the centre; gammac the angle from the rectified to the skew grid; (u, v)
// the coordinates along and across the initial line from the natural origin.

#include "geodesy/HotineOm.hpp"

#include "geodesy/Angles.hpp"

#include <cmath>

namespace kartoval {

HotineOm::HotineOm(const EllipsoidParams& ellipsoid, const OmParams& zone)
    : zone_(zone), a_(ellipsoid.SemiMajorAxis), e_(ellipsoid.Eccentricity), e2_(e_ * e_)
{
    const double phic = zone.CentreLatitude * kDegreesToRadians;
    const double sinPhic = std::sin(phic);
    const double cosPhic = std::cos(phic);
    const double w = 1.0 - e2_ * sinPhic * sinPhic;
    B_ = std::sqrt(1.0 + e2_ * std::pow(cosPhic, 4) / (1.0 - e2_));
    A_ = a_ * B_ * zone.ScaleFactor * std::sqrt(1.0 - e2_) / w;
    const double t0 = tOf(phic);
    const double D = B_ * std::sqrt(1.0 - e2_) / (cosPhic * std::sqrt(w));
    // D < 1 only by rounding (at the equator): take D^2 - 1 as nought there.
    const double D2m1 = std::fmax(D * D - 1.0, 0.0);
    const double F = D + std::sqrt(D2m1) * (phic < 0.0 ? -1.0 : 1.0);
    H_ = F * std::pow(t0, B_);
    const double G = (F - 1.0 / F) / 2.0;
    gamma0_ = std::asin(std::sin(zone.Azimuth * kDegreesToRadians) / D);
    sinGamma0_ = std::sin(gamma0_);
    cosGamma0_ = std::cos(gamma0_);
    const double gammac = zone.RectifiedToSkewAngle * kDegreesToRadians;
    sinGammaC_ = std::sin(gammac);
    cosGammaC_ = std::cos(gammac);
    lambda0Degrees_ = zone.CentreLongitude - std::asin(G * std::tan(gamma0_)) / B_ * kRadiansToDegrees;
}

double HotineOm::tOf(double phi) const
{
    const double es = e_ * std::sin(phi);
    return std::tan(kPi / 4.0 - phi / 2.0) / std::pow((1.0 - es) / (1.0 + es), e_ / 2.0);
}

HotineOm::Skew HotineOm::skew(double longitude, double latitude) const
{
    Skew k{};
    const double Q = H_ / std::pow(tOf(latitude * kDegreesToRadians), B_);
    k.S = (Q - 1.0 / Q) / 2.0;
    k.T = (Q + 1.0 / Q) / 2.0;
    const double Bl = B_ * LongitudeDifference(longitude, lambda0Degrees_);
    k.V = std::sin(Bl);
    k.cosBl = std::cos(Bl);
    k.U = (-k.V * cosGamma0_ + k.S * sinGamma0_) / k.T;
    k.v = A_ * std::log((1.0 - k.U) / (1.0 + k.U)) / (2.0 * B_);
    k.u = A_ * std::atan2(k.S * cosGamma0_ + k.V * sinGamma0_, k.cosBl) / B_;
    return k;
}

GridPoint HotineOm::Forward(double longitude, double latitude) const
{
    const Skew k = skew(longitude, latitude);
    return {k.v * cosGammaC_ + k.u * sinGammaC_ + zone_.FalseEasting,
            k.u * cosGammaC_ - k.v * sinGammaC_ + zone_.FalseNorthing};
}

GeoPoint HotineOm::Inverse(double easting, double northing) const
{
    const double dE = easting - zone_.FalseEasting;
    const double dN = northing - zone_.FalseNorthing;
    const double vp = dE * cosGammaC_ - dN * sinGammaC_;
    const double up = dN * cosGammaC_ + dE * sinGammaC_;
    const double Qp = std::exp(-B_ * vp / A_);
    const double Sp = (Qp - 1.0 / Qp) / 2.0;
    const double Tp = (Qp + 1.0 / Qp) / 2.0;
    const double Vp = std::sin(B_ * up / A_);
    const double Up = (Vp * cosGamma0_ + Sp * sinGamma0_) / Tp;
    const double tp = std::pow(H_ / std::sqrt((1.0 + Up) / (1.0 - Up)), 1.0 / B_);
    const double chi = kPi / 2.0 - 2.0 * std::atan(tp);
    const double e4 = e2_ * e2_;
    const double e6 = e4 * e2_;
    const double e8 = e4 * e4;
    double phi = chi + std::sin(2.0 * chi) * (e2_ / 2.0 + 5.0 * e4 / 24.0 + e6 / 12.0 + 13.0 * e8 / 360.0) +
                 std::sin(4.0 * chi) * (7.0 * e4 / 48.0 + 29.0 * e6 / 240.0 + 811.0 * e8 / 11520.0) +
                 std::sin(6.0 * chi) * (7.0 * e6 / 120.0 + 81.0 * e8 / 1120.0) +
                 std::sin(8.0 * chi) * (4279.0 * e8 / 161280.0);
    // dt/dphi = -t (1 - e^2) / ((1 - e^2 sin^2 phi) cos phi).
    const double s = std::sin(phi);
    const double t = tOf(phi);
    phi += (t - tp) * (1.0 - e2_ * s * s) * std::cos(phi) / (t * (1.0 - e2_));
    const double lambda = -std::atan2(Sp * cosGamma0_ - Vp * sinGamma0_, std::cos(B_ * up / A_)) / B_;
    return {NormalizeLongitude(lambda0Degrees_ + lambda * kRadiansToDegrees), phi * kRadiansToDegrees};
}

PointFactors HotineOm::Factors(double longitude, double latitude) const
{
    const Skew k = skew(longitude, latitude);
    const double phi = latitude * kDegreesToRadians;
    const double s = std::sin(phi);
    const double scale =
        A_ * std::cos(B_ * k.u / A_) * std::sqrt(1.0 - e2_ * s * s) / (a_ * std::cos(phi) * k.cosBl);
    // Northward along the meridian ln Q grows; d/d(ln Q) of v and u, each
    // without the common factor A / B.
    const double dU = (sinGamma0_ + k.V * k.S * cosGamma0_) / (k.T * k.T);
    const double dv = -dU / (1.0 - k.U * k.U);
    const double X = k.S * cosGamma0_ + k.V * sinGamma0_;
    const double du = k.cosBl * k.T * cosGamma0_ / (X * X + k.cosBl * k.cosBl);
    const double dE = dv * cosGammaC_ + du * sinGammaC_;
    const double dN = du * cosGammaC_ - dv * sinGammaC_;
    return {scale, std::atan2(-dE, dN) * kRadiansToDegrees};
}

}  // namespace kartoval
