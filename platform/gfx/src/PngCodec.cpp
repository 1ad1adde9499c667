// PNG reader and writer on libpng.
//
// Reading: palette images keep their indices (1, 4 and 8 bits; 2-bit data widens to 8 bits), grey
// images become palette images with a grey ramp, colour images 24-bit B,G,R. Transparency has no
// place in the bitmaps, so transparent pixels and palette entries are blended over white. 16-bit
// samples are reduced to 8 bits. Writing: palette images as palette PNGs, everything else as 8-bit RGB.
#include "ImageCodecs.h"

#include <qyx/platform/Exceptions.h>

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>

namespace qyx::gfx {

namespace {

// Deflate expands data at most 1032-fold, so a file holds at least this share of its raw rows.
constexpr uint64_t MaxDeflateRatio = 1032;
constexpr size_t MaxChunkBytes = size_t(8) << 20;

struct TPngIo {
    const uint8_t* Data = nullptr;
    size_t Size = 0, Pos = 0;
    std::vector<uint8_t>* Out = nullptr;
    char Message[200] = "";
};

void OnError(png_structp Png, png_const_charp Msg) {
    auto* Io = static_cast<TPngIo*>(png_get_error_ptr(Png));
    std::snprintf(Io->Message, sizeof Io->Message, "%s", Msg ? Msg : "error");
    png_longjmp(Png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void ReadData(png_structp Png, png_bytep Dst, size_t Len) {
    auto* Io = static_cast<TPngIo*>(png_get_io_ptr(Png));
    if (Io->Size - Io->Pos < Len) png_error(Png, "unexpected end of data");
    std::memcpy(Dst, Io->Data + Io->Pos, Len);
    Io->Pos += Len;
}

void WriteData(png_structp Png, png_bytep Src, size_t Len) {
    auto* Io = static_cast<TPngIo*>(png_get_io_ptr(Png));
    Io->Out->insert(Io->Out->end(), Src, Src + Len);
}

void FlushData(png_structp) {}

// True when every chunk up to IEND lies inside the data: a chunk header cannot make the reader
// reserve memory for bytes the file does not have.
bool ChunksFit(const uint8_t* Data, size_t Size) {
    size_t Pos = 8;
    while (Size - Pos >= 8) {
        const uint64_t Len =
            uint64_t(Data[Pos]) << 24 | Data[Pos + 1] << 16 | Data[Pos + 2] << 8 | Data[Pos + 3];
        if (Len > 0x7FFFFFFF || Len + 12 > Size - Pos) return false;
        const bool End = std::memcmp(Data + Pos + 4, "IEND", 4) == 0;
        Pos += size_t(Len) + 12;
        if (End) return true;
    }
    return false;
}

uint8_t OverWhite(unsigned V, unsigned Alpha) {
    return uint8_t((V * Alpha + 255 * (255 - Alpha) + 127) / 255);
}

// Reads into Img; false with Io.Message on a libpng error. Rows is caller-owned because of longjmp.
bool Read(png_structp Png, png_infop Info, TPngIo& Io, TRawImage& Img, std::vector<png_bytep>& Rows) {
    if (setjmp(png_jmpbuf(Png))) return false;
    png_set_read_fn(Png, &Io, ReadData);
    png_set_user_limits(Png, uint32_t(MaxImageSide), uint32_t(MaxImageSide));
    // Ancillary chunks are skipped without being kept, and no chunk may claim more memory than a
    // real one needs, whatever length its header states.
    png_set_keep_unknown_chunks(Png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
    png_set_chunk_malloc_max(Png, MaxChunkBytes);
    png_set_chunk_cache_max(Png, 128);
    png_read_info(Png, Info);
    png_uint_32 W = 0, H = 0;
    int Depth = 0, Type = 0, Interlace = 0;
    png_get_IHDR(Png, Info, &W, &H, &Depth, &Type, &Interlace, nullptr, nullptr);
    CheckImageSize(W, H, "PNG");
    const uint64_t RawRow = (uint64_t(W) * png_get_channels(Png, Info) * Depth + 7) / 8 + 1;
    if (RawRow * H > MaxDeflateRatio * Io.Size) png_error(Png, "not enough image data");

    const bool Trns = png_get_valid(Png, Info, PNG_INFO_tRNS);
    const bool Palette = Type == PNG_COLOR_TYPE_PALETTE;
    const bool GreyPlain = Type == PNG_COLOR_TYPE_GRAY && !Trns;
    const bool Alpha = !Palette && !GreyPlain && (Trns || (Type & PNG_COLOR_MASK_ALPHA));
    if (Depth == 16) png_set_strip_16(Png);
    if (Depth == 2 && (Palette || GreyPlain)) png_set_packing(Png);
    if (!Palette && !GreyPlain) {
        png_set_expand(Png);
        png_set_gray_to_rgb(Png);
        png_set_bgr(Png);
    }
    if (Interlace != PNG_INTERLACE_NONE) png_set_interlace_handling(Png);
    png_read_update_info(Png, Info);

    Img.Width = int(W);
    Img.Height = int(H);
    const int OutDepth = Depth == 2 ? 8 : std::min(Depth, 8);
    Img.BitsPerPixel = Palette || GreyPlain ? OutDepth : 24;
    if (Palette || GreyPlain) {
        Img.Palette.assign(size_t(1) << OutDepth, 0);
        if (Palette) {
            png_colorp Entries = nullptr;
            int Count = 0;
            png_get_PLTE(Png, Info, &Entries, &Count);
            png_bytep TransAlpha = nullptr;
            int TransCount = 0;
            if (Trns) png_get_tRNS(Png, Info, &TransAlpha, &TransCount, nullptr);
            for (int i = 0; i < Count && size_t(i) < Img.Palette.size(); ++i) {
                const unsigned A = i < TransCount ? TransAlpha[i] : 255;
                Img.Palette[i] = OverWhite(Entries[i].red, A) | OverWhite(Entries[i].green, A) << 8 |
                                 uint32_t(OverWhite(Entries[i].blue, A)) << 16;
            }
        } else {
            const unsigned Levels = 1u << std::min(Depth, 8);
            for (unsigned i = 0; i < Levels; ++i) {
                const uint32_t G = i * 255 / (Levels - 1);
                Img.Palette[i] = G | G << 8 | G << 16;
            }
        }
    }
    Img.Stride = int(PaddedRowBytes(W, Img.BitsPerPixel));
    const size_t RowBytes = png_get_rowbytes(Png, Info);
    const size_t WorkStride = std::max<size_t>(RowBytes, Img.Stride);
    Img.Pixels.assign(WorkStride * H, 0);
    Rows.resize(H);
    for (png_uint_32 y = 0; y < H; ++y) Rows[y] = Img.Pixels.data() + y * WorkStride;
    png_read_image(Png, Rows.data());
    png_read_end(Png, nullptr);

    // Repack into the final stride; blend B,G,R,A rows over white.
    const int Channels = png_get_channels(Png, Info);
    for (png_uint_32 y = 0; y < H; ++y) {
        const uint8_t* Src = Img.Pixels.data() + y * WorkStride;
        uint8_t* Dst = Img.Pixels.data() + y * size_t(Img.Stride);
        if (Alpha && Channels == 4) {
            for (png_uint_32 x = 0; x < W; ++x) {
                const uint8_t* P = Src + 4 * size_t(x);
                const uint8_t B = OverWhite(P[0], P[3]), G = OverWhite(P[1], P[3]), R = OverWhite(P[2], P[3]);
                Dst[3 * x] = B, Dst[3 * x + 1] = G, Dst[3 * x + 2] = R;
            }
        } else {
            std::memmove(Dst, Src, std::min<size_t>(RowBytes, Img.Stride));
        }
        std::fill(Dst + std::min<size_t>((size_t(W) * Img.BitsPerPixel + 7) / 8, Img.Stride),
                  Dst + Img.Stride, 0);
    }
    Img.Pixels.resize(size_t(Img.Stride) * H);
    return true;
}

bool Write(png_structp Png, png_infop Info, TPngIo& Io, const TRawImage& Img, std::vector<png_color>& Pal,
           std::vector<uint8_t>& Rgb, std::vector<png_bytep>& Rows) {
    if (setjmp(png_jmpbuf(Png))) return false;
    png_set_write_fn(Png, &Io, WriteData, FlushData);
    const int Bpp = Img.BitsPerPixel;
    const bool Palette = Bpp <= 8;
    png_set_IHDR(Png, Info, uint32_t(Img.Width), uint32_t(Img.Height), Palette ? Bpp : 8,
                 Palette ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(Png, Info, 3780, 3780, PNG_RESOLUTION_METER);
    if (Palette) png_set_PLTE(Png, Info, Pal.data(), int(Pal.size()));
    png_write_info(Png, Info);
    if (Bpp == 24 || Bpp == 32) png_set_bgr(Png);
    if (Bpp == 32) png_set_filler(Png, 0, PNG_FILLER_AFTER);
    Rows.resize(size_t(Img.Height));
    for (int y = 0; y < Img.Height; ++y)
        Rows[y] = const_cast<png_bytep>(Bpp == 15 || Bpp == 16 ? Rgb.data() + size_t(y) * Img.Width * 3
                                                               : Img.Pixels.data() + size_t(y) * Img.Stride);
    png_write_image(Png, Rows.data());
    png_write_end(Png, nullptr);
    return true;
}

} // namespace

TRawImage DecodePNG(const uint8_t* Data, size_t Size) {
    if (!Data || Size < 8 || png_sig_cmp(Data, 0, 8))
        throw EInvalidGraphic("PNG image is not valid: no PNG signature");
    if (!ChunksFit(Data, Size)) throw EInvalidGraphic("PNG image is not valid: truncated chunk");
    TPngIo Io;
    Io.Data = Data;
    Io.Size = Size;
    png_structp Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &Io, OnError, OnWarning);
    png_infop Info = Png ? png_create_info_struct(Png) : nullptr;
    if (!Info) {
        png_destroy_read_struct(&Png, nullptr, nullptr);
        throw EInvalidGraphic("PNG image cannot be read: out of memory");
    }
    TRawImage Img;
    std::vector<png_bytep> Rows;
    bool Ok;
    try {
        Ok = Read(Png, Info, Io, Img, Rows);
    } catch (...) {
        png_destroy_read_struct(&Png, &Info, nullptr);
        throw;
    }
    png_destroy_read_struct(&Png, &Info, nullptr);
    if (!Ok) throw EInvalidGraphic(std::string("PNG image is not valid: ") + Io.Message);
    return Img;
}

std::vector<uint8_t> EncodePNG(const TRawImage& Img) {
    CheckRawImage(Img);
    if (Img.Width == 0 || Img.Height == 0) throw EInvalidGraphic("PNG image cannot be empty");
    const int Bpp = Img.BitsPerPixel;
    std::vector<png_color> Pal;
    if (Bpp <= 8) { // every index the pixels use needs an entry
        const size_t Max = size_t(1) << Bpp;
        size_t Used = std::min(Img.Palette.size(), Max);
        if (Used == 0) Used = Max;
        for (int y = 0; y < Img.Height; ++y)
            for (int x = 0; x < Img.Width && Used < Max; ++x) {
                const uint8_t* Row = Img.Pixels.data() + size_t(y) * Img.Stride;
                const size_t I = Bpp == 8   ? Row[x]
                                 : Bpp == 4 ? (x & 1 ? Row[x / 2] & 15 : Row[x / 2] >> 4)
                                            : (Row[x / 8] >> (7 - x % 8)) & 1;
                Used = std::max(Used, I + 1);
            }
        for (size_t i = 0; i < Used; ++i) {
            uint32_t C;
            if (Img.Palette.empty())
                C = uint32_t(i * 255 / (Max - 1)) * 0x010101u;
            else
                C = i < Img.Palette.size() ? Img.Palette[i] : 0;
            Pal.push_back({uint8_t(C), uint8_t(C >> 8), uint8_t(C >> 16)});
        }
    }
    std::vector<uint8_t> Rgb;
    if (Bpp == 15 || Bpp == 16) {
        Rgb.resize(size_t(Img.Width) * Img.Height * 3);
        for (int y = 0; y < Img.Height; ++y)
            for (int x = 0; x < Img.Width; ++x) {
                const uint32_t C = PixelColor(Img, x, y);
                uint8_t* P = Rgb.data() + (size_t(y) * Img.Width + x) * 3;
                P[0] = uint8_t(C), P[1] = uint8_t(C >> 8), P[2] = uint8_t(C >> 16);
            }
    }
    std::vector<uint8_t> Out;
    TPngIo Io;
    Io.Out = &Out;
    png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &Io, OnError, OnWarning);
    png_infop Info = Png ? png_create_info_struct(Png) : nullptr;
    if (!Info) {
        png_destroy_write_struct(&Png, nullptr);
        throw EInvalidGraphic("PNG image cannot be written: out of memory");
    }
    std::vector<png_bytep> Rows;
    const bool Ok = Write(Png, Info, Io, Img, Pal, Rgb, Rows);
    png_destroy_write_struct(&Png, &Info);
    if (!Ok) throw EInvalidGraphic(std::string("PNG image cannot be written: ") + Io.Message);
    return Out;
}

} // namespace qyx::gfx
