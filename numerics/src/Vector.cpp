// TVector: storage, resizing with preserved values, fill and copy.
#include <qyx/QYX_vector.h>

#include <algorithm>
#include <new>
#include <stdexcept>

namespace qyx {

TVector::TVector(int N) {
    SetVecSize(N);
}

void TVector::SetVecSize(int N) {
    try {
        FData.resize(static_cast<size_t>(std::max(N, 0)), 0.0);
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory("Class TVector: not enough memory on heap");
    } catch (const std::length_error&) {
        throw EOutOfMemory("Class TVector: not enough memory on heap");
    }
}

void TVector::Fill(double Value) {
    std::fill(FData.begin(), FData.end(), Value);
}

void TVector::Clone(const TVector* Source) {
    if (Source == nullptr || Source == this) return;
    FData = Source->FData;
}

void TVector::Assign(const TPersistent* Source) {
    if (const auto* v = dynamic_cast<const TVector*>(Source)) {
        Clone(v);
        return;
    }
    TPersistent::Assign(Source);
}

} // namespace qyx
