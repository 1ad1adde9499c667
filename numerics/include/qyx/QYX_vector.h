// Unit QYX_vector: a vector of doubles addressed from 1.
#pragma once

#include <vector>

#include <qyx/platform/Object.h>

namespace qyx {

/// A vector of doubles with elements 1 .. N. Reading outside gives 0, writing outside is ignored.
/// Created without owner; the caller deletes it.
class TVector : public TPersistent {
public:
    /// An empty vector (0 elements).
    TVector() = default;
    /// A vector of N zeros.
    explicit TVector(int N);

    /// Changes the number of elements; existing elements keep their values, new ones are 0.
    /// A negative size is taken as 0. Raises EOutOfMemory when the elements cannot be allocated.
    void SetVecSize(int N);
    int GetNrOfElem() const { return static_cast<int>(FData.size()); }

    /// Element I (1-based); 0 outside the vector.
    double GetVal(int I) const { return InRange(I) ? FData[static_cast<size_t>(I - 1)] : 0.0; }
    /// Stores Value as element I; ignored outside the vector.
    void SetVal(int I, double Value) {
        if (InRange(I)) FData[static_cast<size_t>(I - 1)] = Value;
    }
    bool InRange(int I) const { return I >= 1 && I <= GetNrOfElem(); }
    /// Sets every element to Value.
    void Fill(double Value);
    /// Makes this vector a copy of Source; a null Source leaves it unchanged.
    void Clone(const TVector* Source);
    /// Assign from another TVector is Clone; other sources raise EConvertError.
    void Assign(const TPersistent* Source) override;

    /// The elements, element 1 first.
    const double* Data() const { return FData.data(); }
    double* Data() { return FData.data(); }

private:
    std::vector<double> FData;
};

} // namespace qyx
