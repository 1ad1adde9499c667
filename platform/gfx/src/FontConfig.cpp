// Font lookup: the family names the libraries use map to metric-compatible free faces, and fontconfig
// finds the file of the face with the wanted weight and slant.
#include "TextEngine.h"

#include <qyx/platform/Exceptions.h>

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>
#include <tuple>

namespace qyx::gfx {

namespace {

std::string Lower(std::string S) {
    for (char& C : S) C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
    return S;
}

constexpr const char* FallbackFamily = "DejaVu Sans";

// Matches Family with fontconfig; true when the matched font carries that family name.
bool MatchFamily(FcConfig* Config, const std::string& Family, bool Bold, bool Italic, TFaceFile& Out) {
    FcPattern* Pat = FcPatternCreate();
    FcPatternAddString(Pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(Family.c_str()));
    FcPatternAddInteger(Pat, FC_WEIGHT, Bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(Pat, FC_SLANT, Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(Pat, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(Config, Pat, FcMatchPattern);
    FcDefaultSubstitute(Pat);
    // The best font of the sorted list is the font's own pattern: unlike FcFontMatch's result it is
    // not edited by the configuration's synthetic-style rules, so its weight and slant are the file's.
    FcResult Result = FcResultNoMatch;
    FcFontSet* Set = FcFontSort(Config, Pat, FcFalse, nullptr, &Result);
    FcPatternDestroy(Pat);
    if (!Set) return false;
    if (Set->nfont < 1) {
        FcFontSetDestroy(Set);
        return false;
    }
    FcPattern* Match = Set->fonts[0];

    bool FamilyOk = false;
    FcChar8* Name = nullptr;
    for (int i = 0; FcPatternGetString(Match, FC_FAMILY, i, &Name) == FcResultMatch; ++i)
        if (Lower(reinterpret_cast<const char*>(Name)) == Lower(Family)) FamilyOk = true;
    FcChar8* File = nullptr;
    int Index = 0, Weight = FC_WEIGHT_REGULAR, Slant = FC_SLANT_ROMAN;
    FcBool Scalable = FcFalse;
    bool Ok = FcPatternGetString(Match, FC_FILE, 0, &File) == FcResultMatch;
    FcPatternGetInteger(Match, FC_INDEX, 0, &Index);
    FcPatternGetInteger(Match, FC_WEIGHT, 0, &Weight);
    FcPatternGetInteger(Match, FC_SLANT, 0, &Slant);
    FcPatternGetBool(Match, FC_SCALABLE, 0, &Scalable);
    if (Ok) {
        Out.File = reinterpret_cast<const char*>(File);
        Out.Index = Index;
        Out.SynthBold = Bold && Weight < FC_WEIGHT_DEMIBOLD;
        Out.SynthItalic = Italic && Slant == FC_SLANT_ROMAN;
    }
    FcFontSetDestroy(Set);
    return Ok && FamilyOk && Scalable;
}

} // namespace

std::string MapFontFamily(const std::string& Name) {
    static const std::map<std::string, std::string> Map = {
        {"", "Liberation Sans"},
        {"default", "Liberation Sans"},
        {"arial", "Liberation Sans"},
        {"helvetica", "Liberation Sans"},
        {"ms sans serif", "Liberation Sans"},
        {"times new roman", "Liberation Serif"},
        {"times", "Liberation Serif"},
        {"courier new", "Liberation Mono"},
        {"courier", "Liberation Mono"},
    };
    auto It = Map.find(Lower(Name));
    return It == Map.end() ? Name : It->second;
}

TFaceFile FindFaceFile(const std::string& Name, bool Bold, bool Italic) {
    static std::mutex Lock;
    // The configuration lives until the process ends and is released then.
    static struct TConfigHolder {
        FcConfig* Config = nullptr;
        ~TConfigHolder() {
            if (Config) FcConfigDestroy(Config);
        }
    } Holder;
    FcConfig*& Config = Holder.Config;
    static std::map<std::tuple<std::string, bool, bool>, TFaceFile> Cache;

    std::lock_guard<std::mutex> Guard(Lock);
    std::string Family = MapFontFamily(Name);
    auto Key = std::make_tuple(Lower(Family), Bold, Italic);
    if (auto It = Cache.find(Key); It != Cache.end()) return It->second;

    if (!Config) Config = FcInitLoadConfigAndFonts();
    if (!Config) throw EInvalidGraphic("Font configuration cannot be loaded");
    TFaceFile Face;
    if (!MatchFamily(Config, Family, Bold, Italic, Face) &&
        !MatchFamily(Config, FallbackFamily, Bold, Italic, Face) && Face.File.empty())
        throw EInvalidGraphic("Font \"" + Name + "\" not found");
    Cache.emplace(Key, Face);
    return Face;
}

} // namespace qyx::gfx
