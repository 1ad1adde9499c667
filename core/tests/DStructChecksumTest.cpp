// CRC-16, CRC-32 and SHA-1: published check values, and every processor path against zlib and OpenSSL
// on random buffers of random lengths and alignments.
#include <qyx/QYX_dstruct.h>
#include <qyx/platform/Exceptions.h>
#include <qyx/platform/Streams.h>

#include "../src/dstruct_kernels.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <zlib.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

using namespace qyx;
namespace dk = qyx::dstruct_kernels;

namespace {

TBytes Bytes(const std::string& S) {
    return TBytes(S.begin(), S.end());
}

std::vector<uint8_t> RandomBytes(size_t N, uint32_t Seed) {
    std::mt19937 g(Seed);
    std::vector<uint8_t> v(N);
    for (auto& b : v) b = static_cast<uint8_t>(g());
    return v;
}

uint32_t ZlibCrc(const uint8_t* p, size_t n) {
    return static_cast<uint32_t>(crc32_z(crc32(0, nullptr, 0), p, n));
}

TSHA1Digest OpenSslSha1(const uint8_t* p, size_t n) {
    TSHA1Digest d{};
    unsigned len = 0;
    EVP_Digest(p, n, d.data(), &len, EVP_sha1(), nullptr);
    return d;
}

std::string TempFile(const std::string& Name, const std::vector<uint8_t>& Content) {
    const std::string path = (std::filesystem::temp_directory_path() / Name).string();
    TMemoryStream m;
    if (!Content.empty()) m.WriteBuffer(Content.data(), static_cast<int>(Content.size()));
    m.SaveToFile(path);
    return path;
}

/// The SHA-1 block routines this processor can run, by name.
std::vector<std::pair<std::string, dk::TSha1::TBlocks>> Sha1Paths() {
    std::vector<std::pair<std::string, dk::TSha1::TBlocks>> p = {{"portable", dk::Sha1BlocksPortable}};
    if (dk::HaveShaNi()) p.push_back({"sha-ni", dk::Sha1BlocksShaNi});
    return p;
}

} // namespace

// ---- CRC-16 ----------------------------------------------------------------------------------------

TEST(DStructCrc16, PublishedCheckValues) {
    const TBytes check = Bytes("123456789");
    EXPECT_EQ(CRC16ofBuffer(check, 9, crcZModem), 0x31C3);
    EXPECT_EQ(CRC16ofBuffer(check, 9, crcCCITT), 0x29B1);
    EXPECT_EQ(CRC16ofBuffer({}, 0, crcZModem), 0);
    EXPECT_EQ(CRC16ofBuffer({}, 0, crcCCITT), 0xFFFF);
    // Count is limited to the buffer.
    EXPECT_EQ(CRC16ofBuffer(check, 100, crcZModem), 0x31C3);
    EXPECT_EQ(CRC16ofBuffer(check, -3, crcCCITT), 0xFFFF);
    EXPECT_EQ(CRC16ofBuffer(check, 4, crcZModem), CRC16ofBuffer(Bytes("1234"), 4, crcZModem));
}

TEST(DStructCrc16, SlicedPathEqualsSingleSteps) {
    // Long lengths run the four-lane path, short ones and the rest the single lane.
    const auto data = RandomBytes(40000, 16);
    for (size_t n :
         {0u, 1u, 7u, 8u, 9u, 15u, 16u, 17u, 63u, 1000u, 2999u, 8191u, 8192u, 8193u, 20005u, 39999u}) {
        for (uint16_t start : {uint16_t(0), uint16_t(0xFFFF), uint16_t(0x1234)}) {
            SCOPED_TRACE(n);
            uint16_t crc = start;
            for (size_t i = 0; i < n; ++i) crc = CalcNextCRC16(data[i + 1], crc);
            EXPECT_EQ(dk::Crc16Update(start, data.data() + 1, n), crc);
        }
    }
}

// ---- CRC-32 ----------------------------------------------------------------------------------------

TEST(DStructCrc32, PublishedCheckValueAndSteps) {
    const TBytes check = Bytes("123456789");
    EXPECT_EQ(CRC32ofBuffer(check, 9), 0xCBF43926u);
    EXPECT_EQ(CRC32ofBuffer({}, 0), 0u);
    EXPECT_EQ(CRC32ofBuffer(check, 50), 0xCBF43926u);
    uint32_t crc = 0xFFFFFFFFu;
    for (uint8_t b : check) crc = CalcNextCRC32(b, crc);
    EXPECT_EQ(~crc, 0xCBF43926u);
}

TEST(DStructCrc32, EveryPathEqualsZlibForEveryLengthAndAlignment) {
    const auto data = RandomBytes(4096 + 64, 32);
    std::vector<std::pair<const char*, uint32_t (*)(uint32_t, const uint8_t*, size_t)>> paths = {
        {"bytewise", dk::Crc32Bytewise}, {"portable", dk::Crc32Portable}, {"dispatch", dk::Crc32Update}};
    if (dk::HavePclmul()) paths.push_back({"pclmul", dk::Crc32Pclmul});
    for (const auto& [name, fn] : paths) {
        SCOPED_TRACE(name);
        for (size_t offset = 0; offset < 16; ++offset)
            for (size_t n = 0; n <= 300; ++n) {
                const uint8_t* p = data.data() + offset;
                ASSERT_EQ(~fn(0xFFFFFFFFu, p, n), ZlibCrc(p, n)) << "offset " << offset << " length " << n;
            }
    }
}

TEST(DStructCrc32, RandomBuffersEqualZlib) {
    std::mt19937 g(3232);
    for (int round = 0; round < 200; ++round) {
        const size_t n = g() % 100001;
        const size_t offset = g() % 16;
        const auto data = RandomBytes(n + offset, g());
        const TBytes buf(data.begin() + static_cast<std::ptrdiff_t>(offset), data.end());
        SCOPED_TRACE(n);
        ASSERT_EQ(CRC32ofBuffer(buf, static_cast<int>(n)), ZlibCrc(buf.data(), n));
        if (dk::HavePclmul()) {
            ASSERT_EQ(~dk::Crc32Pclmul(0xFFFFFFFFu, buf.data(), n), ZlibCrc(buf.data(), n));
        }
        ASSERT_EQ(~dk::Crc32Portable(0xFFFFFFFFu, buf.data(), n), ZlibCrc(buf.data(), n));
    }
}

TEST(DStructCrc32, SplitUpdatesChainLikeOneUpdate) {
    // Long enough for the portable path's lanes, which then start from a register other than the
    // initial one.
    const auto data = RandomBytes(40000, 7);
    const uint32_t whole = ZlibCrc(data.data(), data.size());
    for (auto fn : {dk::Crc32Update, dk::Crc32Portable})
        for (size_t cut :
             {0u, 1u, 63u, 64u, 65u, 1000u, 4999u, 8191u, 8192u, 8193u, 20000u, 39999u, 40000u}) {
            SCOPED_TRACE(cut);
            uint32_t c = fn(0xFFFFFFFFu, data.data(), cut);
            c = fn(c, data.data() + cut, data.size() - cut);
            EXPECT_EQ(~c, whole);
        }
}

TEST(DStructCrc32, OfFile) {
    const auto data = RandomBytes(10000, 11);
    EXPECT_EQ(CalcCRC32ofFile(TempFile("qyx_dstruct_crc.bin", data)), ZlibCrc(data.data(), data.size()));
    EXPECT_EQ(CalcCRC32ofFile(TempFile("qyx_dstruct_crc_empty.bin", {})), 0u);
    EXPECT_EQ(CalcCRC32ofFile("/nonexistent/qyx/file.bin"), 0u);
    EXPECT_EQ(CalcCRC32ofFile(std::filesystem::temp_directory_path().string()), 0u);
}

// ---- SHA-1 -----------------------------------------------------------------------------------------

TEST(DStructSha1, PublishedVectors) {
    const std::pair<std::string, std::string> cases[] = {
        {"abc", "A9993E364706816ABA3E25717850C26C9CD0D89D"},
        {"", "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "84983E441C3BD26EBAAE4AA1F95129E5E54670F1"},
        {std::string(1000000, 'a'), "34AA973CD4C4DAA4F61EEB2BDBAD27316534016F"},
    };
    for (const auto& [text, hex] : cases) {
        SCOPED_TRACE(text.substr(0, 10));
        EXPECT_EQ(SHA1DigestToHex(SHA1FromString(text)), hex);
        for (const auto& [name, blocks] : Sha1Paths()) {
            SCOPED_TRACE(name);
            dk::TSha1 sha(blocks);
            sha.Update(text.data(), text.size());
            TSHA1Digest d{};
            sha.Final(d.data());
            EXPECT_EQ(SHA1DigestToHex(d), hex);
        }
    }
}

TEST(DStructSha1, EveryPathEqualsOpenSslOnRandomBuffers) {
    std::mt19937 g(1111);
    for (int round = 0; round < 150; ++round) {
        // Short lengths around the padding boundaries come first, then random ones up to 100 000.
        const size_t n = round < 130 ? static_cast<size_t>(round) : g() % 100001;
        // At every alignment, so the block routines read unaligned words too.
        const size_t offset = static_cast<size_t>(round) % 16;
        const auto buffer = RandomBytes(n + offset, g());
        const uint8_t* data = buffer.data() + offset;
        const TSHA1Digest ref = OpenSslSha1(data, n);
        SCOPED_TRACE(n);
        ASSERT_EQ(SHA1FromString(std::string(data, data + n)), ref);
        for (const auto& [name, blocks] : Sha1Paths()) {
            SCOPED_TRACE(name);
            // Fed in uneven pieces, so the block buffer is crossed at every offset.
            dk::TSha1 sha(blocks);
            size_t at = 0, piece = 1;
            while (at < n) {
                const size_t k = std::min(piece, n - at);
                sha.Update(data + at, k);
                at += k;
                piece = piece * 3 % 97 + 1;
            }
            TSHA1Digest d{};
            sha.Final(d.data());
            ASSERT_EQ(d, ref);
        }
    }
}

TEST(DStructSha1, StreamsAndFiles) {
    const auto data = RandomBytes(5000, 99);
    const TSHA1Digest ref = OpenSslSha1(data.data(), data.size());
    // From the current position to the end.
    TMemoryStream m;
    m.WriteBuffer(data.data(), static_cast<int>(data.size()));
    m.SetPosition(1000);
    EXPECT_EQ(SHA1FromStream(&m), OpenSslSha1(data.data() + 1000, 4000));
    EXPECT_EQ(m.GetPosition(), 5000);
    EXPECT_EQ(SHA1FromStream(&m), OpenSslSha1(nullptr, 0));
    EXPECT_EQ(SHA1FromFile(TempFile("qyx_dstruct_sha1.bin", data)), ref);
    EXPECT_THROW(SHA1FromFile("/nonexistent/qyx/file.bin"), EFOpenError);
}

TEST(DStructSha1, DigestToHexIsFortyUpperCaseDigits) {
    TSHA1Digest d{};
    for (size_t i = 0; i < d.size(); ++i) d[i] = static_cast<uint8_t>(i * 13 + 0xA0);
    const std::string hex = SHA1DigestToHex(d);
    EXPECT_EQ(hex.size(), 40u);
    EXPECT_EQ(hex.substr(0, 6), "A0ADBA");
    EXPECT_EQ(hex.find_first_not_of("0123456789ABCDEF"), std::string::npos);
}
