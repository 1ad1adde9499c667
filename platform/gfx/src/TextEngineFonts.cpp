// Font instances of the text engine: FreeType faces at 96 dpi, their cell metrics and the cache of
// monochrome, hinted glyph images.
//
// Glyph outlines are hinted by FreeType's auto-hinter in its monochrome mode (strong snapping of
// stems and heights gives clean one-bit glyphs whatever the face's own instructions) and rendered in
// monochrome. Advances are the design advances scaled to the size and rounded to whole pixels
// (halves up), which keeps the metric-compatible faces' widths and makes monospaced faces exact.
// Where hinting pushes ink past the advance, the glyph moves into its cell if its side bearing allows;
// otherwise an upright proportional glyph is widened to hold its ink (slanted and fixed-pitch glyphs
// overhang), so that upright text never draws outside its cell.
// A synthesised bold widens each glyph and its advance by max(1, E / 24) pixels of overstrike; a
// synthesised italic slants the outline.
//
// Cell metrics of a face at em size E pixels (U = units per em; win values from the OS/2 table, hhea
// values from the horizontal header; a face without OS/2 uses the hhea ascender and descender):
//   Ascent  = max(ceil(usWinAscent * E / U), top row of the highest hinted glyph)
//   Descent = max(ceil(usWinDescent * E / U), rows below the baseline of the lowest hinted glyph)
//   Height  = Ascent + Descent               InternalLeading = Height - E
//   ExternalLeading = max(0, round((hhea.Ascender - hhea.Descender + hhea.LineGap
//                                   - usWinAscent - usWinDescent) * E / U))
//   AveCharWidth = round(xAvgCharWidth * E / U)   MaxCharWidth = round(advanceWidthMax * E / U)
// A negative requested height is -E; a positive one is the cell height, giving
// E = round(Height * U / (usWinAscent + usWinDescent)). Heights are limited to 1..MaxEm pixels;
// 0 asks for the default of 11 pixels (8 points). The glyphs taken into account are those of the 256
// code page 1252 bytes, so that the ink of every character stays inside the cell rows (hinting lifts
// the accents of capitals above the scaled ascent at small sizes).
#include "TextEngineFonts.h"

#include <qyx/platform/Exceptions.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <tuple>

namespace qyx::gfx::text {

namespace {

constexpr int MaxEm = 2048;
constexpr FT_Int32 LoadFlags = FT_LOAD_TARGET_MONO | FT_LOAD_FORCE_AUTOHINT | FT_LOAD_NO_BITMAP;
constexpr int DefaultEm = 11;
constexpr size_t MaxCachedFonts = 64;
constexpr size_t MaxGlyphBytes = size_t(64) << 20; // glyph images of all fonts together

using TFontKey = std::tuple<std::string, int, bool, bool>;
std::map<TFontKey, std::unique_ptr<TFontInstance>>& Fonts() {
    static std::map<TFontKey, std::unique_ptr<TFontInstance>> Map;
    return Map;
}
size_t GlyphBytes = 0;

// Drops every cached glyph image except Keep; advances are reloaded with their glyphs when needed.
void TrimGlyphs(const TGlyph* Keep) {
    for (auto& [Key, F] : Fonts())
        for (TGlyph& G : F->Glyphs)
            if (&G != Keep && G.Loaded) {
                GlyphBytes -= G.Bits.size();
                G = TGlyph{};
            }
}

void ClearGlyphs(TFontInstance& F) {
    for (TGlyph& G : F.Glyphs) {
        GlyphBytes -= G.Bits.size();
        G = TGlyph{};
    }
}

// Extent of the hinted outlines of all 256 code page bytes: highest top and lowest bottom in pixels.
void HintedExtent(FT_Face Face, bool Oblique, int& Top, int& Bottom) {
    Top = 0, Bottom = 0;
    std::vector<bool> Seen(static_cast<size_t>(std::max<FT_Long>(Face->num_glyphs, 1)));
    for (int C = 0; C < 256; ++C) {
        FT_UInt Index = FT_Get_Char_Index(Face, Cp1252ToCodePoint(static_cast<uint8_t>(C)));
        if (Index >= Seen.size() || Seen[Index]) continue;
        Seen[Index] = true;
        if (FT_Load_Glyph(Face, Index, LoadFlags) || Face->glyph->format != FT_GLYPH_FORMAT_OUTLINE ||
            Face->glyph->outline.n_points == 0)
            continue;
        if (Oblique) FT_GlyphSlot_Oblique(Face->glyph);
        FT_BBox Box;
        FT_Outline_Get_CBox(&Face->glyph->outline, &Box);
        Top = std::max(Top, static_cast<int>((Box.yMax + 63) >> 6));
        Bottom = std::min(Bottom, static_cast<int>(Box.yMin >> 6));
    }
}

FT_Library Library() {
    static FT_Library Lib = [] {
        FT_Library L = nullptr;
        if (FT_Init_FreeType(&L)) throw EInvalidGraphic("Font engine cannot be initialised");
        return L;
    }();
    return Lib;
}

std::shared_ptr<const std::vector<uint8_t>> FileBytes(const std::string& Path) {
    static std::map<std::string, std::shared_ptr<const std::vector<uint8_t>>> Files;
    if (auto It = Files.find(Path); It != Files.end()) return It->second;
    std::ifstream In(Path, std::ios::binary);
    if (!In) throw EInvalidGraphic("Font file \"" + Path + "\" cannot be read");
    auto Data = std::make_shared<const std::vector<uint8_t>>(std::istreambuf_iterator<char>(In),
                                                             std::istreambuf_iterator<char>());
    Files.emplace(Path, Data);
    return Data;
}

int64_t CeilDiv(int64_t A, int64_t B) {
    return A >= 0 ? (A + B - 1) / B : -((-A) / B);
}
int RoundScale(int64_t Units, int Em, int Upem) {
    return static_cast<int>(std::nearbyint(double(Units) * Em / Upem));
}

struct TFaceUnits {
    int Upem, WinAscent, WinDescent;
};

TFaceUnits FaceUnits(FT_Face Face) {
    TFaceUnits U{Face->units_per_EM > 0 ? Face->units_per_EM : 1000, Face->ascender, -Face->descender};
    auto* Os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(Face, FT_SFNT_OS2));
    if (Os2 && Os2->version != 0xFFFF && Os2->usWinAscent + Os2->usWinDescent > 0) {
        U.WinAscent = Os2->usWinAscent;
        U.WinDescent = Os2->usWinDescent;
    }
    if (U.WinAscent + U.WinDescent <= 0) {
        U.WinAscent = U.Upem;
        U.WinDescent = 0;
    }
    return U;
}

int EmFor(int Height, const TFaceUnits& U) {
    int64_t Em;
    if (Height == 0)
        Em = DefaultEm;
    else if (Height < 0)
        Em = -int64_t(Height);
    else {
        int64_t Sum = U.WinAscent + U.WinDescent;
        Em = (int64_t(Height) * U.Upem + Sum / 2) / Sum;
    }
    return static_cast<int>(std::clamp<int64_t>(Em, 1, MaxEm));
}

void SetUpMetrics(TFontInstance& F, FT_Face Face) {
    TFaceUnits U = FaceUnits(Face);
    const int E = F.Em;
    TTextMetrics& M = F.Metrics;
    int InkTop, InkBottom;
    HintedExtent(Face, F.SynthItalic, InkTop, InkBottom);
    M.Ascent = std::max(InkTop, static_cast<int>(CeilDiv(int64_t(U.WinAscent) * E, U.Upem)));
    M.Descent = std::max(-InkBottom, static_cast<int>(CeilDiv(int64_t(U.WinDescent) * E, U.Upem)));
    M.Height = M.Ascent + M.Descent;
    M.InternalLeading = M.Height - E;
    auto* Hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(Face, FT_SFNT_HHEA));
    auto* Os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(Face, FT_SFNT_OS2));
    int64_t Gap =
        Hhea ? int64_t(Hhea->Ascender) - Hhea->Descender + Hhea->Line_Gap - U.WinAscent - U.WinDescent
             : int64_t(Face->height) - U.WinAscent - U.WinDescent;
    M.ExternalLeading = std::max(0, RoundScale(Gap, E, U.Upem));
    M.MaxCharWidth =
        RoundScale(Hhea ? Hhea->advance_Width_Max : Face->max_advance_width, E, U.Upem) + F.BoldShift;
    if (Os2 && Os2->version != 0xFFFF && Os2->xAvgCharWidth > 0)
        M.AveCharWidth = RoundScale(Os2->xAvgCharWidth, E, U.Upem) + F.BoldShift;
    else
        M.AveCharWidth = GlyphFor(F, 'x').Advance;

    // Underline: FreeType gives the centre of the stroke; strike-out: the OS/2 top of the stroke.
    F.UnderlineThickness = std::max(1, RoundScale(Face->underline_thickness, E, U.Upem));
    F.UnderlineTop =
        M.Ascent + RoundScale(-int64_t(Face->underline_position), E, U.Upem) - F.UnderlineThickness / 2;
    int64_t StrikePos = U.Upem * 26 / 100, StrikeSize = Face->underline_thickness;
    if (Os2 && Os2->version != 0xFFFF && Os2->yStrikeoutSize > 0) {
        StrikePos = Os2->yStrikeoutPosition;
        StrikeSize = Os2->yStrikeoutSize;
    }
    F.StrikeThickness = std::max(1, RoundScale(StrikeSize, E, U.Upem));
    F.StrikeTop = M.Ascent - RoundScale(StrikePos, E, U.Upem);
    auto Fit = [&](int& Top, int& Thick) {
        Thick = std::min(Thick, std::max(1, M.Height));
        Top = std::clamp(Top, 0, std::max(0, M.Height - Thick));
    };
    Fit(F.UnderlineTop, F.UnderlineThickness);
    Fit(F.StrikeTop, F.StrikeThickness);
}

std::string Lower(std::string S) {
    for (char& C : S) C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
    return S;
}

std::unique_ptr<TFontInstance> NewFont(const TFontRequest& Request, bool Bold, bool Italic);

} // namespace

std::mutex& EngineLock() {
    static std::mutex Lock;
    return Lock;
}

TFontInstance::~TFontInstance() {
    for (const TGlyph& G : Glyphs) GlyphBytes -= G.Bits.size();
    if (Face) FT_Done_Face(static_cast<FT_Face>(Face));
}

TFontInstance& FontFor(const TFontRequest& Request) {
    // The font of the previous call is remembered as it was asked for: text is mostly drawn in runs.
    static std::string LastName;
    static int LastHeight = 0;
    static uint64_t LastStyle = 0;
    static TFontInstance* Last = nullptr;
    const bool Bold = Request.Style.Contains(fsBold), Italic = Request.Style.Contains(fsItalic);
    const uint64_t Style = (Bold ? 1 : 0) | (Italic ? 2 : 0);
    if (Last && Request.Height == LastHeight && Style == LastStyle && Request.Name == LastName) return *Last;

    TFontKey Key{Lower(Request.Name), Request.Height, Bold, Italic};
    auto It = Fonts().find(Key);
    if (It == Fonts().end()) {
        if (Fonts().size() >= MaxCachedFonts) {
            Last = nullptr;
            Fonts().clear();
        }
        It = Fonts().emplace(Key, NewFont(Request, Bold, Italic)).first;
    }
    LastName = Request.Name, LastHeight = Request.Height, LastStyle = Style, Last = It->second.get();
    return *Last;
}

namespace {

std::unique_ptr<TFontInstance> NewFont(const TFontRequest& Request, bool Bold, bool Italic) {
    TFaceFile File = FindFaceFile(Request.Name, Bold, Italic);
    auto F = std::make_unique<TFontInstance>();
    F->FileData = FileBytes(File.File);
    FT_Face Face = nullptr;
    if (FT_New_Memory_Face(Library(), F->FileData->data(), static_cast<FT_Long>(F->FileData->size()),
                           File.Index, &Face))
        throw EInvalidGraphic("Font file \"" + File.File + "\" cannot be read");
    F->Face = Face;
    FT_Select_Charmap(Face, FT_ENCODING_UNICODE);
    F->SynthItalic = File.SynthItalic;
    F->Upright = !FT_IS_FIXED_WIDTH(Face) && !(Face->style_flags & FT_STYLE_FLAG_ITALIC) && !File.SynthItalic;
    // A positive height is the cell height: the largest em size whose cell is not taller.
    for (F->Em = EmFor(Request.Height, FaceUnits(Face));; --F->Em) {
        if (FT_Set_Pixel_Sizes(Face, 0, static_cast<FT_UInt>(F->Em)))
            throw EInvalidGraphic("Font \"" + Request.Name + "\" cannot be scaled");
        F->BoldShift = File.SynthBold ? std::max(1, F->Em / 24) : 0;
        ClearGlyphs(*F);
        SetUpMetrics(*F, Face);
        if (Request.Height <= 0 || F->Metrics.Height <= Request.Height || F->Em == 1) break;
    }
    return F;
}

} // namespace

const TGlyph& GlyphFor(TFontInstance& Font, uint8_t C) {
    TGlyph& G = Font.Glyphs[C];
    if (G.Loaded) return G;
    G.Loaded = true;
    auto Face = static_cast<FT_Face>(Font.Face);
    FT_UInt Index = FT_Get_Char_Index(Face, Cp1252ToCodePoint(C)); // 0 = the face's default glyph
    if (FT_Load_Glyph(Face, Index, LoadFlags)) return G;
    FT_GlyphSlot Slot = Face->glyph;
    if (Font.SynthItalic) FT_GlyphSlot_Oblique(Slot);
    G.Advance = static_cast<int>((Slot->linearHoriAdvance + 0x8000) >> 16) + Font.BoldShift;
    if (FT_Render_Glyph(Slot, FT_RENDER_MODE_MONO) || Slot->bitmap.pixel_mode != FT_PIXEL_MODE_MONO) return G;

    const FT_Bitmap& B = Slot->bitmap;
    const int Rows = static_cast<int>(B.rows), Cols = static_cast<int>(B.width);
    const int Pitch = std::abs(B.pitch);
    G.Left = Slot->bitmap_left;
    G.Top = Slot->bitmap_top;
    G.W = Cols + Font.BoldShift;
    G.H = Rows;
    G.Bits.assign(size_t(G.W) * G.H, 0);
    for (int y = 0; y < Rows; ++y) {
        const uint8_t* Src = B.buffer + size_t(B.pitch >= 0 ? y : Rows - 1 - y) * Pitch;
        uint8_t* Dst = G.Bits.data() + size_t(y) * G.W;
        for (int x = 0; x < Cols; ++x)
            if (Src[x >> 3] & (0x80 >> (x & 7)))
                for (int k = 0; k <= Font.BoldShift; ++k) Dst[x + k] = 1;
    }
    // Hinting can push a glyph's ink a pixel past its rounded advance. Where the side bearing on the
    // other side leaves room, the glyph moves back inside its advance; an upright proportional glyph
    // whose ink is still wider gets the advance it needs. Slanted and fixed-pitch glyphs may overhang.
    if (G.W > 0) {
        if (const int Over = G.Left + G.W - G.Advance; Over > 0 && G.Left > 0)
            G.Left -= std::min(Over, G.Left);
        if (const int Room = G.Advance - (G.Left + G.W); G.Left < 0 && Room > 0)
            G.Left += std::min(-G.Left, Room);
        if (Font.Upright) {
            G.Left = std::max(G.Left, 0);
            G.Advance = std::max(G.Advance, G.Left + G.W);
        }
    }
    GlyphBytes += G.Bits.size();
    if (GlyphBytes > MaxGlyphBytes) TrimGlyphs(&G);
    return G;
}

} // namespace qyx::gfx::text
