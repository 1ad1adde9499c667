// The run-length coder: the record format, block hand-out, round trips and arbitrary coded input.
#include <qyx/QYX_dstruct.h>

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace qyx;

namespace {

using Bytes = std::vector<uint8_t>;

/// Encodes Data in pieces of Piece bytes as a caller does: GetResult whenever Encode says a block is
/// ready, Finish at the end, then the rest.
Bytes EncodeAll(TRLEncoder& E, const Bytes& Data, size_t Piece) {
    Bytes out, block(static_cast<size_t>(E.GetBufLeng()));
    for (size_t at = 0; at < Data.size(); at += Piece) {
        const size_t n = std::min(Piece, Data.size() - at);
        bool ready = E.Encode(std::span(Data).subspan(at, n), static_cast<int>(n));
        while (ready) {
            E.GetResult(block);
            out.insert(out.end(), block.begin(), block.end());
            ready = E.GetFillCount() >= E.GetBufLeng();
        }
    }
    int n = E.Finish(block);
    out.insert(out.end(), block.begin(), block.begin() + n);
    while ((n = E.FetchRest(block)) > 0) out.insert(out.end(), block.begin(), block.begin() + n);
    return out;
}

Bytes DecodeAll(TRLEncoder& E, const Bytes& Coded) {
    Bytes out, block(static_cast<size_t>(E.GetBufLeng()));
    for (uint8_t b : Coded)
        if (E.Decode(b))
            while (E.GetFillCount() >= E.GetBufLeng()) {
                E.GetResult(block);
                out.insert(out.end(), block.begin(), block.end());
            }
    int n;
    while ((n = E.FetchRest(block)) > 0) out.insert(out.end(), block.begin(), block.begin() + n);
    return out;
}

Bytes Encode(const Bytes& Data) {
    TRLEncoder e(nullptr);
    return EncodeAll(e, Data, 100);
}

} // namespace

TEST(DStructRle, RecordFormat) {
    const std::pair<Bytes, Bytes> cases[] = {
        {{7, 7, 7, 7}, {0xA5, 4, 7}},
        {{1, 2, 2, 3}, {1, 2, 2, 0xA5, 1, 3}},
        {{0xA5}, {0xA5, 1, 0xA5}},
        {{0xA5, 1}, {0xA5, 1, 0xA5, 0xA5, 1, 1}},
        {{4, 4, 4, 9, 9}, {0xA5, 3, 4, 0xA5, 2, 9}},
        {{}, {0xA5, 0, 0}},
    };
    for (const auto& [data, coded] : cases) {
        SCOPED_TRACE(testing::PrintToString(data));
        EXPECT_EQ(Encode(data), coded);
    }
}

TEST(DStructRle, LongRunsSplitAt255) {
    Bytes b(300, 0x42);
    EXPECT_EQ(Encode(b), (Bytes{0xA5, 255, 0x42, 0xA5, 45, 0x42}));
    // A run of exactly 255 leaves an empty pending run for the final record.
    EXPECT_EQ(Encode(Bytes(255, 9)), (Bytes{0xA5, 255, 9, 0xA5, 0, 9}));
    EXPECT_EQ(Encode(Bytes(256, 9)), (Bytes{0xA5, 255, 9, 0xA5, 1, 9}));
}

TEST(DStructRle, DecodesRecordsAndPlainBytes) {
    TRLEncoder e(nullptr);
    EXPECT_EQ(DecodeAll(e, {0xA5, 1, 0xA5}), Bytes{0xA5});
    e.Reset();
    EXPECT_EQ(DecodeAll(e, {1, 0xA5, 0, 7, 2, 0xA5, 3, 8}), (Bytes{1, 2, 8, 8, 8}));
}

TEST(DStructRle, RoundTrips) {
    std::mt19937 g(77);
    std::vector<Bytes> inputs = {{},
                                 Bytes(255, 0xA5),
                                 Bytes(256, 0xA5),
                                 Bytes(255, 1),
                                 Bytes(256, 1),
                                 Bytes(1000, 0xA5),
                                 Bytes(5, 0xA5),
                                 Bytes(2, 0xA5),
                                 Bytes(1, 0)};
    for (int i = 0; i < 40; ++i) {
        // Random data, and data with runs of random lengths of few values (the marker among them).
        Bytes b(g() % 5000);
        if (i % 2 == 0)
            for (auto& x : b) x = static_cast<uint8_t>(g());
        else
            for (size_t at = 0; at < b.size();) {
                const size_t run = std::min<size_t>(g() % 600 + 1, b.size() - at);
                const uint8_t v = static_cast<uint8_t>(0xA3 + g() % 4);
                std::fill_n(b.begin() + static_cast<std::ptrdiff_t>(at), run, v);
                at += run;
            }
        inputs.push_back(b);
    }
    for (size_t i = 0; i < inputs.size(); ++i)
        for (int bufLeng : {1, 7, 256, 4096}) {
            SCOPED_TRACE(testing::Message() << "input " << i << " BufLeng " << bufLeng);
            TRLEncoder e(nullptr);
            e.SetBufLeng(bufLeng);
            const Bytes coded = EncodeAll(e, inputs[i], 1000);
            e.Reset();
            ASSERT_EQ(DecodeAll(e, coded), inputs[i]);
            // Block decoding gives the same bytes as byte-wise decoding.
            e.Reset();
            e.Decode(std::span<const uint8_t>(coded));
            Bytes all(static_cast<size_t>(e.GetFillCount()));
            e.SetBufLeng(std::max<int>(1, static_cast<int>(all.size())));
            if (!all.empty()) {
                EXPECT_EQ(e.FetchRest(all), static_cast<int>(all.size()));
            }
            EXPECT_EQ(all, inputs[i]);
        }
}

TEST(DStructRle, HandsOutBlocksOfBufLeng) {
    TRLEncoder e(nullptr);
    EXPECT_EQ(e.GetBufLeng(), 256);
    const Bytes data(100, 1); // one run: nothing is ready before Finish
    Bytes noise(300);
    for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<uint8_t>(i % 7);
    EXPECT_FALSE(e.Encode(data, 100));
    EXPECT_TRUE(e.Encode(noise, 300));
    Bytes block(256, 0xEE);
    e.GetResult(block);
    EXPECT_EQ(block[0], 0xA5);
    EXPECT_EQ(block[1], 100);
    EXPECT_EQ(e.GetFillCount(), 3 + 299 - 256); // the last byte is still a pending run
    // Nothing happens while less than a block is ready.
    Bytes same = block;
    e.GetResult(block);
    EXPECT_EQ(block, same);
    // Encode is limited to the data given; a negative count encodes nothing.
    EXPECT_FALSE(e.Encode(noise, -5));
    EXPECT_FALSE(e.Encode(std::span(noise).first(3), 1000));
}

TEST(DStructRle, BigCallsAndSmallDestinationsLoseNothing) {
    TRLEncoder e(nullptr);
    Bytes data(100000);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7 % 251);
    EXPECT_TRUE(e.Encode(data, static_cast<int>(data.size())));
    const int ready = e.GetFillCount();
    EXPECT_GT(ready, 99000);
    Bytes small(10), out;
    e.GetResult(small); // a destination shorter than BufLeng takes what fits
    out.insert(out.end(), small.begin(), small.end());
    EXPECT_EQ(e.GetFillCount(), ready - 10);
    e.SetBufLeng(5000); // pending bytes survive a new block size
    Bytes block(5000);
    while (e.GetFillCount() >= 5000) {
        e.GetResult(block);
        out.insert(out.end(), block.begin(), block.end());
    }
    int n = e.Finish(block);
    out.insert(out.end(), block.begin(), block.begin() + n);
    while ((n = e.FetchRest(block)) > 0) out.insert(out.end(), block.begin(), block.begin() + n);
    e.Reset();
    EXPECT_EQ(DecodeAll(e, out), data);
}

TEST(DStructRle, ArbitraryCodedBytesDecodeSafely) {
    std::mt19937 g(5);
    for (int round = 0; round < 200; ++round) {
        Bytes coded(g() % 300);
        for (auto& b : coded) b = g() % 4 == 0 ? 0xA5 : static_cast<uint8_t>(g());
        TRLEncoder e(nullptr);
        e.SetBufLeng(1 + static_cast<int>(g() % 50));
        const Bytes out = DecodeAll(e, coded);
        EXPECT_LE(out.size(), coded.size() * 85);
    }
}

TEST(DStructRle, IrregularFetchingKeepsTheOrder) {
    // Pieces of any length, blocks fetched now and then (sometimes none, sometimes several), small
    // destinations and new block sizes in between: the bytes come out as one call would give them.
    std::mt19937 g(17);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        Bytes data(g() % 20000);
        for (size_t i = 0; i < data.size(); ++i)
            data[i] = g() % 3 == 0 ? static_cast<uint8_t>(g()) : static_cast<uint8_t>(i / (1 + g() % 300));
        TRLEncoder ref(nullptr);
        ref.SetBufLeng(1 << 20);
        const Bytes expectCoded = EncodeAll(ref, data, data.size() + 1);

        for (bool decoding : {false, true}) {
            const Bytes& input = decoding ? expectCoded : data;
            TRLEncoder e(nullptr);
            e.SetBufLeng(1 + static_cast<int>(g() % 7));
            Bytes out, block(64);
            const auto fetchSome = [&] {
                for (unsigned k = g() % 4; k > 0 && e.GetFillCount() >= e.GetBufLeng(); --k) {
                    const int before = e.GetFillCount();
                    const size_t take = std::min<size_t>(block.size(), static_cast<size_t>(e.GetBufLeng()));
                    e.GetResult(block);
                    ASSERT_EQ(e.GetFillCount(), before - static_cast<int>(take));
                    out.insert(out.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(take));
                }
                if (g() % 10 == 0) e.SetBufLeng(1 + static_cast<int>(g() % 70));
            };
            for (size_t at = 0; at < input.size();) {
                const size_t n = std::min<size_t>(1 + g() % 900, input.size() - at);
                const auto piece = std::span(input).subspan(at, n);
                if (decoding)
                    e.Decode(piece);
                else
                    e.Encode(piece, static_cast<int>(n));
                at += n;
                fetchSome();
            }
            int n = decoding ? e.FetchRest(block) : e.Finish(block);
            out.insert(out.end(), block.begin(), block.begin() + n);
            while ((n = e.FetchRest(block)) > 0) out.insert(out.end(), block.begin(), block.begin() + n);
            EXPECT_EQ(e.GetFillCount(), 0);
            EXPECT_EQ(out, decoding ? data : expectCoded) << (decoding ? "decoding" : "encoding");
        }
    }
}
