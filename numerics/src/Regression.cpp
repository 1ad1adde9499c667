// Multiple linear regression through a rank-revealing QR decomposition.
#include <qyx/QYX_math2.h>

#include <Eigen/Dense>

namespace qyx {

namespace {

// A pivot smaller than this fraction of the largest counts as zero. The columns are scaled to unit
// length first, so the test does not depend on the units of the variables.
constexpr double RankThreshold = 1e-12;

} // namespace

bool MultiLinReg(const TMatrix* InMat, const TVector* InVec, TVector* OutVec1, TVector* OutVec2) {
    if (InMat == nullptr || InVec == nullptr || OutVec1 == nullptr) return false;
    const int rows = InMat->GetNrOfRows(), cols = InMat->GetNrOfColumns();
    if (rows == 0 || cols == 0 || InVec->GetNrOfElem() != rows) return false;

    const Eigen::Map<const Eigen::MatrixXd> A(InMat->Data(), rows, cols);
    const Eigen::Map<const Eigen::VectorXd> b(InVec->Data(), rows);
    if (!A.allFinite() || !b.allFinite()) return false;
    const Eigen::VectorXd norms = A.colwise().norm().transpose();
    if (!norms.allFinite() || (norms.array() == 0.0).any()) return false;

    Eigen::ColPivHouseholderQR<Eigen::MatrixXd> qr(A * norms.cwiseInverse().asDiagonal());
    qr.setThreshold(RankThreshold);
    if (qr.rank() < cols) return false;
    const Eigen::VectorXd c = qr.solve(b).cwiseQuotient(norms);
    if (!c.allFinite()) return false;

    OutVec1->SetVecSize(cols);
    Eigen::Map<Eigen::VectorXd>(OutVec1->Data(), cols) = c;
    if (OutVec2 != nullptr) {
        OutVec2->SetVecSize(rows);
        Eigen::Map<Eigen::VectorXd>(OutVec2->Data(), rows) = b - A * c;
    }
    return true;
}

} // namespace qyx
