// Chemical-name coder: 128 name fragments, each replaced by a one-byte code 128 to 255.
#include <qyx/QYX_CData.h>

#include <qyx/platform/FixedArray.h>

namespace qyx {

namespace {

// Fragment i has the code 127 + i. The order, longest fragments first, is part of the format: a
// fragment is replaced before any later one that overlaps it.
constexpr TFixedArray<const char*, 128, 255> Fragments{{
    "benzoyl", "deutero", "methoxy", "hydroxy", "bicyclo", "aldehyd", "phospho", "carboxy", // 128
    "mercapt", "salicyl", "benzyl",  "methyl",  "propyl",  "naphth",  "ethoxy",  "sulfid",  // 136
    "phenyl",  "acetyl",  "formyl",  "anthra",  "chinon",  "pentyl",  "heptyl",  "saeure",  // 144
    "nitril",  "nitrid",  "phosph",  "sulfon",  "pyrrol",  "phthal",  "styrol",  "erythr",  // 152
    "butyl",   "ethyl",   "indol",   "nitro",   "amino",   "chlor",   "ether",   "fluor",   // 160
    "allyl",   "tetra",   "penta",   "hepta",   "furan",   "hydro",   "cyano",   "hexyl",   // 168
    "octyl",   "epoxy",   "cyclo",   "ester",   "inden",   "pyren",   "lacto",   "menth",   // 176
    "silic",   "quino",   "piper",   "malon",   "stear",   "xanth",   "xylol",   "vinyl",   // 184
    "ortho",   "ammon",   "thren",   "alpha",   "gamma",   "gluc",    "brom",    "imid",    // 192
    "mono",    "hexa",    "octa",    "nona",    "deca",    "glyc",    "thio",    "carb",    // 200
    "oxim",    "dien",    "semi",    "acid",    "tolu",    "tert",    "anil",    "para",    // 208
    "meta",    "acet",    "pyri",    "oxid",    "amid",    "amin",    "phen",    "benz",    // 216
    "oxal",    "keto",    "prop",    "tere",    "prog",    "terp",    "quin",    "meth",    // 224
    "imin",    "fruc",    "ilid",    "hydr",    "beta",    "oxy",     "per",     "ose",     // 232
    "oyl",     "iod",     "lin",     "sil",     "tri",     "iso",     "oxo",     "bis",     // 240
    "azo",     "yl",      "on",      "en",      "an",      "ol",      "di",      "in",      // 248
}};

} // namespace

std::string CompressChemName(const std::string& Name) {
    std::string s = Name;
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    // Each fragment in turn replaces all its occurrences from left to right; a code byte is no
    // letter, so a replacement never creates a new occurrence.
    std::string out;
    for (int code = 128; code <= 255; ++code) {
        const std::string frag = Fragments[code];
        size_t at = s.find(frag);
        if (at == std::string::npos) continue;
        out.clear();
        size_t from = 0;
        for (; at != std::string::npos; at = s.find(frag, from)) {
            out.append(s, from, at - from);
            out += static_cast<char>(code);
            from = at + frag.size();
        }
        out.append(s, from, std::string::npos);
        s.swap(out);
    }
    return s;
}

std::string DeCompressChemName(const std::string& Compressed) {
    std::string s;
    s.reserve(Compressed.size() * 2);
    for (const char c : Compressed) {
        const int b = static_cast<unsigned char>(c);
        if (b >= 128)
            s += Fragments[b];
        else
            s += c;
    }
    return s;
}

} // namespace qyx
