#include "design/solar_model.h"

#include <algorithm>
#include <cmath>

namespace tarvel::solar {
namespace {

// The model's value of pi and the degree-to-radian factor derived from it.
constexpr double kPi = 3.14159265359;
constexpr double kRad = 0.017453292519944444;
// 2 pi / 365.25: the declination's angle per day.
constexpr double kDeclinationPerDay = 0.017202423838959615;
// Largest declination of the sun, degrees.
constexpr double kDeclinationAmplitude = 23.44;
// Day number of the spring equinox in the declination formula.
constexpr int kEquinoxDay = 80;
// Sun below the horizon at sunrise and sunset: 50 minutes of arc, radians.
constexpr double kSunriseDepression = 0.014544410433287037;
// 24 / pi: hours per radian of the sunset hour angle, both half days together.
constexpr double kHoursPerRadian = 7.639437268410473;
// 12 / pi.
constexpr double kTwelveOverPi = 3.8197186342052367;
// Phase of the yearly temperature wave: 105 degrees in radians.
constexpr double kTemperaturePhase = 1.8325957145941667;
// Temperature lapse rate, K per metre of altitude.
constexpr double kLapseRate = 0.0065;

constexpr int kMonthEnds[12] = {31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};

// The model is written for the northern hemisphere. South of the equator it runs on the mirror
// image: the absolute latitude with the declination negated, so the modules face north and the
// seasons come half a year apart.
struct Site {
    double latitude;        // degrees, the absolute latitude
    double declinationSign; // +1 north, -1 south
};

Site site(double latitudeDeg) {
    return {std::fabs(latitudeDeg), latitudeDeg < 0 ? -1.0 : 1.0};
}

double declination(int day) {
    return kDeclinationAmplitude * std::sin(kDeclinationPerDay * (day - kEquinoxDay));
}

DayTable declinations(const Site& s) {
    DayTable table = c();
    for (double& d : table)
        d *= s.declinationSign;
    return table;
}

DayTable dayLengths(const Site& s, const DayTable& delta) {
    const double phi = s.latitude * kRad;
    const double sinH0 = 2 * std::sin(kSunriseDepression / 2) * std::cos(kSunriseDepression / 2);
    DayTable hours{};
    for (int i = 0; i < kDaysPerYear; ++i) {
        const double d = delta[static_cast<std::size_t>(i)] * kRad;
        double x = std::tan(phi) * std::tan(d) + sinH0 / (std::cos(d) * std::cos(phi));
        // Beyond the polar circles the sun stays up or down all day.
        x = std::clamp(x, -1.0, 1.0);
        hours[static_cast<std::size_t>(i)] =
            12 + kHoursPerRadian * std::atan(x / std::sqrt(std::fabs(1 - x * x)));
    }
    return hours;
}

DayTable beamHours(const Site& s, const DayTable& delta, const DayTable& hours, int tiltDeg) {
    DayTable e{};
    for (std::size_t i = 0; i < e.size(); ++i)
        e[i] = std::sin((90 - s.latitude + delta[i] + tiltDeg) * kRad) * hours[i] * 2 / kPi;
    return e;
}

MonthTable monthSums(const DayTable& hours) {
    MonthTable sums{};
    int first = 1;
    for (int m = 0; m < 12; ++m) {
        double sum = 0;
        for (int day = first; day <= kMonthEnds[m]; ++day)
            sum += hours[static_cast<std::size_t>(day - 1)];
        sums[static_cast<std::size_t>(m)] = sum;
        first = kMonthEnds[m] + 1;
    }
    return sums;
}

// The monthly value per hour of daylight.
MonthTable hourFactors(const MonthTable& radiation, const DayTable& hours) {
    const MonthTable sums = monthSums(hours);
    MonthTable q{};
    for (std::size_t m = 0; m < 12; ++m)
        q[m] = sums[m] > 0 ? radiation[m] / sums[m] : 0.0; // a month without daylight yields nothing
    return q;
}

// The month index 0..11 of every day, computed once.
const std::array<std::size_t, kDaysPerYear>& dayMonths() {
    static const std::array<std::size_t, kDaysPerYear> months = [] {
        std::array<std::size_t, kDaysPerYear> table{};
        for (int day = 1; day <= kDaysPerYear; ++day)
            table[static_cast<std::size_t>(day - 1)] = static_cast<std::size_t>(month(day) - 1);
        return table;
    }();
    return months;
}

DayTable azimuthRatios(const Site& s, const DayTable& delta, const DayTable& hours, int tiltDeg,
                       int azimuthDeg) {
    const double phi = s.latitude * kRad;
    const double beta = tiltDeg * kRad;
    const double gamma = azimuthDeg * kRad;
    const double sinPhi = std::sin(phi), cosPhi = std::cos(phi);
    const double sinBeta = std::sin(beta), cosBeta = std::cos(beta), cosGamma = std::cos(gamma);
    const double s1 = sinPhi * cosBeta - cosPhi * sinBeta;
    const double s2 = sinPhi * cosBeta - cosPhi * sinBeta * cosGamma;
    DayTable ratios{};
    for (std::size_t i = 0; i < ratios.size(); ++i) {
        const double d = delta[i] * kRad;
        const double a = 2 * std::sin(d);
        const double w = 180 - (12 - hours[i] / 2) * 15; // sunset hour angle, degrees
        const double wr = w * kRad;
        const double b = 2 * std::cos(d) * std::sin(w * kRad);
        const double p1 = (b * (cosPhi * cosBeta + sinPhi * sinBeta) + a * wr * s1) * kTwelveOverPi;
        const double p2 =
            (b * (cosPhi * cosBeta + sinPhi * sinBeta * cosGamma) + a * wr * s2) * kTwelveOverPi;
        // Where the plane sees no sun facing the equator there is nothing to correct.
        ratios[i] = p1 == 0 ? 1.0 : p2 / p1;
    }
    return ratios;
}

MonthTable temperatures(double latitudeDeg, int heightM) {
    const double c1 = std::cos((latitudeDeg - 15) * kRad);
    const double c2 = std::cos((latitudeDeg - 8) * kRad);
    const double warm = 19.2398 * c1 * c1 + 12.47 * c1 - 4.1397;
    const double cold = 58.0056 * c2 * c2 + 7.3867 * c2 - 40.4216;
    const double mean = (warm + cold) / 2;
    const double amplitude = (warm - cold) / 2;
    MonthTable t{};
    for (int m = 1; m <= 12; ++m)
        t[static_cast<std::size_t>(m - 1)] =
            amplitude * std::sin(m / 12.0 * 2 * kPi - kTemperaturePhase) + mean - heightM * kLapseRate - 3;
    return t;
}

} // namespace

int month(int day) {
    int m = 0;
    while (m < 11 && day > kMonthEnds[m])
        ++m;
    return m + 1;
}

int firstDayOfMonth(int monthNumber) {
    return monthNumber == 1 ? 1 : kMonthEnds[monthNumber - 2] + 1;
}

int lastDayOfMonth(int monthNumber) {
    return kMonthEnds[monthNumber - 1];
}

DayTable c() {
    DayTable table{};
    for (int day = 1; day <= kDaysPerYear; ++day)
        table[static_cast<std::size_t>(day - 1)] = declination(day);
    return table;
}

DayTable D(double latitudeDeg) {
    const Site s = site(latitudeDeg);
    return dayLengths(s, declinations(s));
}

DayTable E(int tiltDeg, double latitudeDeg) {
    const Site s = site(latitudeDeg);
    const DayTable delta = declinations(s);
    return beamHours(s, delta, dayLengths(s, delta), tiltDeg);
}

double addResult_L(int firstDay, int lastDay, double latitudeDeg) {
    const DayTable hours = D(latitudeDeg);
    double sum = 0;
    for (int day = firstDay; day <= lastDay; ++day)
        sum += hours[static_cast<std::size_t>(day - 1)];
    return sum;
}

MonthTable L(double latitudeDeg) {
    return monthSums(D(latitudeDeg));
}

DayTable II(double latitudeDeg, int tiltDeg, int azimuthDeg) {
    const Site s = site(latitudeDeg);
    const DayTable delta = declinations(s);
    return azimuthRatios(s, delta, dayLengths(s, delta), tiltDeg, azimuthDeg);
}

MonthlyYields month_solar(double latitudeDeg, const MonthTable& radiation, int tiltDeg, int azimuthDeg) {
    const Site s = site(latitudeDeg);
    const DayTable delta = declinations(s);
    const DayTable hours = dayLengths(s, delta);
    const DayTable ratios = azimuthRatios(s, delta, hours, tiltDeg, azimuthDeg);
    const DayTable beam = beamHours(s, delta, hours, tiltDeg);
    const MonthTable q = hourFactors(radiation, hours);
    const auto& months = dayMonths();
    MonthlyYields result;
    for (std::size_t i = 0; i < beam.size(); ++i) {
        const double v = q[months[i]] * ratios[i] * beam[i];
        result.yields[months[i]] += v;
        result.total += v;
    }
    return result;
}

bool outsideModel(const MonthTable& yields) {
    return std::any_of(yields.begin(), yields.end(), [](double yield) { return yield < 0; });
}

int maxsun(double latitudeDeg, const MonthTable& radiation) {
    const Site s = site(latitudeDeg);
    const DayTable delta = declinations(s);
    const DayTable hours = dayLengths(s, delta);
    const MonthTable q = hourFactors(radiation, hours);
    const auto& months = dayMonths();
    double best = 0;
    int result = 0;
    for (int tilt = 1; tilt <= 90; ++tilt) {
        const DayTable beam = beamHours(s, delta, hours, tilt);
        double sum = 0;
        for (std::size_t i = 0; i < beam.size(); ++i)
            sum += q[months[i]] * beam[i];
        if (tilt == 1) {
            best = sum;
        } else if (best < sum) {
            best = sum;
            result = tilt;
        }
    }
    return result;
}

MonthTable month_temp_cha(double latitudeDeg, int heightM) {
    if (latitudeDeg >= 0)
        return temperatures(latitudeDeg, heightM);
    // South of the equator the year's temperatures come half a year later.
    const MonthTable north = temperatures(-latitudeDeg, heightM);
    MonthTable south{};
    for (std::size_t m = 0; m < 12; ++m)
        south[m] = north[(m + 6) % 12];
    return south;
}

} // namespace tarvel::solar
