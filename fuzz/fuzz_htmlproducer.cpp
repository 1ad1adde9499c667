// Converts an arbitrary template with a handler that answers every tag, and runs the HTML text
// routines over the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include <qyx/QYX_htmlsupport.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string text(reinterpret_cast<const char*>(Data), Size);
    qyx::THtmlProducer p(nullptr);
    p.SetTemplate(text);
    p.OnHTMLTag = [](qyx::TObject*, const std::string& Name, const std::string& Params, std::string& R) {
        R = Name.size() % 2 ? Params : R + Name;
    };
    p.Convert();
    qyx::TStringStream* s = p.ConvertedHTMLAsStream();
    if (s->GetDataString() != p.GetConvertedText()) __builtin_trap();
    bool inTag = false;
    (void)qyx::CountWordsHTML(text, Size % 2, inTag);
    (void)qyx::ExtractHTTPPath(text);
    if (qyx::ResolveHTMLEntities(qyx::MakeStringHTMLCompatible(text)) != text) __builtin_trap();
    return 0;
}
