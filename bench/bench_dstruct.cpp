// Checksums, codecs and the string array, each beside its baseline in the same run:
//   CRC-32 (dispatched path and portable path) against zlib's crc32, on 1 MiB and 64 bytes;
//   SHA-1 (dispatched and portable) against OpenSSL's EVP_Digest; run once more with
//   OPENSSL_ia32cap=":~0x20000000" to compare the portable path with OpenSSL without its SHA
//   extensions;
//   CRC-16 in both modes, ASCII85 encoding and decoding and the run-length coder on 1 MiB of mixed
//   data (random bytes, zero runs, repeated bytes and text);
//   TStringArray: filling 10^6 cells against a std::vector<std::string> table (with the heap bytes
//   per cell of both), and Sort of 10^5 and 10^6 rows against std::sort of a row index with the
//   same comparison (texts folded once, then compared byte by byte).
#include <qyx/QYX_dstruct.h>
#include <qyx/platform/Streams.h>

#include "../core/src/dstruct_kernels.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <openssl/evp.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <random>
#include <string>
#include <vector>

using namespace qyx;
namespace dk = qyx::dstruct_kernels;

namespace {

constexpr size_t kMiB = 1 << 20;

/// 1 MiB of mixed data: 64-byte pieces of random bytes, zeros, one repeated byte or text.
const TBytes& MixedData() {
    static const TBytes data = [] {
        std::mt19937 g(2024);
        TBytes d(kMiB);
        static const char text[] = "The quick brown fox jumps over the lazy dog; 0123456789. ";
        for (size_t at = 0; at < d.size(); at += 64) {
            const unsigned kind = g() % 4;
            const uint8_t rep = static_cast<uint8_t>(g());
            for (size_t i = at; i < at + 64; ++i)
                d[i] = kind == 0   ? static_cast<uint8_t>(g())
                       : kind == 1 ? 0
                       : kind == 2 ? rep
                                   : static_cast<uint8_t>(text[(i * 7) % (sizeof(text) - 1)]);
        }
        return d;
    }();
    return data;
}

TBytes RandomBytes(size_t N) {
    std::mt19937 g(static_cast<uint32_t>(N));
    TBytes b(N);
    for (auto& x : b) x = static_cast<uint8_t>(g());
    return b;
}

void SetBytes(benchmark::State& State, size_t PerIteration) {
    State.SetBytesProcessed(static_cast<int64_t>(State.iterations()) * static_cast<int64_t>(PerIteration));
}

// ---- CRC-32 ------------------------------------------------------------------------------------------

void BM_CRC32_Qyx(benchmark::State& State) {
    const TBytes b = RandomBytes(static_cast<size_t>(State.range(0)));
    for (auto _ : State) benchmark::DoNotOptimize(CRC32ofBuffer(b, static_cast<int>(b.size())));
    SetBytes(State, b.size());
}
BENCHMARK(BM_CRC32_Qyx)->Arg(kMiB)->Arg(64);

void BM_CRC32_QyxPortable(benchmark::State& State) {
    const TBytes b = RandomBytes(static_cast<size_t>(State.range(0)));
    for (auto _ : State) benchmark::DoNotOptimize(~dk::Crc32Portable(0xFFFFFFFFu, b.data(), b.size()));
    SetBytes(State, b.size());
}
BENCHMARK(BM_CRC32_QyxPortable)->Arg(kMiB)->Arg(64);

void BM_CRC32_Zlib(benchmark::State& State) {
    const TBytes b = RandomBytes(static_cast<size_t>(State.range(0)));
    for (auto _ : State) benchmark::DoNotOptimize(crc32_z(0, b.data(), b.size()));
    SetBytes(State, b.size());
}
BENCHMARK(BM_CRC32_Zlib)->Arg(kMiB)->Arg(64);

// ---- SHA-1 -------------------------------------------------------------------------------------------

void BM_SHA1_Qyx(benchmark::State& State) {
    const TBytes b = RandomBytes(kMiB);
    const std::string s(b.begin(), b.end());
    for (auto _ : State) benchmark::DoNotOptimize(SHA1FromString(s));
    SetBytes(State, s.size());
}
BENCHMARK(BM_SHA1_Qyx);

void BM_SHA1_QyxPortable(benchmark::State& State) {
    const TBytes b = RandomBytes(kMiB);
    for (auto _ : State) {
        dk::TSha1 sha(dk::Sha1BlocksPortable);
        sha.Update(b.data(), b.size());
        uint8_t d[20];
        sha.Final(d);
        benchmark::DoNotOptimize(d);
    }
    SetBytes(State, b.size());
}
BENCHMARK(BM_SHA1_QyxPortable);

void BM_SHA1_OpenSSL(benchmark::State& State) {
    const TBytes b = RandomBytes(kMiB);
    for (auto _ : State) {
        uint8_t d[EVP_MAX_MD_SIZE];
        unsigned len = 0;
        EVP_Digest(b.data(), b.size(), d, &len, EVP_sha1(), nullptr);
        benchmark::DoNotOptimize(d);
    }
    SetBytes(State, b.size());
}
BENCHMARK(BM_SHA1_OpenSSL);

// ---- CRC-16, ASCII85 and run-length coding -------------------------------------------------------------

void BM_CRC16(benchmark::State& State) {
    const TBytes& b = MixedData();
    const auto mode = static_cast<TCRC16Mode>(State.range(0));
    for (auto _ : State) benchmark::DoNotOptimize(CRC16ofBuffer(b, static_cast<int>(b.size()), mode));
    SetBytes(State, b.size());
}
BENCHMARK(BM_CRC16)->Arg(crcZModem)->Arg(crcCCITT);

void BM_ASCII85_Encode(benchmark::State& State) {
    const TBytes& b = MixedData();
    TMemoryStream src, dst;
    src.WriteBuffer(b.data(), static_cast<int>(b.size()));
    for (auto _ : State) {
        src.SetPosition(0);
        dst.SetPosition(0);
        EncodeASCII85(&src, &dst);
    }
    SetBytes(State, b.size());
}
BENCHMARK(BM_ASCII85_Encode);

void BM_ASCII85_Decode(benchmark::State& State) {
    const TBytes& b = MixedData();
    TMemoryStream src, text, dst;
    src.WriteBuffer(b.data(), static_cast<int>(b.size()));
    src.SetPosition(0);
    EncodeASCII85(&src, &text);
    for (auto _ : State) {
        text.SetPosition(0);
        dst.SetPosition(0);
        benchmark::DoNotOptimize(DecodeASCII85(&text, &dst));
    }
    SetBytes(State, b.size());
}
BENCHMARK(BM_ASCII85_Decode);

// Encodes in blocks of BufLeng and fetches every block that is ready, as a caller does.
void BM_RLE_Encode(benchmark::State& State) {
    const TBytes& b = MixedData();
    TRLEncoder e(nullptr);
    e.SetBufLeng(65536);
    std::vector<uint8_t> block(65536);
    for (auto _ : State) {
        e.Reset();
        for (size_t at = 0; at < b.size(); at += block.size()) {
            e.Encode(std::span(b).subspan(at), static_cast<int>(block.size()));
            while (e.GetFillCount() >= e.GetBufLeng()) e.GetResult(block);
        }
        e.Finish(block);
        while (e.FetchRest(block) > 0) {
        }
    }
    SetBytes(State, b.size());
}
BENCHMARK(BM_RLE_Encode);

void BM_RLE_Decode(benchmark::State& State) {
    const TBytes& b = MixedData();
    TRLEncoder e(nullptr);
    e.SetBufLeng(65536);
    std::vector<uint8_t> block(65536), coded;
    e.Encode(b, static_cast<int>(b.size()));
    int n = e.Finish(block);
    do coded.insert(coded.end(), block.begin(), block.begin() + n);
    while ((n = e.FetchRest(block)) > 0);
    for (auto _ : State) {
        e.Reset();
        for (size_t at = 0; at < coded.size(); at += block.size()) {
            e.Decode(std::span(coded).subspan(at, std::min(block.size(), coded.size() - at)));
            while (e.GetFillCount() >= e.GetBufLeng()) e.GetResult(block);
        }
        while (e.FetchRest(block) > 0) {
        }
    }
    SetBytes(State, b.size());
    State.counters["coded_ratio"] = static_cast<double>(coded.size()) / static_cast<double>(b.size());
}
BENCHMARK(BM_RLE_Decode);

// ---- TStringArray ------------------------------------------------------------------------------------

/// Cell texts like those of a report: words, names and numbers of 2 to 24 characters.
std::vector<std::string> CellTexts(size_t N, uint32_t Seed) {
    static const char* const words[] = {"Graz", "linz",     "Wien",  "Salzburg",  "Innsbruck", "villach",
                                        "Wels", "Dornbirn", "Steyr", "Feldkirch", "Bregenz",   "leoben"};
    std::mt19937 g(Seed);
    std::vector<std::string> t(N);
    for (auto& s : t) {
        switch (g() % 3) {
        case 0: s = words[g() % 12]; break;
        case 1: s = std::string(words[g() % 12]) + " " + std::to_string(g() % 100000); break;
        default: s = std::to_string(g() % 10000000) + "." + std::to_string(g() % 100); break;
        }
    }
    return t;
}

size_t HeapInUse() {
    return mallinfo2().uordblks;
}

constexpr int kFillCols = 10, kFillRows = 100000; // columns 0..9

void BM_StringArray_Fill(benchmark::State& State) {
    const auto texts = CellTexts(static_cast<size_t>(kFillCols) * kFillRows, 1);
    double bytesPerCell = 0;
    for (auto _ : State) {
        const size_t heap = HeapInUse();
        TStringArray a(nullptr);
        a.SetAllocRowsBy(kFillRows);
        a.Resize(kFillCols - 1, kFillRows);
        size_t i = 0;
        for (int c = 0; c < kFillCols; ++c)
            for (int r = 1; r <= kFillRows; ++r) a.SetString(c, r, texts[i++]);
        bytesPerCell = static_cast<double>(HeapInUse() - heap) / static_cast<double>(texts.size());
        benchmark::DoNotOptimize(a.GetPageCount());
    }
    State.SetItemsProcessed(static_cast<int64_t>(State.iterations()) * static_cast<int64_t>(texts.size()));
    State.counters["bytes_per_cell"] = bytesPerCell;
}
BENCHMARK(BM_StringArray_Fill)->Unit(benchmark::kMillisecond);

void BM_StringTable_Fill_Baseline(benchmark::State& State) {
    const auto texts = CellTexts(static_cast<size_t>(kFillCols) * kFillRows, 1);
    double bytesPerCell = 0;
    for (auto _ : State) {
        const size_t heap = HeapInUse();
        std::vector<std::vector<std::string>> table(kFillCols, std::vector<std::string>(kFillRows));
        size_t i = 0;
        for (int c = 0; c < kFillCols; ++c)
            for (int r = 0; r < kFillRows; ++r)
                table[static_cast<size_t>(c)][static_cast<size_t>(r)] = texts[i++];
        bytesPerCell = static_cast<double>(HeapInUse() - heap) / static_cast<double>(texts.size());
        benchmark::DoNotOptimize(table.data());
    }
    State.SetItemsProcessed(static_cast<int64_t>(State.iterations()) * static_cast<int64_t>(texts.size()));
    State.counters["bytes_per_cell"] = bytesPerCell;
}
BENCHMARK(BM_StringTable_Fill_Baseline)->Unit(benchmark::kMillisecond);

void BM_StringArray_Sort(benchmark::State& State) {
    const int n = static_cast<int>(State.range(0));
    const auto texts = CellTexts(static_cast<size_t>(n), 2);
    TStringArray a(nullptr);
    a.Resize(1, n);
    for (int r = 1; r <= n; ++r) a.SetString(1, r, texts[static_cast<size_t>(r - 1)]);
    for (auto _ : State) {
        State.PauseTiming();
        a.UnSort();
        State.ResumeTiming();
        a.Sort(1, true);
    }
    State.SetItemsProcessed(static_cast<int64_t>(State.iterations()) * n);
}
BENCHMARK(BM_StringArray_Sort)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_IndexSort_Baseline(benchmark::State& State) {
    const int n = static_cast<int>(State.range(0));
    const auto texts = CellTexts(static_cast<size_t>(n), 2);
    std::vector<int> index(static_cast<size_t>(n));
    for (auto _ : State) {
        // The same comparison: fold A..Z once, then compare the bytes.
        std::vector<std::string> keys(texts);
        for (auto& k : keys)
            for (char& c : k)
                if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        std::iota(index.begin(), index.end(), 0);
        std::sort(index.begin(), index.end(),
                  [&](int x, int y) { return keys[static_cast<size_t>(x)] < keys[static_cast<size_t>(y)]; });
        benchmark::DoNotOptimize(index.data());
    }
    State.SetItemsProcessed(static_cast<int64_t>(State.iterations()) * n);
}
BENCHMARK(BM_IndexSort_Baseline)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
