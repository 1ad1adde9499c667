// TCurveFit: line and parabola fits and the statistics of the collected pairs.
#include <qyx/QYX_math2.h>

#include <algorithm>
#include <cmath>

#include <Eigen/Dense>

namespace qyx {

namespace {

double Mean(const std::vector<double>& v) {
    double s = 0.0;
    for (double x : v) s += x;
    return v.empty() ? 0.0 : s / static_cast<double>(v.size());
}

bool Varies(const std::vector<double>& v) {
    return std::any_of(v.begin(), v.end(), [&](double x) { return x != v.front(); });
}

int DistinctCount(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return static_cast<int>(std::unique(v.begin(), v.end()) - v.begin());
}

// Centred sums of squares and products of the pairs.
struct TSums {
    double mx = 0, my = 0, sxx = 0, syy = 0, sxy = 0;
};

TSums CentredSums(const std::vector<double>& X, const std::vector<double>& Y) {
    TSums s;
    s.mx = Mean(X);
    s.my = Mean(Y);
    for (size_t i = 0; i < X.size(); ++i) {
        const double dx = X[i] - s.mx, dy = Y[i] - s.my;
        s.sxx += dx * dx;
        s.syy += dy * dy;
        s.sxy += dx * dy;
    }
    return s;
}

// Coefficient of determination from the residual and total sums of squares.
double Determination(double ssRes, double ssTot) {
    if (!(ssTot > 0.0)) return 1.0;
    return std::clamp(1.0 - ssRes / ssTot, 0.0, 1.0);
}

} // namespace

void TCurveFit::Init() {
    FX.clear();
    FY.clear();
}

void TCurveFit::EnterStatValue(double X, double Y) {
    if (!std::isfinite(X) || !std::isfinite(Y)) return;
    FX.push_back(X);
    FY.push_back(Y);
}

bool TCurveFit::CalcLinFit(double& K, double& D, double& Q) const {
    const TSums s = CentredSums(FX, FY);
    if (!Varies(FX)) {
        K = 0.0;
        D = s.my;
        Q = 0.0;
        return false;
    }
    K = s.sxy / s.sxx;
    D = s.my - K * s.mx;
    const double r = s.syy > 0.0 ? s.sxy / (std::sqrt(s.sxx) * std::sqrt(s.syy)) : 1.0;
    Q = std::clamp(r * r, 0.0, 1.0);
    return true;
}

bool TCurveFit::CalcParabolFit(double& A0, double& A1, double& A2, double& Q) const {
    const TSums s = CentredSums(FX, FY);
    A1 = A2 = Q = 0.0;
    A0 = s.my;
    if (DistinctCount(FX) < 3) return false;

    // Fit in t = (x - m) / w, which keeps the design well conditioned, then expand back to x.
    const double m = s.mx;
    double w = 0.0;
    for (double x : FX) w = std::max(w, std::fabs(x - m));
    const auto n = static_cast<Eigen::Index>(FX.size());
    Eigen::MatrixXd A(n, 3);
    Eigen::VectorXd y(n);
    for (Eigen::Index i = 0; i < n; ++i) {
        const double t = (FX[static_cast<size_t>(i)] - m) / w;
        A(i, 0) = 1.0;
        A(i, 1) = t;
        A(i, 2) = t * t;
        y(i) = FY[static_cast<size_t>(i)];
    }
    const Eigen::Vector3d b = A.colPivHouseholderQr().solve(y);
    if (!b.allFinite()) return false;
    A2 = b(2) / (w * w);
    A1 = b(1) / w - 2.0 * b(2) * m / (w * w);
    A0 = b(0) - b(1) * m / w + b(2) * m * m / (w * w);
    Q = Determination((y - A * b).squaredNorm(), s.syy);
    return true;
}

void TCurveFit::CalcStatistics(int& N, double& S1, double& S2, double& S3, double& S4, double& S5, double& S6,
                               double& S7) const {
    const TSums s = CentredSums(FX, FY);
    N = GetNumData();
    S1 = s.mx;
    S2 = s.my;
    S3 = S4 = S5 = S6 = S7 = 0.0;
    if (N >= 1) {
        double sq = 0.0;
        for (size_t i = 0; i < FX.size(); ++i) sq += (FY[i] - FX[i]) * (FY[i] - FX[i]);
        S6 = std::sqrt(sq / N);
    }
    if (N < 2) return;
    S3 = std::sqrt(s.sxx / (N - 1));
    S4 = std::sqrt(s.syy / (N - 1));
    S5 = s.sxy / (N - 1);
    if (Varies(FX) && Varies(FY)) S7 = std::clamp(s.sxy / (std::sqrt(s.sxx) * std::sqrt(s.syy)), -1.0, 1.0);
}

} // namespace qyx
