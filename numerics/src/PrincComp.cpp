// Principal components from the symmetric eigenproblem of the covariance or correlation matrix.
#include <qyx/QYX_math2.h>

#include <cmath>
#include <new>

#include <Eigen/Dense>

namespace qyx {

namespace {

// Fixes the signs of the axes (rows of E): each axis's weight of its own variable becomes positive
// (an axis without such a weight turns its largest weight positive), and if the axes then form a
// reflection, the axis with the smallest own weight is reversed, so E is a proper rotation.
void NormaliseSigns(Eigen::MatrixXd& E) {
    constexpr double tiny = 1e-12;
    const Eigen::Index n = E.rows();
    for (Eigen::Index i = 0; i < n; ++i) {
        double lead = E(i, i);
        if (std::fabs(lead) <= tiny) {
            Eigen::Index k = 0;
            E.row(i).cwiseAbs().maxCoeff(&k);
            lead = E(i, k);
        }
        if (lead < 0) E.row(i) *= -1.0;
    }
    if (E.determinant() < 0) {
        Eigen::Index weakest = 0;
        for (Eigen::Index i = 1; i < n; ++i)
            if (std::fabs(E(i, i)) <= std::fabs(E(weakest, weakest))) weakest = i;
        E.row(weakest) *= -1.0;
    }
}

TPrincComp& SharedPrincComp() {
    static TPrincComp shared;
    return shared;
}

} // namespace

bool TPrincComp::Calc(TMatrix* Mat, int FirstCol, int LastCol, int FirstRow, int LastRow, int Mode) {
    try {
        return Compute(Mat, FirstCol, LastCol, FirstRow, LastRow, Mode);
    } catch (const std::bad_alloc&) {
        FNVars = 0;
        throw EOutOfMemory("Class TPrincComp: not enough memory on heap");
    }
}

bool TPrincComp::Compute(TMatrix* Mat, int FirstCol, int LastCol, int FirstRow, int LastRow, int Mode) {
    FNVars = 0;
    FVectors.clear();
    FValues.clear();
    if (Mat == nullptr || (Mode != 1 && Mode != 2)) return false;
    if (FirstCol < 1 || FirstCol > LastCol || LastCol > Mat->GetNrOfColumns()) return false;
    if (FirstRow < 1 || FirstRow >= LastRow || LastRow > Mat->GetNrOfRows()) return false;

    const int nv = LastCol - FirstCol + 1;
    const int n = LastRow - FirstRow + 1;
    Eigen::MatrixXd X(n, nv);
    for (int k = 0; k < nv; ++k)
        for (int i = 0; i < n; ++i) X(i, k) = Mat->GetVal(FirstCol + k, FirstRow + i);
    if (!X.allFinite()) return false;

    X.rowwise() -= X.colwise().mean();
    if (Mode == 2) {
        for (int k = 0; k < nv; ++k) {
            const double sd = std::sqrt(X.col(k).squaredNorm() / (n - 1));
            if (sd > 0.0)
                X.col(k) /= sd;
            else
                X.col(k).setZero();
        }
    }
    const Eigen::MatrixXd cov = (X.transpose() * X) / double(n - 1);
    if (!cov.allFinite()) return false;
    const Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> solver(cov);
    if (solver.info() != Eigen::Success) return false;

    // The solver orders eigenvalues ascending; component 1 is the largest.
    Eigen::MatrixXd E(nv, nv);
    Eigen::VectorXd values(nv);
    for (int i = 0; i < nv; ++i) {
        E.row(i) = solver.eigenvectors().col(nv - 1 - i).transpose();
        values(i) = solver.eigenvalues()(nv - 1 - i);
    }
    NormaliseSigns(E);

    for (int k = 0; k < nv; ++k)
        for (int i = 0; i < n; ++i) Mat->SetVal(FirstCol + k, FirstRow + i, X(i, k));
    FNVars = nv;
    FVectors.resize(static_cast<size_t>(nv) * nv);
    FValues.resize(static_cast<size_t>(nv));
    for (int i = 0; i < nv; ++i) {
        FValues[static_cast<size_t>(i)] = values(i);
        for (int k = 0; k < nv; ++k) FVectors[static_cast<size_t>(i) * nv + k] = E(i, k);
    }
    return true;
}

double TPrincComp::GetEigenResult(int I, int K) const {
    if (I < 1 || I > FNVars || K < 1 || K > FNVars) return 0.0;
    return FVectors[static_cast<size_t>(I - 1) * FNVars + (K - 1)];
}

double TPrincComp::GetEigenValue(int I) const {
    if (I < 1 || I > FNVars) return 0.0;
    return FValues[static_cast<size_t>(I - 1)];
}

bool CalcPrincComp(TMatrix* Mat, int FirstCol, int LastCol, int FirstRow, int LastRow, int Mode) {
    return SharedPrincComp().Calc(Mat, FirstCol, LastCol, FirstRow, LastRow, Mode);
}

double GetEigenResult(int I, int K) {
    return SharedPrincComp().GetEigenResult(I, K);
}

} // namespace qyx
