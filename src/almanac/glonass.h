#pragma once
// GLONASS almanac records to and from the Kepler form of the listings and of Yuma text.

#include "almanac/records.h"

#include <optional>

namespace trix::almanac {

// Brings a finite angle in semicircles into (-1, 1]; the result equals that of subtracting
// (or adding) 2 until it lies there, computed in one exact step. Non-finite values stay.
double normalizeSemicircles(double v);

// The Kepler form of a GLONASS record whose day numbers count from `base` (the day before the
// leap cycle's first day, from the GPS epoch). An empty record gives an all-zero form.
KeplerAlmanac glonassToKepler(const GlonassAlmanac& g, double base);

// A GLONASS record from the Kepler form read from text, in the leap cycle of the record's own
// date; `base` receives that cycle. Nothing when week and time of applicability are both 0 or
// a result does not fit its single-precision field. The SV number comes from `k.word58`.
struct GlonassFromText {
    GlonassAlmanac record;
    double base = 0;
};
std::optional<GlonassFromText> keplerToGlonass(const KeplerAlmanac& k);

// True when `v` fits a single-precision field (NaN does not).
bool fitsSingle(double v);

} // namespace trix::almanac
