// The resource registry and the text-picture helpers that build embedded bitmaps and cursors.
#include <qyx/platform/Exceptions.h>
#include <qyx/platform/Resources.h>

#include "ImageCodecs.h"

#include <cctype>
#include <map>
#include <mutex>
#include <string_view>

namespace qyx {

namespace {

using TKey = std::pair<std::string, TResourceKind>;

struct TRegistry {
    std::mutex Lock;
    std::map<TKey, std::vector<uint8_t>> Items;
};

TRegistry& Registry() {
    static TRegistry R;
    return R;
}

TKey KeyOf(const std::string& Name, TResourceKind Kind) {
    std::string Upper = Name;
    for (char& C : Upper) C = static_cast<char>(std::toupper(static_cast<unsigned char>(C)));
    return {Upper, Kind};
}

void Put16(std::vector<uint8_t>& Out, unsigned V) {
    Out.push_back(uint8_t(V));
    Out.push_back(uint8_t(V >> 8));
}

// Width and height of a text picture; raises on ragged or empty pictures.
void PictureSize(std::initializer_list<const char*> Rows, int& W, int& H) {
    H = int(Rows.size());
    W = H ? int(std::string_view(*Rows.begin()).size()) : 0;
    if (W == 0) throw EInvalidGraphic("Picture is empty");
    for (const char* Row : Rows)
        if (int(std::string_view(Row).size()) != W) throw EInvalidGraphic("Picture rows differ in length");
}

gfx::TRawImage NewImage(int W, int H, int Bpp) {
    gfx::TRawImage Img;
    Img.Width = W;
    Img.Height = H;
    Img.BitsPerPixel = Bpp;
    Img.Stride = int(gfx::PaddedRowBytes(W, Bpp));
    Img.Pixels.assign(size_t(Img.Stride) * H, 0);
    return Img;
}

void SetIndex(gfx::TRawImage& Img, int X, int Y, unsigned Index) {
    uint8_t* Row = Img.Pixels.data() + size_t(Y) * Img.Stride;
    switch (Img.BitsPerPixel) {
    case 1: Row[X / 8] |= uint8_t((Index & 1) << (7 - X % 8)); break;
    case 4: Row[X / 2] |= uint8_t((X & 1) ? Index & 15 : Index << 4); break;
    default: Row[X] = uint8_t(Index);
    }
}

} // namespace

void RegisterResource(const std::string& Name, TResourceKind Kind, const uint8_t* Data, size_t Size) {
    TRegistry& R = Registry();
    std::lock_guard<std::mutex> Guard(R.Lock);
    R.Items[KeyOf(Name, Kind)].assign(Data, Data + (Data ? Size : 0));
}

bool UnregisterResource(const std::string& Name, TResourceKind Kind) {
    TRegistry& R = Registry();
    std::lock_guard<std::mutex> Guard(R.Lock);
    return R.Items.erase(KeyOf(Name, Kind)) > 0;
}

bool FindResource(const std::string& Name, TResourceKind Kind, const uint8_t*& Data, size_t& Size) {
    TRegistry& R = Registry();
    std::lock_guard<std::mutex> Guard(R.Lock);
    auto It = R.Items.find(KeyOf(Name, Kind));
    if (It == R.Items.end()) return false;
    Data = It->second.data();
    Size = It->second.size();
    return true;
}

TResourceRegistrar::TResourceRegistrar(const char* Name, TResourceKind Kind, const uint8_t* Data,
                                       size_t Size) {
    RegisterResource(Name, Kind, Data, Size);
}

TResourceRegistrar::TResourceRegistrar(const char* Name, TResourceKind Kind,
                                       const std::vector<uint8_t>& Data) {
    RegisterResource(Name, Kind, Data.data(), Data.size());
}

bool FindCursorResource(const std::string& Name, TCursorResource& Cursor) {
    const uint8_t* D = nullptr;
    size_t N = 0;
    if (!FindResource(Name, rkCursor, D, N)) return false;
    if (N < 12 || D[0] != 'Q' || D[1] != 'C' || D[2] != 'U' || D[3] != 'R')
        throw EInvalidGraphic("Cursor resource " + Name + " is not valid");
    const size_t ImageSize = D[8] | D[9] << 8 | D[10] << 16 | size_t(D[11]) << 24;
    if (ImageSize == 0 || ImageSize > N - 12)
        throw EInvalidGraphic("Cursor resource " + Name + " is not valid");
    Cursor.HotX = D[4] | D[5] << 8;
    Cursor.HotY = D[6] | D[7] << 8;
    Cursor.Image = D + 12;
    Cursor.ImageSize = ImageSize;
    Cursor.MaskSize = N - 12 - ImageSize;
    Cursor.Mask = Cursor.MaskSize ? D + 12 + ImageSize : nullptr;
    return true;
}

std::vector<uint8_t> MakeCursorResource(int HotX, int HotY, const std::vector<uint8_t>& ImageBmp,
                                        const std::vector<uint8_t>& MaskBmp) {
    if (HotX < 0 || HotY < 0 || HotX > 0xFFFF || HotY > 0xFFFF || ImageBmp.empty() ||
        ImageBmp.size() > 0xFFFFFFFFu)
        throw EInvalidGraphic("Cursor resource is not valid");
    std::vector<uint8_t> Out = {'Q', 'C', 'U', 'R'};
    Put16(Out, unsigned(HotX));
    Put16(Out, unsigned(HotY));
    Put16(Out, unsigned(ImageBmp.size() & 0xFFFF));
    Put16(Out, unsigned(ImageBmp.size() >> 16));
    Out.insert(Out.end(), ImageBmp.begin(), ImageBmp.end());
    Out.insert(Out.end(), MaskBmp.begin(), MaskBmp.end());
    return Out;
}

std::vector<uint8_t> PictureToBitmap(std::initializer_list<const char*> Rows,
                                     std::initializer_list<std::pair<char, uint32_t>> Legend,
                                     int BitsPerPixel) {
    if (BitsPerPixel != 1 && BitsPerPixel != 4 && BitsPerPixel != 8 && BitsPerPixel != 24)
        throw EInvalidGraphic("Picture depth must be 1, 4, 8 or 24 bits");
    if (BitsPerPixel <= 8 && Legend.size() > (size_t(1) << BitsPerPixel))
        throw EInvalidGraphic("Picture has more colours than its depth allows");
    int W, H;
    PictureSize(Rows, W, H);
    gfx::TRawImage Img = NewImage(W, H, BitsPerPixel);
    if (BitsPerPixel <= 8) {
        Img.Palette.assign(size_t(1) << BitsPerPixel, 0);
        size_t i = 0;
        for (const auto& [Char, Colour] : Legend) Img.Palette[i++] = Colour & 0xFFFFFF;
    }
    int Y = 0;
    for (const char* Row : Rows) {
        for (int X = 0; X < W; ++X) {
            unsigned Index = 0;
            bool Found = false;
            for (const auto& [Char, Colour] : Legend) {
                if (Char == Row[X]) {
                    Found = true;
                    break;
                }
                ++Index;
            }
            if (!Found)
                throw EInvalidGraphic(std::string("Picture character '") + Row[X] + "' has no colour");
            if (BitsPerPixel == 24) {
                const uint32_t C = (Legend.begin() + Index)->second;
                uint8_t* P = Img.Pixels.data() + size_t(Y) * Img.Stride + 3 * size_t(X);
                P[0] = uint8_t(C >> 16), P[1] = uint8_t(C >> 8), P[2] = uint8_t(C);
            } else {
                SetIndex(Img, X, Y, Index);
            }
        }
        ++Y;
    }
    return gfx::EncodeBMP(Img);
}

std::vector<uint8_t> PictureToCursor(std::initializer_list<const char*> Rows, int HotX, int HotY) {
    int W, H;
    PictureSize(Rows, W, H);
    gfx::TRawImage Image = NewImage(W, H, 1), Mask = NewImage(W, H, 1);
    Image.Palette = {0x000000, 0xFFFFFF};
    Mask.Palette = {0x000000, 0xFFFFFF};
    int Y = 0;
    for (const char* Row : Rows) {
        for (int X = 0; X < W; ++X) {
            switch (Row[X]) {
            case '#': break;
            case 'o': SetIndex(Image, X, Y, 1); break;
            case '.': SetIndex(Mask, X, Y, 1); break;
            default:
                throw EInvalidGraphic(std::string("Cursor picture character '") + Row[X] +
                                      "' is not #, o or .");
            }
        }
        ++Y;
    }
    return MakeCursorResource(HotX, HotY, gfx::EncodeBMP(Image), gfx::EncodeBMP(Mask));
}

namespace gfx {

TRawImage DecodeImage(const uint8_t* Data, size_t Size) {
    switch (DetectImageKind(Data, Size)) {
    case TImageKind::BMP: return DecodeBMP(Data, Size);
    case TImageKind::PNG: return DecodePNG(Data, Size);
    case TImageKind::JPEG: return DecodeJPEG(Data, Size);
    default: throw EInvalidGraphic("Unknown image format");
    }
}

TRawImage LoadBitmapResource(const std::string& Name) {
    const uint8_t* Data = nullptr;
    size_t Size = 0;
    if (!FindResource(Name, rkBitmap, Data, Size)) throw EInvalidGraphic("Resource " + Name + " not found");
    return DecodeImage(Data, Size);
}

TCursorImage LoadCursorResource(const std::string& Name) {
    TCursorResource C;
    if (!FindCursorResource(Name, C)) throw EInvalidGraphic("Resource " + Name + " not found");
    TCursorImage Out;
    Out.HotX = C.HotX;
    Out.HotY = C.HotY;
    Out.Image = DecodeBMP(C.Image, C.ImageSize);
    if (C.Mask) {
        Out.Mask = DecodeBMP(C.Mask, C.MaskSize);
        if (Out.Mask.BitsPerPixel != 1 || Out.Mask.Width != Out.Image.Width ||
            Out.Mask.Height != Out.Image.Height)
            throw EInvalidGraphic("Cursor resource " + Name + " has a mask that does not fit its image");
    }
    return Out;
}

} // namespace gfx

} // namespace qyx
