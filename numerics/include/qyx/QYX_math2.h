// Unit QYX_math2: statistics of pairs with line and parabola fits, multiple linear regression, and
// principal components.
#pragma once

#include <vector>

#include <qyx/QYX_matrix.h>
#include <qyx/QYX_vector.h>

namespace qyx {

/// Collects (X, Y) pairs and fits curves through them or describes them by statistics.
/// Created without owner; the caller deletes it.
class TCurveFit : public TObject {
public:
    /// Empties the collector.
    void Init();
    /// Adds the pair (X, Y); a pair with a NaN or infinite value is ignored.
    void EnterStatValue(double X, double Y);
    /// Number of pairs collected.
    int GetNumData() const { return static_cast<int>(FX.size()); }

    /// Least-squares line Y = K*X + D. Q is the coefficient of determination (1 for a perfect fit).
    /// Needs two different X values; otherwise the result is false, K = 0, D = the mean of Y (0
    /// without pairs) and Q = 0.
    bool CalcLinFit(double& K, double& D, double& Q) const;
    /// Least-squares parabola Y = A0 + A1*X + A2*X^2, Q as for the line. Needs three different X
    /// values; otherwise the result is false, A1 = A2 = 0, A0 = the mean of Y (0 without pairs), Q = 0.
    bool CalcParabolFit(double& A0, double& A1, double& A2, double& Q) const;

    /// Statistics of the pairs: N the number of pairs; S1, S2 the means of X and Y; S3, S4 their
    /// standard deviations (divisor N - 1); S5 the covariance of X and Y (divisor N - 1); S6 the root
    /// mean square of Y - X (how far the pairs lie from Y = X, in their own unit); S7 the correlation
    /// coefficient of X and Y (-1 .. 1). Quantities that need more pairs than there are (two for
    /// S3 to S5 and S7), and S7 when X or Y does not vary, are 0.
    void CalcStatistics(int& N, double& S1, double& S2, double& S3, double& S4, double& S5, double& S6,
                        double& S7) const;

private:
    std::vector<double> FX;
    std::vector<double> FY;
};

/// Least squares of InVec on the columns of InMat, without a constant term: finds c minimising
/// |InMat * c - InVec| (rows are observations, columns the variables). On success the result is true,
/// OutVec1 holds the NrOfColumns coefficients and OutVec2 (may be null) the NrOfRows residuals
/// InVec - InMat * c. The result is false, and both outputs stay as they were, when the design is
/// rank-deficient (collinear columns, fewer rows than columns), empty, holds a NaN or an infinity, or
/// when InVec does not have one element per row or a pointer is null. InMat and InVec are not changed.
bool MultiLinReg(const TMatrix* InMat, const TVector* InVec, TVector* OutVec1, TVector* OutVec2);

/// Principal components of the variables in columns FirstCol .. LastCol over rows FirstRow .. LastRow.
/// Mode 1 uses the covariance matrix: the block of the matrix is centred (column means subtracted).
/// Mode 2 uses the correlation matrix: the block is centred and divided by each column's standard
/// deviation (a column that does not vary becomes 0). Components are ordered by decreasing variance;
/// the axes form a proper rotation (determinant +1) with each axis's weight of its own variable
/// non-negative where that allows.
class TPrincComp : public TObject {
public:
    /// Computes the components and transforms the block of Mat as described. False, with Mat unchanged
    /// and no components, for a null matrix, a range outside it, fewer than two rows, a value that is
    /// NaN or infinite, or another Mode. Raises EOutOfMemory when the work space cannot be allocated.
    bool Calc(TMatrix* Mat, int FirstCol, int LastCol, int FirstRow, int LastRow, int Mode);
    /// Number of variables (and components) of the last successful calculation, else 0.
    int GetNrOfVars() const { return FNVars; }
    /// The weight of variable K (1 = FirstCol) in component I (1 = largest variance); 0 outside.
    double GetEigenResult(int I, int K) const;
    /// The variance along component I (its eigenvalue); 0 outside.
    double GetEigenValue(int I) const;

private:
    bool Compute(TMatrix* Mat, int FirstCol, int LastCol, int FirstRow, int LastRow, int Mode);

    int FNVars = 0;
    std::vector<double> FVectors; // component I, variable K at (I-1)*FNVars + (K-1)
    std::vector<double> FValues;
};

/// TPrincComp::Calc on the one process-wide result that GetEigenResult reads.
bool CalcPrincComp(TMatrix* Mat, int FirstCol, int LastCol, int FirstRow, int LastRow, int Mode);
/// The weight of variable K in component I of the last CalcPrincComp (0 outside or before).
double GetEigenResult(int I, int K);

} // namespace qyx
