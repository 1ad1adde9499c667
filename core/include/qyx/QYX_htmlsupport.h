// QYX_htmlsupport: HTML text from templates, and small HTML text routines.
//
// THtmlProducer copies a template and lets a handler replace each special tag "<#name parameters>";
// beside it stand a word counter that skips markup, a routine that cuts a URL to its directory, and
// conversions between characters and HTML entities (the Latin-1 names are HTMLLat1Entities of
// QYX_qyxbase).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include <qyx/platform/Object.h>
#include <qyx/platform/Streams.h>

namespace qyx {

/// Supplies the text for one special tag: TagName lower-cased, Params trimmed, Replacement preset
/// to the whole tag text.
using TOnHTMLTagEvent = std::function<void(TObject* Sender, const std::string& TagName,
                                           const std::string& Params, std::string& Replacement)>;

/// Produces HTML from a template: every "<#name params>" is replaced by what OnHTMLTag supplies;
/// everything else, and every tag when OnHTMLTag is empty, is copied unchanged.
class THtmlProducer : public TComponent {
public:
    explicit THtmlProducer(TComponent* AOwner);
    ~THtmlProducer() override;

    const std::string& GetTemplate() const { return FTemplate; }
    void SetTemplate(const std::string& Value) { FTemplate = Value; }
    /// The template := the lines of the text file, each followed by CR LF; file errors pass.
    void ReadTemplateFromFile(const std::string& FileName);
    /// The template := the whole stream, read from position 0.
    void ReadTemplateFromStream(TStream* Stream);
    /// Converts the template, keeps the result and returns it.
    std::string Convert();
    /// The result of the last Convert.
    const std::string& GetConvertedText() const { return FConverted; }
    /// A new string stream holding the converted text at position 0; the producer owns it and frees
    /// it on the next call or on destruction.
    TStringStream* ConvertedHTMLAsStream();
    /// Creates or overwrites the file with the converted text exactly.
    void WriteConvertedHTMLToFile(const std::string& FileName);

    TOnHTMLTagEvent OnHTMLTag;

private:
    std::string FTemplate;
    std::string FConverted;
    std::unique_ptr<TStringStream> FStream;
};

/// Words of S outside markup: "<" starts a tag and ">" ends it; characters inside are skipped (the
/// ">" itself is a separator). At each member of WordSeps a run of two or more characters counts,
/// with SkipNumbers not one that starts with a digit. InTag carries over from one call to the next.
int CountWordsHTML(const std::string& S, bool SkipNumbers, bool& InTag);
/// The URL without everything up to its first "http://" (any case) and without everything after
/// its last "/": "http://host/dir/page.html" gives "host/dir/". Without a "/" the rest is returned.
std::string ExtractHTTPPath(const std::string& URL);
/// The HTML text of one character: an entity for & < > " and the codes 160 ... 255, else the
/// character itself.
std::string AnsiToHTMLEntity(char c);
/// The character of one entity reference ("&amp;", "&auml;", "&#228;", "&#xE4;"; the ampersand and
/// semicolon may be left out); an unknown entity or a code above 255 is returned unchanged.
std::string HTMLEntityToAnsi(const std::string& Entity);
/// S with every character that HTML reserves or that has a Latin-1 entity written as its entity.
std::string MakeStringHTMLCompatible(const std::string& S);
/// S with every known entity reference replaced by its character; others stay as they stand.
std::string ResolveHTMLEntities(const std::string& S);

} // namespace qyx
