// BMP reader: core (12-byte), info (40-byte) and V2-V5 headers; 1, 4, 8, 16, 24 and 32 bits per
// pixel; uncompressed, RLE8, RLE4 and bit-field pixels; bottom-up and top-down rows.
//
// Every size is checked against the file before anything is allocated, so a hostile file raises
// EInvalidGraphic and never reads outside the buffer. Palette images keep their indices; 16-bit
// images keep their 555 or 565 pixels; other bit-field layouts become 32-bit B,G,R,0.
#include "ImageCodecs.h"

#include <qyx/platform/Exceptions.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

namespace qyx::gfx {

namespace {

enum : uint32_t { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6 };

[[noreturn]] void Fail(const char* Why) {
    throw EInvalidGraphic(std::string("Bitmap image is not valid: ") + Why);
}

struct TBytes {
    const uint8_t* P;
    size_t N;
    bool Has(uint64_t Off, uint64_t Len) const { return Off <= N && Len <= N - Off; }
    uint16_t U16(size_t Off) const { return uint16_t(P[Off] | P[Off + 1] << 8); }
    uint32_t U32(size_t Off) const {
        return uint32_t(P[Off]) | uint32_t(P[Off + 1]) << 8 | uint32_t(P[Off + 2]) << 16 |
               uint32_t(P[Off + 3]) << 24;
    }
};

struct THeader {
    int64_t Width = 0, Height = 0;
    bool TopDown = false;
    int Bpp = 0;
    uint32_t Compression = BI_RGB;
    uint32_t ClrUsed = 0;
    uint32_t SizeImage = 0;
    uint32_t Masks[3] = {0, 0, 0};
    size_t PaletteStart = 0;
    int PaletteEntrySize = 4;
};

THeader ReadHeader(const TBytes& B) {
    if (!B.Has(0, 18) || B.P[0] != 'B' || B.P[1] != 'M') Fail("no bitmap file header");
    const uint32_t HdrSize = B.U32(14);
    THeader H;
    if (HdrSize == 12) {
        if (!B.Has(14, 12)) Fail("truncated header");
        H.Width = B.U16(18);
        H.Height = B.U16(20);
        H.Bpp = B.U16(24);
        H.PaletteEntrySize = 3;
        H.PaletteStart = 26;
        if (H.Bpp != 1 && H.Bpp != 4 && H.Bpp != 8 && H.Bpp != 24) Fail("unsupported bit depth");
        return H;
    }
    if (HdrSize < 16 || HdrSize > 4096) Fail("unknown header size");
    if (!B.Has(14, HdrSize)) Fail("truncated header");
    // Fields beyond a short (OS/2 2.x) header read as zero.
    auto Field = [&](size_t Off, int Size) -> uint32_t {
        if (Off + Size > 14 + HdrSize) return 0;
        return Size == 2 ? B.U16(Off) : B.U32(Off);
    };
    H.Width = int32_t(Field(18, 4));
    const int64_t RawHeight = int32_t(Field(22, 4));
    H.TopDown = RawHeight < 0;
    H.Height = RawHeight < 0 ? -RawHeight : RawHeight;
    H.Bpp = Field(28, 2);
    H.Compression = Field(30, 4);
    H.SizeImage = Field(34, 4);
    H.ClrUsed = Field(46, 4);
    H.PaletteStart = 14 + size_t(HdrSize);
    if (H.Compression == BI_BITFIELDS || H.Compression == BI_ALPHABITFIELDS) {
        if (HdrSize == 64) Fail("unsupported compression");
        if (HdrSize >= 52) {
            for (int i = 0; i < 3; ++i) H.Masks[i] = B.U32(54 + 4 * i);
        } else {
            const size_t Len = H.Compression == BI_ALPHABITFIELDS ? 16 : 12;
            if (!B.Has(H.PaletteStart, Len)) Fail("truncated colour masks");
            for (int i = 0; i < 3; ++i) H.Masks[i] = B.U32(H.PaletteStart + 4 * i);
            H.PaletteStart += Len;
        }
    }
    return H;
}

// Checks depth and compression against each other; fills the implied masks of plain 16/32-bit data.
void CheckFormat(THeader& H) {
    switch (H.Compression) {
    case BI_RGB:
        if (H.Bpp != 1 && H.Bpp != 4 && H.Bpp != 8 && H.Bpp != 16 && H.Bpp != 24 && H.Bpp != 32)
            Fail("unsupported bit depth");
        if (H.Bpp == 16) H.Masks[0] = 0x7C00, H.Masks[1] = 0x03E0, H.Masks[2] = 0x001F;
        if (H.Bpp == 32) H.Masks[0] = 0xFF0000, H.Masks[1] = 0xFF00, H.Masks[2] = 0xFF;
        break;
    case BI_RLE8:
        if (H.Bpp != 8) Fail("RLE8 needs 8 bits per pixel");
        break;
    case BI_RLE4:
        if (H.Bpp != 4) Fail("RLE4 needs 4 bits per pixel");
        break;
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS:
        if (H.Bpp != 16 && H.Bpp != 32) Fail("bit fields need 16 or 32 bits per pixel");
        if (!H.Masks[0] && !H.Masks[1] && !H.Masks[2]) Fail("empty colour masks");
        break;
    default: Fail("unsupported compression");
    }
    if ((H.Compression == BI_RLE8 || H.Compression == BI_RLE4) && H.TopDown) Fail("top-down RLE image");
    CheckImageSize(H.Width, H.Height, "Bitmap");
}

std::vector<uint32_t> ReadPalette(const TBytes& B, const THeader& H, uint32_t OffBits) {
    const uint32_t Max = 1u << H.Bpp;
    uint32_t Count = H.ClrUsed ? H.ClrUsed : Max;
    if (Count > Max) Fail("palette larger than the bit depth allows");
    if (OffBits < H.PaletteStart) Fail("pixel data overlaps the header");
    // Some writers store fewer entries than declared; take those that lie before the pixel data.
    Count = std::min<uint32_t>(Count, uint32_t((OffBits - H.PaletteStart) / H.PaletteEntrySize));
    std::vector<uint32_t> Pal(Max, 0);
    for (uint32_t i = 0; i < Count; ++i) {
        const uint8_t* E = B.P + H.PaletteStart + size_t(i) * H.PaletteEntrySize;
        Pal[i] = E[2] | E[1] << 8 | uint32_t(E[0]) << 16;
    }
    return Pal;
}

struct TMask {
    uint32_t Mask;
    int Shift, Bits;
    explicit TMask(uint32_t M)
        : Mask(M), Shift(M ? std::countr_zero(M) : 0), Bits(M ? 32 - std::countl_zero(M >> Shift) : 0) {}
    uint8_t Get(uint32_t V) const {
        if (!Bits) return 0;
        const uint32_t X = (V & Mask) >> Shift;
        if (Bits >= 8) return uint8_t(X >> (Bits - 8));
        return uint8_t(X * 255 / ((1u << Bits) - 1));
    }
};

void DecodeUncompressed(const TBytes& B, const THeader& H, uint32_t OffBits, TRawImage& Img) {
    const int64_t SrcStride = PaddedRowBytes(H.Width, H.Bpp);
    if (!B.Has(OffBits, uint64_t(SrcStride) * H.Height)) Fail("truncated pixel data");
    int OutBpp = H.Bpp;
    if (H.Bpp == 16) {
        if (H.Masks[0] == 0x7C00 && H.Masks[1] == 0x03E0 && H.Masks[2] == 0x001F)
            OutBpp = 15;
        else if (!(H.Masks[0] == 0xF800 && H.Masks[1] == 0x07E0 && H.Masks[2] == 0x001F))
            OutBpp = 32;
    }
    const bool Direct32 = H.Bpp == 32 && H.Masks[0] == 0xFF0000 && H.Masks[1] == 0xFF00 && H.Masks[2] == 0xFF;
    Img.BitsPerPixel = OutBpp;
    Img.Stride = int(PaddedRowBytes(H.Width, OutBpp));
    Img.Pixels.assign(size_t(Img.Stride) * H.Height, 0);
    const TMask R(H.Masks[0]), G(H.Masks[1]), Bl(H.Masks[2]);
    for (int64_t y = 0; y < H.Height; ++y) {
        const uint8_t* Src = B.P + OffBits + size_t(H.TopDown ? y : H.Height - 1 - y) * SrcStride;
        uint8_t* Dst = Img.Pixels.data() + size_t(y) * Img.Stride;
        if (OutBpp != 32 || Direct32) { // same layout: copy the row (15-bit: clear the unused top bit)
            std::memcpy(Dst, Src, size_t(std::min<int64_t>(SrcStride, Img.Stride)));
            if (OutBpp == 15)
                for (int64_t x = 0; x < H.Width; ++x) Dst[2 * x + 1] &= 0x7F;
            continue;
        }
        for (int64_t x = 0; x < H.Width; ++x) {
            const uint32_t V = H.Bpp == 16 ? uint32_t(Src[2 * x] | Src[2 * x + 1] << 8)
                                           : B.U32(size_t(Src - B.P) + 4 * size_t(x));
            Dst[4 * x] = Bl.Get(V);
            Dst[4 * x + 1] = G.Get(V);
            Dst[4 * x + 2] = R.Get(V);
        }
    }
}

// RLE8 and RLE4: runs, absolute blocks, end of line, delta and end of bitmap; rows run bottom-up.
void DecodeRle(const TBytes& B, const THeader& H, uint32_t OffBits, TRawImage& Img) {
    const bool Four = H.Compression == BI_RLE4;
    Img.BitsPerPixel = H.Bpp;
    Img.Stride = int(PaddedRowBytes(H.Width, H.Bpp));
    Img.Pixels.assign(size_t(Img.Stride) * H.Height, 0);
    size_t P = OffBits, End = B.N;
    if (H.SizeImage && B.Has(OffBits, H.SizeImage)) End = OffBits + size_t(H.SizeImage);
    int64_t X = 0, Y = 0; // Y counts from the bottom row
    auto Put = [&](uint8_t Index) {
        if (X >= H.Width || Y >= H.Height) Fail("RLE data runs past the image");
        uint8_t* Row = Img.Pixels.data() + size_t(H.Height - 1 - Y) * Img.Stride;
        if (!Four)
            Row[X] = Index;
        else
            Row[X >> 1] |= (X & 1) ? (Index & 15) : uint8_t(Index << 4);
        ++X;
    };
    while (P < End) {
        if (End - P < 2) Fail("truncated RLE data");
        const uint8_t Count = B.P[P], Value = B.P[P + 1];
        P += 2;
        if (Count > 0) {
            for (int i = 0; i < Count; ++i) Put(Four ? ((i & 1) ? Value & 15 : Value >> 4) : Value);
            continue;
        }
        switch (Value) {
        case 0: X = 0, ++Y; break;
        case 1: return;
        case 2: {
            if (End - P < 2) Fail("truncated RLE data");
            X += B.P[P], Y += B.P[P + 1];
            P += 2;
            if (X > H.Width || Y > H.Height || (Y == H.Height && X > 0))
                Fail("RLE delta moves past the image");
            break;
        }
        default: {
            const size_t Bytes = Four ? (Value + 1) / 2 : Value;
            const size_t Padded = (Bytes + 1) & ~size_t(1);
            if (End - P < Bytes) Fail("truncated RLE data");
            for (int i = 0; i < Value; ++i) {
                const uint8_t Byte = B.P[P + (Four ? i / 2 : i)];
                Put(Four ? ((i & 1) ? Byte & 15 : Byte >> 4) : Byte);
            }
            P += std::min(Padded, End - P);
        }
        }
    }
    // Data without an end-of-bitmap marker is complete only when it has filled the last row.
    if (!(Y >= H.Height || (Y == H.Height - 1 && X == H.Width))) Fail("truncated RLE data");
}

} // namespace

TRawImage DecodeBMP(const uint8_t* Data, size_t Size) {
    if (!Data) Fail("no data");
    const TBytes B{Data, Size};
    THeader H = ReadHeader(B);
    CheckFormat(H);
    const uint32_t OffBits = B.U32(10);
    if (OffBits > Size) Fail("pixel data offset past the end of the file");

    TRawImage Img;
    Img.Width = int(H.Width);
    Img.Height = int(H.Height);
    if (H.Bpp <= 8)
        Img.Palette = ReadPalette(B, H, OffBits);
    else if (OffBits < H.PaletteStart)
        Fail("pixel data overlaps the header");
    if (H.Compression == BI_RLE8 || H.Compression == BI_RLE4)
        DecodeRle(B, H, OffBits, Img);
    else
        DecodeUncompressed(B, H, OffBits, Img);
    return Img;
}

} // namespace qyx::gfx
