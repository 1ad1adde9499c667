// Root search of the XML envelope: FindXMLRoot on arbitrary bytes for a root tag and identifier taken
// from the input, then on the same bytes followed by an envelope written for that identifier. Checks
// that a line found is a matching root line, that the search never moves backwards, and that a
// written envelope is always found.
#include <qyx/QYX_streams.h>
#include <qyx/platform/Streams.h>

#include <cstddef>
#include <cstdint>
#include <string>

using namespace qyx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size < 2) return 0;
    static const char* const tags[] = {"custtextlbl", "replist", "geomap", "gmlandmarks", "lmsymbols", "x"};
    const std::string tag = tags[Data[0] % 6];
    const size_t idLen = std::min<size_t>(Data[1] % 16, Size - 2);
    const std::string id(reinterpret_cast<const char*>(Data) + 2, idLen);
    const std::string body(reinterpret_cast<const char*>(Data) + 2 + idLen, Size - 2 - idLen);

    // Every object the body holds for this tag and identifier, one search after another.
    TStringStream s(body);
    std::string line;
    for (size_t guard = 0; guard <= body.size() + 1; ++guard) {
        const int64_t before = s.GetPosition();
        if (!FindXMLRoot(&s, tag, id, line)) {
            if (s.GetPosition() != static_cast<int64_t>(body.size())) __builtin_trap();
            break;
        }
        if (!IsXMLRootLine(line, tag, id) || s.GetPosition() <= before) __builtin_trap();
        XMLRootLineID(line);
    }

    // An envelope written for the identifier is found behind any body. Quotes and control bytes
    // cannot stand in a written identifier, so they are left out.
    std::string cleanId;
    for (const char c : id)
        if (static_cast<unsigned char>(c) >= 32 && c != '"') cleanId += c;
    TMemoryStream m;
    WriteStringStream(&m, body);
    WriteXMLEnvelopeHead(&m, Data[0] & 8, tag, "fuzz", cleanId, Data[0] & 16 ? "a=\"1\"" : "",
                         Data[0] & 32 ? XMLIndentation(Data[1]) : "");
    WriteXMLEnvelopeTail(&m, tag);
    m.SetPosition(0);
    if (!FindXMLRoot(&m, tag, cleanId, line) || !IsXMLRootLine(line, tag, cleanId)) __builtin_trap();
    return 0;
}
