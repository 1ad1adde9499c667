// QYX_dstruct: the bit field TBitFld, the byte matrix TByteMatrix and the byte FIFO TFifo.
#include <qyx/QYX_dstruct.h>

#include <qyx/platform/Random.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <new>

namespace qyx {

namespace {

constexpr char kNoMemory[] = "not enough memory on heap";
constexpr char kFifoTooLarge[] = "FIFO structure too large";

uint8_t Combine(uint8_t X, uint8_t Y, TLogicOp Op) {
    switch (Op) {
    case loAND: return X & Y;
    case loOR: return X | Y;
    case loXOR: return X ^ Y;
    case loANDNot: return static_cast<uint8_t>(X & ~Y);
    case loORNot: return static_cast<uint8_t>(X | ~Y);
    case loXORNot: return static_cast<uint8_t>(X ^ ~Y);
    }
    return X;
}

// The mask of the lowest N + 1 bits of a byte (N = 0..7).
uint8_t LowBits(int N) {
    return static_cast<uint8_t>((2u << N) - 1);
}

} // namespace

// ---- TBitFld ---------------------------------------------------------------------------------------

TBitFld::TBitFld(TComponent* AOwner) : TComponent(AOwner) {
    try {
        FBits.assign(static_cast<size_t>(StoreBytes()), 0);
    } catch (const std::bad_alloc&) {
        RaiseComponentError<EQYXDStructError>(this, kNoMemory);
    }
}

void TBitFld::SetSize(int Value) {
    if (Value <= 0 || Value == FSize) return;
    try {
        if (Value > FSize) {
            // Byte-wise operations may have left bits above the old Size set; they become bits of the
            // field now and must start clear.
            const size_t last = static_cast<size_t>(FSize / 8);
            FBits[last] &= LowBits(FSize % 8);
            std::fill(FBits.begin() + static_cast<std::ptrdiff_t>(last) + 1, FBits.end(), 0);
        }
        FBits.resize(static_cast<size_t>(Value / 8 + 2), 0);
    } catch (const std::bad_alloc&) {
        RaiseComponentError<EQYXDStructError>(this, kNoMemory);
    }
    FSize = Value;
}

void TBitFld::Clear() {
    std::fill(FBits.begin(), FBits.end(), 0);
}

void TBitFld::SetBit(int Bit, bool State) {
    if (Bit < 0 || Bit > FSize) return;
    const uint8_t mask = static_cast<uint8_t>(1u << (Bit % 8));
    uint8_t& b = FBits[static_cast<size_t>(Bit / 8)];
    b = State ? static_cast<uint8_t>(b | mask) : static_cast<uint8_t>(b & ~mask);
}

void TBitFld::ToggleBit(int Bit) {
    if (Bit < 0 || Bit > FSize) return;
    FBits[static_cast<size_t>(Bit / 8)] ^= static_cast<uint8_t>(1u << (Bit % 8));
}

bool TBitFld::GetBit(int Bit) const {
    if (Bit < 0 || Bit > FSize) return false;
    return (FBits[static_cast<size_t>(Bit / 8)] >> (Bit % 8)) & 1;
}

int TBitFld::CountTrueBits() const {
    const size_t whole = static_cast<size_t>(FSize / 8);
    int n = 0;
    for (size_t i = 0; i < whole; ++i) n += std::popcount(FBits[i]);
    return n + std::popcount(static_cast<uint8_t>(FBits[whole] & LowBits(FSize % 8)));
}

int TBitFld::FirstTrueBit() const {
    const size_t whole = static_cast<size_t>(FSize / 8);
    for (size_t i = 0; i < whole; ++i)
        if (FBits[i] != 0) return static_cast<int>(8 * i) + std::countr_zero(FBits[i]);
    const uint8_t last = FBits[whole] & LowBits(FSize % 8);
    return last != 0 ? static_cast<int>(8 * whole) + std::countr_zero(last) : -1;
}

void TBitFld::Invert() {
    for (size_t i = 0; i <= static_cast<size_t>(FSize / 8); ++i) FBits[i] = static_cast<uint8_t>(~FBits[i]);
}

void TBitFld::CombineWith(const TBitFld* Other, TLogicOp Op) {
    if (!Other || Other->FSize != FSize) return;
    for (size_t i = 0; i <= static_cast<size_t>(FSize / 8); ++i)
        FBits[i] = Combine(FBits[i], Other->FBits[i], Op);
}

void TBitFld::RandomFill(double Percentage) {
    if (!(Percentage > 0)) Percentage = 0;
    Percentage = std::min(Percentage, 100.0);
    const int n = static_cast<int>(std::nearbyint(Percentage * 0.01 * FSize));
    // A random bit number 0..Size.
    const auto draw = [this] { return static_cast<int>(std::nearbyint(Random() * FSize)); };
    if (n > FSize / 2) {
        std::fill(FBits.begin(), FBits.end(), 0xFF);
        for (int cleared = 0; cleared < FSize - n;) {
            const int b = draw();
            if (GetBit(b)) {
                SetBit(b, false);
                ++cleared;
            }
        }
    } else {
        std::fill(FBits.begin(), FBits.end(), 0);
        for (int set = 0; set < n;) {
            const int b = draw();
            if (!GetBit(b)) {
                SetBit(b, true);
                ++set;
            }
        }
    }
}

// ---- TByteMatrix -----------------------------------------------------------------------------------

TByteMatrix::TByteMatrix(TComponent* AOwner) : TComponent(AOwner) {
    try {
        FCells.assign(1, 0);
    } catch (const std::bad_alloc&) {
        RaiseComponentError<EQYXDStructError>(this, kNoMemory);
    }
}

void TByteMatrix::Changed() {
    if (OnChange) OnChange(this);
}

bool TByteMatrix::Resize(int NewCols, int NewRows) {
    if (NewCols <= 0 || NewRows <= 0 || (NewCols == FCols && NewRows == FRows)) return false;
    std::vector<uint8_t> cells;
    try {
        cells.assign(static_cast<size_t>(NewCols) * static_cast<size_t>(NewRows), 0);
    } catch (const std::bad_alloc&) {
        RaiseComponentError<EQYXDStructError>(this, kNoMemory);
    } catch (const std::length_error&) {
        RaiseComponentError<EQYXDStructError>(this, kNoMemory);
    }
    const int cols = std::min(NewCols, FCols), rows = std::min(NewRows, FRows);
    for (int c = 1; c <= cols; ++c)
        std::copy_n(&Cell(c, 1), rows, cells.begin() + static_cast<std::ptrdiff_t>(c - 1) * NewRows);
    FCells.swap(cells);
    FCols = NewCols;
    FRows = NewRows;
    Changed();
    return true;
}

void TByteMatrix::SetNrCols(int Value) {
    Resize(std::max(Value, 1), FRows);
}

void TByteMatrix::SetNrRows(int Value) {
    Resize(FCols, std::max(Value, 1));
}

void TByteMatrix::Fill(uint8_t Value) {
    std::fill(FCells.begin(), FCells.end(), Value);
    Changed();
}

void TByteMatrix::SetByte(int Col, int Row, uint8_t Value) {
    if (!InRange(Col, Row)) return;
    Cell(Col, Row) = Value;
    Changed();
}

uint8_t TByteMatrix::GetByte(int Col, int Row) const {
    return InRange(Col, Row) ? const_cast<TByteMatrix*>(this)->Cell(Col, Row) : 0;
}

void TByteMatrix::SetBit(int Col, int Row, int Bit, bool State) {
    if (!InRange(Col, Row) || Bit < 0 || Bit > 7) return;
    uint8_t& b = Cell(Col, Row);
    const uint8_t mask = static_cast<uint8_t>(1u << Bit);
    b = State ? static_cast<uint8_t>(b | mask) : static_cast<uint8_t>(b & ~mask);
    Changed();
}

void TByteMatrix::ToggleBit(int Col, int Row, int Bit) {
    if (!InRange(Col, Row) || Bit < 0 || Bit > 7) return;
    Cell(Col, Row) ^= static_cast<uint8_t>(1u << Bit);
    Changed();
}

bool TByteMatrix::GetBit(int Col, int Row, int Bit) const {
    if (Bit < 0 || Bit > 7) return false;
    return (GetByte(Col, Row) >> Bit) & 1;
}

void TByteMatrix::CombineWith(const TByteMatrix* Other, TLogicOp Op) {
    if (!Other || Other->FCols != FCols || Other->FRows != FRows) return;
    for (size_t i = 0; i < FCells.size(); ++i) FCells[i] = Combine(FCells[i], Other->FCells[i], Op);
}

// ---- TFifo -----------------------------------------------------------------------------------------

TFifo::TFifo(TComponent* AOwner) : TComponent(AOwner) {
    try {
        FRing.assign(256, 0);
    } catch (const std::bad_alloc&) {
        RaiseComponentError<EQYXDStructError>(this, kFifoTooLarge);
    }
}

void TFifo::SetSize(int Value) {
    if (Value <= 0 || Value == GetSize()) return;
    std::vector<uint8_t> ring;
    try {
        ring.assign(static_cast<size_t>(Value), 0);
    } catch (const std::bad_alloc&) {
        RaiseComponentError<EQYXDStructError>(this, kFifoTooLarge);
    }
    // The newest bytes that fit the new ring move to its front, oldest first.
    const int count = CountBytes();
    const int keep = std::min(count, Value - 1);
    const int size = GetSize();
    for (int i = 0; i < keep; ++i)
        ring[static_cast<size_t>(i)] = FRing[static_cast<size_t>((FRead + count - keep + i) % size)];
    FRing.swap(ring);
    FRead = 0;
    FWrite = keep;
}

int TFifo::CountBytes() const {
    const int n = FWrite - FRead;
    return n < 0 ? n + GetSize() : n;
}

bool TFifo::PutByte(uint8_t B) {
    if (CountBytes() >= GetSize() - 1) return false;
    FRing[static_cast<size_t>(FWrite)] = B;
    FWrite = (FWrite + 1) % GetSize();
    return true;
}

bool TFifo::ForceByte(uint8_t B) {
    // A ring of one place never holds a byte.
    if (GetSize() == 1) return false;
    bool dropped = false;
    if (CountBytes() >= GetSize() - 1) {
        FRead = (FRead + 1) % GetSize();
        dropped = true;
    }
    PutByte(B);
    return dropped;
}

bool TFifo::LoadBack(uint8_t B) {
    if (CountBytes() >= GetSize() - 1) return false;
    FRead = FRead == 0 ? GetSize() - 1 : FRead - 1;
    FRing[static_cast<size_t>(FRead)] = B;
    return true;
}

bool TFifo::GetByte(uint8_t& B) {
    if (FRead == FWrite) return false;
    B = FRing[static_cast<size_t>(FRead)];
    FRead = (FRead + 1) % GetSize();
    return true;
}

bool TFifo::SenseByte(int Index, uint8_t& B) const {
    if (Index < 0 || Index >= CountBytes()) return false;
    B = FRing[static_cast<size_t>((FRead + Index) % GetSize())];
    return true;
}

void TFifo::Clear() {
    FRead = 0;
    FWrite = 0;
}

} // namespace qyx
