// Sunrise and sunset from the sun's position (the NOAA formulation of
// Meeus's algorithms), for the sun-times information file.
#pragma once

// Minutes after midnight UTC of sunrise and sunset on the date, where the
// sun's centre stands 0.833 degrees below the horizon (refraction and the
// sun's radius); latitude north and longitude east positive. 1 when the sun
// both rises and sets that day, else 0.
int SunEventsUtc(int year, int month, int day, double latitude, double longitude, double* rise, double* set);

// Offset of Spain's official time from UTC, in minutes, at the moment
// minutesUtc after midnight UTC of the date in 2007: 60 (CET), or 120 (CEST)
// from 25 March 01:00 UTC to 28 October 01:00 UTC.
int SpainOffsetMinutes2007(int month, int day, double minutesUtc);

struct LocalSunTimes {
  int Rise;  // minutes after local midnight, official time, rounded
  int Set;
};
constexpr double MadridLatitude = 40.4168;
constexpr double MadridLongitude = -3.7038;
// Sunrise and sunset in Madrid on the date of 2007, in official time.
LocalSunTimes MadridSunTimes2007(int month, int day);
