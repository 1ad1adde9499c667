// HTML support: template producer, word counter, URL directories and entities.
#include <qyx/QYX_htmlsupport.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include <qyx/QYX_qyxbase.h>
#include <qyx/platform/Exceptions.h>

using namespace qyx;

namespace {

struct TagCall {
    std::string Name, Params, Preset;
};

// Converts Template with a handler that records each call and answers "[name]" (or the preset text
// for names it does not know when Answer is false).
std::string ConvertRecording(const std::string& Template, std::vector<TagCall>& Calls, bool Answer = true) {
    THtmlProducer p(nullptr);
    p.SetTemplate(Template);
    p.OnHTMLTag = [&](TObject* Sender, const std::string& Name, const std::string& Params,
                      std::string& Repl) {
        EXPECT_EQ(Sender, &p);
        Calls.push_back({Name, Params, Repl});
        if (Answer) Repl = Name == "date" ? "1.1.2000" : "[" + Name + "]";
    };
    return p.Convert();
}

TEST(HtmlProducerTest, SpecialTagsAreReplaced) {
    struct Case {
        std::string Template, Expected;
        std::vector<TagCall> Calls;
    };
    const Case cases[] = {
        {"a <#date > b", "a 1.1.2000 b", {{"date", "", "<#date >"}}},
        {"<#LINK  href=x.html >", "[link]", {{"link", "href=x.html", "<#LINK  href=x.html >"}}},
        {"<#name>", "[name]", {{"name", "", "<#name>"}}},
        {"x<#a p q>y<#B>z", "x[a]y[b]z", {{"a", "p q", "<#a p q>"}, {"b", "", "<#B>"}}},
        {"<#a <#b>>", "[a]>", {{"a", "<#b", "<#a <#b>"}}},       // tags do not nest
        {"x <#open p", "x [open]", {{"open", "p", "<#open p"}}}, // unterminated tag runs to the end
        {"<b>a<</b><", "<b>a<</b><", {}},
        {"", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Template);
        std::vector<TagCall> calls;
        EXPECT_EQ(ConvertRecording(c.Template, calls), c.Expected);
        ASSERT_EQ(calls.size(), c.Calls.size());
        for (size_t i = 0; i < calls.size(); ++i) {
            EXPECT_EQ(calls[i].Name, c.Calls[i].Name);
            EXPECT_EQ(calls[i].Params, c.Calls[i].Params);
            EXPECT_EQ(calls[i].Preset, c.Calls[i].Preset);
        }
    }
}

TEST(HtmlProducerTest, WithoutHandlerTheTemplateComesOutUnchanged) {
    THtmlProducer p(nullptr);
    for (const std::string t : {"a <#date > b", "<#x", "<#", "<", "plain <p> text"}) {
        p.SetTemplate(t);
        EXPECT_EQ(p.Convert(), t);
        EXPECT_EQ(p.GetConvertedText(), t);
    }
    std::vector<TagCall> calls;
    EXPECT_EQ(ConvertRecording("a <#x y> b", calls, false), "a <#x y> b");
}

TEST(HtmlProducerTest, FilesAndStreams) {
    const std::string in = ::testing::TempDir() + "html_template.txt";
    const std::string out = ::testing::TempDir() + "html_result.txt";
    std::ofstream(in, std::ios::binary) << "<p><#v></p>\nline 2\n";
    THtmlProducer p(nullptr);
    p.ReadTemplateFromFile(in);
    EXPECT_EQ(p.GetTemplate(), "<p><#v></p>\r\nline 2\r\n");
    p.OnHTMLTag = [](TObject*, const std::string&, const std::string&, std::string& r) { r = "42"; };
    EXPECT_EQ(p.Convert(), "<p>42</p>\r\nline 2\r\n");

    p.WriteConvertedHTMLToFile(out);
    std::ifstream f(out, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    EXPECT_EQ(ss.str(), "<p>42</p>\r\nline 2\r\n");

    TStringStream* s1 = p.ConvertedHTMLAsStream();
    EXPECT_EQ(s1->GetPosition(), 0);
    EXPECT_EQ(s1->GetDataString(), p.GetConvertedText());
    TStringStream* s2 = p.ConvertedHTMLAsStream(); // frees s1; the sanitizer build checks that
    EXPECT_EQ(s2->GetDataString(), p.GetConvertedText());

    TStringStream src("abc<#x>");
    src.SetPosition(3);
    p.ReadTemplateFromStream(&src);
    EXPECT_EQ(p.GetTemplate(), "abc<#x>");
    EXPECT_THROW(p.ReadTemplateFromFile(::testing::TempDir() + "no-such-template.txt"), EInOutError);
    std::remove(in.c_str());
    std::remove(out.c_str());
}

TEST(HtmlTextTest, CountWordsHTML) {
    struct Case {
        std::string S;
        bool SkipNumbers, InTagBefore;
        int Words;
        bool InTagAfter;
    };
    const Case cases[] = {
        {"<p>Hello world</p>", false, false, 2, false},
        {"see 12 items.", true, false, 2, false},
        {"see 12 items.", false, false, 3, false},
        {"a bb ccc ", false, false, 2, false},
        {"no final separator", false, false, 2, false},
        {"<a href=\"x y z\">link text ", false, false, 2, false},
        {"<div class=", false, false, 0, true},
        {"a b c d> after tag ", false, true, 2, false}, // continues a tag of the previous line
        {"x>yy ", false, false, 1, false},              // a ">" outside a tag is a separator
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.S);
        bool inTag = c.InTagBefore;
        EXPECT_EQ(CountWordsHTML(c.S, c.SkipNumbers, inTag), c.Words);
        EXPECT_EQ(inTag, c.InTagAfter);
    }
}

TEST(HtmlTextTest, ExtractHTTPPath) {
    const std::pair<std::string, std::string> cases[] = {
        {"http://www.host.org/dir/page.html", "www.host.org/dir/"},
        {"HTTP://Host/a/b/", "Host/a/b/"},
        {"see http://h/x http://h2/y", "h/x http://h2/"},
        {"ftp://host/dir/file", "ftp://host/dir/"},
        {"http://host", "host"},
        {"", ""},
    };
    for (const auto& [url, expected] : cases) EXPECT_EQ(ExtractHTTPPath(url), expected) << url;
}

TEST(HtmlTextTest, EntityTable) {
    EXPECT_STREQ(HTMLLat1Entities[160], "&nbsp;");
    EXPECT_STREQ(HTMLLat1Entities[161], "&iexcl;");
    EXPECT_STREQ(HTMLLat1Entities[169], "&copy;");
    EXPECT_STREQ(HTMLLat1Entities[188], "&frac14;");
    EXPECT_STREQ(HTMLLat1Entities[198], "&AElig;");
    EXPECT_STREQ(HTMLLat1Entities[215], "&times;");
    EXPECT_STREQ(HTMLLat1Entities[223], "&szlig;");
    EXPECT_STREQ(HTMLLat1Entities[228], "&auml;");
    EXPECT_STREQ(HTMLLat1Entities[247], "&divide;");
    EXPECT_STREQ(HTMLLat1Entities[255], "&yuml;");
    for (int c = 160; c <= 255; ++c) {
        const std::string e = HTMLLat1Entities[c];
        EXPECT_LE(e.size(), 8u) << c;
        EXPECT_EQ(HTMLEntityToAnsi(e), std::string(1, static_cast<char>(c))) << e;
    }
}

TEST(HtmlTextTest, EntityConversions) {
    EXPECT_EQ(AnsiToHTMLEntity('&'), "&amp;");
    EXPECT_EQ(AnsiToHTMLEntity('<'), "&lt;");
    EXPECT_EQ(AnsiToHTMLEntity('\xE4'), "&auml;");
    EXPECT_EQ(AnsiToHTMLEntity('a'), "a");
    EXPECT_EQ(HTMLEntityToAnsi("&#65;"), "A");
    EXPECT_EQ(HTMLEntityToAnsi("&#xe4;"), "\xE4");
    EXPECT_EQ(HTMLEntityToAnsi("auml"), "\xE4");
    EXPECT_EQ(HTMLEntityToAnsi("&Auml;"), "\xC4");
    for (const std::string keep : {"&bogus;", "&#8364;", "&#;", "&#x;", "&#12a;", "&", ""})
        EXPECT_EQ(HTMLEntityToAnsi(keep), keep);

    const std::string text = "a<b & \"c\" > d \xE4\xDF\xA0";
    const std::string html = MakeStringHTMLCompatible(text);
    EXPECT_EQ(html, "a&lt;b &amp; &quot;c&quot; &gt; d &auml;&szlig;&nbsp;");
    EXPECT_EQ(ResolveHTMLEntities(html), text);
    EXPECT_EQ(ResolveHTMLEntities("x &unknown; &amp y &#66;&"), "x &unknown; &amp y B&");
    std::string all;
    for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
    EXPECT_EQ(ResolveHTMLEntities(MakeStringHTMLCompatible(all)), all);
}

} // namespace
