// Swapping, the Bernoulli draw, great-circle distance, and sorting and insertion in short arrays.
#include <qyx/QYX_math1.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include <qyx/platform/Random.h>

namespace qyx {

namespace {

template <typename T> void InsertAt(std::span<T> Data, T Value, int Index) {
    if (Index < 0 || static_cast<size_t>(Index) >= Data.size()) return;
    std::copy_backward(Data.begin() + Index, Data.end() - 1, Data.end());
    Data[static_cast<size_t>(Index)] = Value;
}

template <typename T> void SortSpan(std::span<T> Data, bool Ascending) {
    if (Ascending)
        std::sort(Data.begin(), Data.end());
    else
        std::sort(Data.begin(), Data.end(), std::greater<T>());
}

} // namespace

double SphereGreatCircleDist(double R, double Lat1, double Long1, double Lat2, double Long2) {
    constexpr double rad = std::numbers::pi / 180.0;
    const double p1 = Lat1 * rad, p2 = Lat2 * rad, dl = (Long2 - Long1) * rad;
    const double num = std::hypot(std::cos(p2) * std::sin(dl),
                                  std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl));
    const double den = std::sin(p1) * std::sin(p2) + std::cos(p1) * std::cos(p2) * std::cos(dl);
    return R * std::atan2(num, den);
}

void ExChange(int& A, int& B) {
    std::swap(A, B);
}
void ExChange(double& A, double& B) {
    std::swap(A, B);
}

bool BRandom(double P) {
    if (!(P > 0.0)) return false;
    if (P >= 1.0) return true;
    return Random() < P;
}

void SortArray(std::span<int> Data, bool Ascending) {
    SortSpan(Data, Ascending);
}
void SortArray(std::span<double> Data, bool Ascending) {
    SortSpan(Data, Ascending);
}

void SortArray(std::span<int> Data, int LastIndex, bool Ascending) {
    const auto count = static_cast<size_t>(std::clamp<int64_t>(int64_t{LastIndex} + 1, 0, Data.size()));
    SortSpan(Data.first(count), Ascending);
}

int SortIntoArray(std::span<double> Data, double Value, bool Ascending, bool AllowEqual) {
    if (Data.empty() || std::isnan(Value)) return -1;
    if (!AllowEqual && std::find(Data.begin(), Data.end(), Value) != Data.end()) return -1;
    const auto precedes = [Ascending](double a, double b) { return Ascending ? a < b : a > b; };
    size_t p = 0;
    while (p < Data.size() && !precedes(Value, Data[p])) ++p;
    if (p == Data.size()) return -1;
    InsertAt(Data, Value, static_cast<int>(p));
    return static_cast<int>(p);
}

void InsertIntoArray(std::span<int> Data, int Value, int Index) {
    InsertAt(Data, Value, Index);
}
void InsertIntoArray(std::span<double> Data, double Value, int Index) {
    InsertAt(Data, Value, Index);
}

} // namespace qyx
