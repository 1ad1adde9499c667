// Run-length coder: decoding arbitrary bytes with a block size taken from the input, byte by byte and
// as one block (both give the same bytes), and encoding the input in pieces followed by decoding
// gives it back.
#include <qyx/QYX_dstruct.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

using namespace qyx;

namespace {

using Bytes = std::vector<uint8_t>;

void Drain(TRLEncoder& E, Bytes& Out, Bytes& Block) {
    while (E.GetFillCount() >= E.GetBufLeng()) {
        const int before = E.GetFillCount();
        E.GetResult(Block);
        Out.insert(Out.end(), Block.begin(), Block.end());
        if (E.GetFillCount() != before - E.GetBufLeng()) __builtin_trap();
    }
}

void Rest(TRLEncoder& E, Bytes& Out, Bytes& Block) {
    int n;
    while ((n = E.FetchRest(Block)) > 0) Out.insert(Out.end(), Block.begin(), Block.begin() + n);
    if (E.GetFillCount() != 0) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size < 1) return 0;
    const int bufLeng = 1 + Data[0] % 300;
    const std::span<const uint8_t> input(Data + 1, Size - 1);
    Bytes block(static_cast<size_t>(bufLeng));

    // Arbitrary coded bytes.
    TRLEncoder d(nullptr);
    d.SetBufLeng(bufLeng);
    Bytes byByte, asBlock;
    for (uint8_t b : input) {
        d.Decode(b);
        Drain(d, byByte, block);
    }
    Rest(d, byByte, block);
    if (byByte.size() > input.size() * 85) __builtin_trap();
    d.Reset();
    d.Decode(input);
    Drain(d, asBlock, block);
    Rest(d, asBlock, block);
    if (asBlock != byByte) __builtin_trap();

    // Round trip, fed in pieces of varying length.
    TRLEncoder e(nullptr);
    e.SetBufLeng(bufLeng);
    Bytes coded;
    size_t at = 0, piece = 1;
    while (at < input.size()) {
        const size_t n = std::min(piece, input.size() - at);
        e.Encode(input.subspan(at, n), static_cast<int>(n));
        Drain(e, coded, block);
        at += n;
        piece = piece * 5 % 301 + 1;
    }
    const int n = e.Finish(block);
    coded.insert(coded.end(), block.begin(), block.begin() + n);
    Rest(e, coded, block);
    e.Reset();
    Bytes back;
    e.Decode(std::span<const uint8_t>(coded));
    Drain(e, back, block);
    Rest(e, back, block);
    if (back != Bytes(input.begin(), input.end())) __builtin_trap();
    return 0;
}
