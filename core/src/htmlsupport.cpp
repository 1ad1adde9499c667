// THtmlProducer: template conversion with special tags, and its file and stream ends.
#include <qyx/QYX_htmlsupport.h>

#include <qyx/platform/FileApi.h>
#include <qyx/platform/TextFile.h>

namespace qyx {

THtmlProducer::THtmlProducer(TComponent* AOwner) : TComponent(AOwner) {}

THtmlProducer::~THtmlProducer() = default;

void THtmlProducer::ReadTemplateFromFile(const std::string& FileName) {
    TextFile F;
    AssignFile(F, FileName);
    Reset(F);
    std::string text;
    std::string line;
    while (!Eof(F)) {
        Readln(F, line);
        text += line;
        text += "\r\n";
    }
    CloseFile(F);
    FTemplate = std::move(text);
}

void THtmlProducer::ReadTemplateFromStream(TStream* Stream) {
    if (Stream == nullptr) {
        FTemplate.clear();
        return;
    }
    Stream->SetPosition(0);
    std::string text;
    char buf[65536];
    for (int n; (n = Stream->Read(buf, sizeof buf)) > 0;) text.append(buf, static_cast<size_t>(n));
    FTemplate = std::move(text);
}

std::string THtmlProducer::Convert() {
    const std::string& t = FTemplate;
    const size_t n = t.size();
    std::string r;
    r.reserve(n);
    size_t i = 0;
    while (i < n) {
        const size_t lt = t.find("<#", i);
        if (lt == std::string::npos) {
            r.append(t, i, std::string::npos);
            break;
        }
        r.append(t, i, lt - i);
        // The tag runs to the next ">" or to the end of the template.
        const size_t gt = t.find('>', lt + 2);
        const size_t close = gt == std::string::npos ? n : gt;
        const std::string inner = t.substr(lt + 2, close - lt - 2);
        const size_t blank = inner.find(' ');
        std::string name = inner.substr(0, blank);
        for (char& c : name)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        std::string params;
        if (blank != std::string::npos) {
            const size_t first = inner.find_first_not_of(' ', blank);
            if (first != std::string::npos)
                params = inner.substr(first, inner.find_last_not_of(' ') - first + 1);
        }
        std::string replacement = t.substr(lt, gt == std::string::npos ? std::string::npos : gt - lt + 1);
        if (OnHTMLTag) OnHTMLTag(this, name, params, replacement);
        r += replacement;
        i = gt == std::string::npos ? n : gt + 1;
    }
    FConverted = std::move(r);
    return FConverted;
}

TStringStream* THtmlProducer::ConvertedHTMLAsStream() {
    FStream.reset();
    FStream = std::make_unique<TStringStream>(FConverted);
    return FStream.get();
}

void THtmlProducer::WriteConvertedHTMLToFile(const std::string& FileName) {
    TFileStream f(FileName, fmCreate);
    if (!FConverted.empty()) f.WriteBuffer(FConverted.data(), static_cast<int>(FConverted.size()));
}

} // namespace qyx
