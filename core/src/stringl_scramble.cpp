// The character scrambler of QYX_stringl: a permutation of the codes 1..255 and its inverse.
#include <qyx/QYX_stringl.h>

#include <qyx/platform/Random.h>

#include <cstring>

namespace qyx {

namespace {

// Zero until the library's start-up fills them; constant-initialised, so they are valid before any
// static initialiser runs.
uint8_t ForwardTable[256];
uint8_t InverseTable[256];

std::string Apply(const std::string& S, const uint8_t (&Table)[256]) {
    std::string r = S;
    for (char& c : r) c = static_cast<char>(Table[static_cast<unsigned char>(c)]);
    return r;
}

} // namespace

void InitScramble(int Seed) {
    RandSeed = static_cast<uint32_t>(Seed);
    std::memset(ForwardTable, 0, sizeof ForwardTable);
    std::memset(InverseTable, 0, sizeof InverseTable);
    for (int i = 1; i <= 255; ++i) {
        int j;
        do {
            j = Random(255) + 1;
        } while (InverseTable[j] != 0);
        ForwardTable[i] = static_cast<uint8_t>(j);
        InverseTable[j] = static_cast<uint8_t>(i);
    }
}

std::string Scramble(const std::string& S) {
    return Apply(S, ForwardTable);
}

std::string DeScramble(const std::string& S) {
    return Apply(S, InverseTable);
}

} // namespace qyx
