// The numerics library on real data: Kepler's third law fitted to the planets' orbits, and a table
// of European capitals sorted by latitude with their great-circle distances from London.
#include <cmath>
#include <cstdio>
#include <string>

#include <qyx/QYX_datatable.h>
#include <qyx/QYX_math1.h>
#include <qyx/QYX_math2.h>
#include <qyx/platform/CodePage.h>

using namespace qyx;

namespace {

struct TPlanet {
    const char* name;
    double axis;   // semi-major axis, astronomical units
    double period; // sidereal orbital period, years
};

const TPlanet Planets[] = {
    {"Mercury", 0.387, 0.241}, {"Venus", 0.723, 0.615},    {"Earth", 1.000, 1.000},
    {"Mars", 1.524, 1.881},    {"Jupiter", 5.203, 11.862}, {"Saturn", 9.537, 29.457},
    {"Uranus", 19.19, 84.01},  {"Neptune", 30.07, 164.8},
};

struct TCity {
    const char* name;
    double lat, lon; // degrees, north and east positive
};

const TCity Cities[] = {
    {"London", 51.5074, -0.1278}, {"Paris", 48.8566, 2.3522},   {"Vienna", 48.2082, 16.3738},
    {"Rome", 41.9028, 12.4964},   {"Madrid", 40.4168, -3.7038}, {"Oslo", 59.9139, 10.7522},
    {"Athens", 37.9838, 23.7275},
};

// Texts are code page 1252 (the degree sign is one byte); the terminal gets UTF-8.
std::string Lat(double v) {
    return Cp1252ToUtf8(DegreeToStr(std::fabs(v), dfDegMin, 1) + (v >= 0 ? " N" : " S"));
}
std::string Lon(double v) {
    return Cp1252ToUtf8(DegreeToStr(std::fabs(v), dfDegMin, 1) + (v >= 0 ? " E" : " W"));
}

void Kepler() {
    std::printf("Kepler's third law: ln T = k ln a + d, expected k = 1.5, d = 0\n");
    TCurveFit fit;
    TMatrix design(2, 8);
    TVector lnT(8), coef;
    int row = 0;
    for (const TPlanet& p : Planets) {
        fit.EnterStatValue(std::log(p.axis), std::log(p.period));
        ++row;
        design.SetVal(1, row, 1.0);
        design.SetVal(2, row, std::log(p.axis));
        lnT.SetVal(row, std::log(p.period));
    }
    double k = 0, d = 0, q = 0;
    fit.CalcLinFit(k, d, q);
    int n = 0;
    double s[8] = {};
    fit.CalcStatistics(n, s[1], s[2], s[3], s[4], s[5], s[6], s[7]);
    std::printf("  line fit of %d planets: k = %.4f, d = %.4f, R^2 = %.6f, correlation = %.6f\n", n, k, d, q,
                s[7]);
    if (MultiLinReg(&design, &lnT, &coef, nullptr))
        std::printf("  the same by regression on (1, ln a): d = %.4f, k = %.4f\n", coef.GetVal(1),
                    coef.GetVal(2));
    for (const TPlanet& p : Planets)
        std::printf("  %-8s a = %6.3f AU  T = %7.3f y  fitted %7.3f y\n", p.name, p.axis, p.period,
                    std::exp(d + k * std::log(p.axis)));
}

void Capitals() {
    const int n = static_cast<int>(std::size(Cities));
    TDataTable table(3, n);
    table.SetColName(1, "latitude");
    table.SetColName(2, "longitude");
    table.SetColName(3, "km from London");
    for (int i = 1; i <= n; ++i) {
        const TCity& c = Cities[i - 1];
        table.SetRowName(i, c.name);
        table.SetElem(1, i, c.lat);
        table.SetElem(2, i, c.lon);
        table.SetElem(3, i, SphereGreatCircleDist(6371.0, Cities[0].lat, Cities[0].lon, c.lat, c.lon));
    }
    int exchanges = 0;
    table.OnSortExchange = [&](TObject*, uint8_t, int, int, int, int) { ++exchanges; };
    table.SortRows(1, false, 1, 1, 3, n, true); // north to south, names travel with their rows

    std::printf("\nEuropean capitals, north to south (%d row exchanges), great-circle distance on a sphere "
                "of 6371 km\n",
                exchanges);
    for (int i = 1; i <= n; ++i)
        std::printf("  %-8s %-12s %-12s %8.0f km\n", table.GetRowName(i).c_str(),
                    Lat(table.GetElem(1, i)).c_str(), Lon(table.GetElem(2, i)).c_str(), table.GetElem(3, i));
}

} // namespace

int main() {
    Kepler();
    Capitals();
    return 0;
}
