#include "sun_times.h"

#include <cmath>

#include "calendar/dates.h"

static constexpr double Pi = 3.14159265358979323846;
static double Radians(double degrees) { return degrees * Pi / 180.0; }
static double Degrees(double radians) { return radians * 180.0 / Pi; }

namespace {
struct SolarPosition {
  double Declination;     // degrees
  double EquationOfTime;  // minutes, apparent minus mean solar time
};
}  // namespace

// The sun's declination and the equation of time at the Julian date.
static SolarPosition SunAt(double julianDate) {
  const double t = (julianDate - 2451545.0) / 36525.0;  // Julian centuries from J2000.0
  const double meanLongitude = std::fmod(280.46646 + t * (36000.76983 + t * 0.0003032), 360.0);
  const double meanAnomaly = 357.52911 + t * (35999.05029 - 0.0001537 * t);
  const double eccentricity = 0.016708634 - t * (0.000042037 + 0.0000001267 * t);
  const double m = Radians(meanAnomaly);
  const double centre = std::sin(m) * (1.914602 - t * (0.004817 + 0.000014 * t)) +
                        std::sin(2 * m) * (0.019993 - 0.000101 * t) + std::sin(3 * m) * 0.000289;
  const double omega = Radians(125.04 - 1934.136 * t);
  const double apparentLongitude = Radians(meanLongitude + centre - 0.00569 - 0.00478 * std::sin(omega));
  const double meanObliquity = 23.0 + (26.0 + (21.448 - t * (46.815 + t * (0.00059 - t * 0.001813))) / 60.0) / 60.0;
  const double obliquity = Radians(meanObliquity + 0.00256 * std::cos(omega));
  const double y = std::pow(std::tan(obliquity / 2), 2);
  const double l0 = Radians(meanLongitude);
  const double equation = y * std::sin(2 * l0) - 2 * eccentricity * std::sin(m) +
                          4 * eccentricity * y * std::sin(m) * std::cos(2 * l0) - 0.5 * y * y * std::sin(4 * l0) -
                          1.25 * eccentricity * eccentricity * std::sin(2 * m);
  return {Degrees(std::asin(std::sin(obliquity) * std::sin(apparentLongitude))), 4 * Degrees(equation)};
}

// The UTC minute of the event (-1 rise, +1 set) near the guess; 0 when the
// sun stays above or below the horizon.
static int EventMinute(double midnight, double latitude, double longitude, int sign, double* minute) {
  for (int pass = 0; pass < 3; ++pass) {  // the position at the event itself, refined
    const SolarPosition sun = SunAt(midnight + *minute / 1440.0);
    const double lat = Radians(latitude), dec = Radians(sun.Declination);
    const double cosHour = std::cos(Radians(90.833)) / (std::cos(lat) * std::cos(dec)) - std::tan(lat) * std::tan(dec);
    if (cosHour < -1 || cosHour > 1) return 0;
    *minute = 720 - 4 * longitude - sun.EquationOfTime + sign * 4 * Degrees(std::acos(cosHour));
  }
  return 1;
}

int SunEventsUtc(int year, int month, int day, double latitude, double longitude, double* rise, double* set) {
  const double midnight = JulianDayNumber(month, day, year) - 0.5;  // 0h UTC of the date
  *rise = *set = 720 - 4 * longitude;
  return EventMinute(midnight, latitude, longitude, -1, rise) && EventMinute(midnight, latitude, longitude, 1, set);
}

int SpainOffsetMinutes2007(int month, int day, double minutesUtc) {
  const int index = ToDayIndex(day, month);
  const int summerFrom = ToDayIndex(25, 3), summerTo = ToDayIndex(28, 10);  // at 01:00 UTC
  const bool summer = (index > summerFrom || (index == summerFrom && minutesUtc >= 60)) &&
                      (index < summerTo || (index == summerTo && minutesUtc < 60));
  return summer ? 120 : 60;
}

LocalSunTimes MadridSunTimes2007(int month, int day) {
  double rise = 0, set = 0;
  SunEventsUtc(DataYear, month, day, MadridLatitude, MadridLongitude, &rise, &set);
  return {static_cast<int>(std::lround(rise + SpainOffsetMinutes2007(month, day, rise))),
          static_cast<int>(std::lround(set + SpainOffsetMinutes2007(month, day, set)))};
}
