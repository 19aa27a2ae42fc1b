#pragma once

#include "design/catalog_records.h"

#include <array>

// The solar resource and orientation model: a day-by-day calculation over a year of 365 days. The
// catalog's monthly value is spread over the days of its month in proportion to the beam hours of the
// tilted plane, with a correction for an azimuth away from the equator.
//
// Angles are degrees at the interface. Latitudes are signed (north positive); the modules face the
// equator in both hemispheres, and azimuth 0 means facing the equator.

namespace tarvel::solar {

// One value per day of the year, day n (1 = 1 January) at index n - 1; there is no leap day.
using DayTable = std::array<double, 365>;

inline constexpr int kDaysPerYear = 365;

// The month (1 to 12) of a day number 1 to 365.
int month(int day);
// First and last day number of a month 1 to 12.
int firstDayOfMonth(int monthNumber);
int lastDayOfMonth(int monthNumber);

// Declination of the sun for every day, degrees.
DayTable c();
// Hours of daylight for every day at a latitude (24 during a polar day, 0 during a polar night).
DayTable D(double latitudeDeg);
// Beam hours of a plane tilted by `tiltDeg` towards the equator, for every day.
DayTable E(int tiltDeg, double latitudeDeg);
// Sum of the day lengths of the days firstDay .. lastDay.
double addResult_L(int firstDay, int lastDay, double latitudeDeg);
// The twelve monthly sums of the day lengths.
MonthTable L(double latitudeDeg);
// Ratio of the daily weight at the azimuth to that facing the equator (1 for azimuth 0).
DayTable II(double latitudeDeg, int tiltDeg, int azimuthDeg);

struct MonthlyYields {
    MonthTable yields{}; // kWh per kWp for each month (the unit of the catalog's monthly values)
    double total = 0.0;  // their sum: the specific yield of the year
};

// The monthly yields on a plane of the given tilt and azimuth.
MonthlyYields month_solar(double latitudeDeg, const MonthTable& radiation, int tiltDeg, int azimuthDeg);

// True when a month's yield is negative. The azimuth correction then weighs days on which the plane
// faces away from the sun (steep planes turned east or west, near-vertical planes near the equator);
// the yields are still what the model gives, but they describe no real plane and are not to be
// trusted.
bool outsideModel(const MonthTable& yields);

// The tilt 0..90 whose plane collects the most over the year (azimuth does not enter). The smallest
// such tilt wins; 0 stands for "no tilt above 1 collects more than tilt 1".
int maxsun(double latitudeDeg, const MonthTable& radiation);

// Monthly mean temperatures (degrees C) of a latitude and an altitude in metres.
MonthTable month_temp_cha(double latitudeDeg, int heightM);

} // namespace tarvel::solar
