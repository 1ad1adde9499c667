// TCTab orientation by principal axes.
#include <cmath>

#include <qyx/QYX_cstruct.h>
#include <qyx/QYX_math2.h>
#include <qyx/QYX_matrix.h>

namespace qyx {

void TCTab::RotateWithPCA() {
    // The third column stays 0: the orientation follows X and Y alone.
    TMatrix m;
    m.Resize(3, FNAtoms);
    for (int i = 1; i <= FNAtoms; ++i) {
        m.SetVal(1, i, FAtoms[i].Coords[1]);
        m.SetVal(2, i, FAtoms[i].Coords[2]);
        m.SetVal(3, i, 0.0);
    }
    if (!CalcPrincComp(&m, 1, 3, 1, FNAtoms, 1)) return;
    for (int i = 1; i <= FNAtoms; ++i)
        for (int k = 1; k <= 3; ++k) {
            double sum = 0.0;
            for (int l = 1; l <= 3; ++l) sum += m.GetVal(l, i) * GetEigenResult(k, l);
            FAtoms[i].Coords[k] = static_cast<float>(std::nearbyint(sum));
        }
}

} // namespace qyx
