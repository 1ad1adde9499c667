// Extracting byte ranges of a stream, and searching and replacing between memory streams.
#include <qyx/QYX_streams.h>
#include <qyx/platform/CodePage.h>
#include <qyx/platform/Streams.h>
#include <qyx/platform/StringList.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace qyx;

namespace {

std::string Content(TMemoryStream* M) {
    return std::string(static_cast<const char*>(M->Memory()), static_cast<size_t>(M->GetSize()));
}

std::unique_ptr<TMemoryStream> MemoryOf(const std::string& S) {
    auto m = std::make_unique<TMemoryStream>();
    m->WriteBuffer(S.data(), static_cast<int>(S.size()));
    return m;
}

} // namespace

TEST(StreamsExtract, ExtractFromStreamCopiesTheListedRanges) {
    struct TCase {
        const char* Name;
        std::vector<std::string> Parts;
        std::string Result;
    };
    const TCase cases[] = {
        {"one range", {"2,3"}, "234"},
        {"cut at the end", {"8,5"}, "89"},
        {"negative count: to the end", {"5,-1"}, "56789"},
        {"in list order, blanks around numbers", {" 1 , 2 ", "0,1"}, "120"},
        {"malformed and out-of-range items add nothing",
         {"x,1", "1", "-1,2", "20,1", "10,1", "3,2", "1,2,3"},
         "34"},
        {"zero count", {"4,0"}, ""},
        {"no parts", {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TStringStream s("0123456789");
        s.SetPosition(7);
        TStringList parts;
        for (const auto& p : c.Parts) parts.Add(p);
        TMemoryStream* target = nullptr;
        ExtractFromStream(&s, target, &parts);
        std::unique_ptr<TMemoryStream> owned(target);
        ASSERT_NE(target, nullptr);
        EXPECT_EQ(Content(target), c.Result);
        EXPECT_EQ(target->GetPosition(), 0);
        EXPECT_EQ(s.GetPosition(), 7);
    }
}

TEST(StreamsExtract, ExtractIntoAnExistingOrTheSameStream) {
    TStringList parts;
    parts.Add("6,3");
    parts.Add("0,2");
    auto existing = MemoryOf("old content");
    TMemoryStream* target = existing.get();
    TStringStream s("abcdefghij");
    ExtractFromStream(&s, target, &parts);
    EXPECT_EQ(target, existing.get());
    EXPECT_EQ(Content(target), "ghiab");

    auto same = MemoryOf("abcdefghij");
    TMemoryStream* self = same.get();
    ExtractFromStream(same.get(), self, &parts);
    EXPECT_EQ(Content(same.get()), "ghiab");

    ExtractFromStream(&s, target, nullptr);
    EXPECT_EQ(Content(target), "");
}

TEST(StreamsExtract, SearchAndReplace) {
    struct TCase {
        const char* Name;
        std::string Source, Search, Replace;
        bool IgnoreCase;
        int StartPos, MaxCount;
        std::string EndText, Result;
    };
    const TCase cases[] = {
        {"case-sensitive", "a cat and a Cat", "cat", "dog", false, 0, 0, "", "a dog and a Cat"},
        {"ignoring case", "a cat and a Cat", "CAT", "dog", true, 0, 0, "", "a dog and a dog"},
        {"at most one", "a cat and a Cat", "cat", "dog", true, 0, 1, "", "a dog and a Cat"},
        {"from byte 3", "a cat and a Cat", "cat", "dog", true, 3, 0, "", "a cat and a dog"},
        {"start beyond the end", "a cat", "cat", "dog", false, 99, 0, "", "a cat"},
        {"negative start counts as 0", "cat", "cat", "dog", false, -4, 0, "", "dog"},
        {"replaced text is not searched again", "aaaa", "aa", "a", false, 0, 0, "", "aa"},
        {"replacement containing the search text", "ab", "a", "aa", false, 0, 0, "", "aab"},
        {"deleting", "a-b-c", "-", "", false, 0, 0, "", "abc"},
        {"empty search text", "abc", "", "x", false, 0, 0, "", "abc"},
        {"empty source", "", "a", "b", false, 0, 0, "", ""},
        {"regions between markers", "x <#a> y <#b> z", "<#", "?", false, 0, 0, ">", "x ? y ? z"},
        {"region without its end is kept", "x <#a> y <#b z", "<#", "?", false, 0, 0, ">", "x ? y <#b z"},
        {"regions ignoring case", "[B]x[/b] [b]y[/B]", "[b]", "*", true, 0, 0, "[/b]", "* *"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto source = MemoryOf(c.Source);
        source->SetPosition(1);
        TMemoryStream* src = source.get();
        TMemoryStream* target = nullptr;
        SearchAndReplace(src, target, c.Search, c.Replace, c.IgnoreCase, c.StartPos, c.MaxCount, c.EndText,
                         {});
        std::unique_ptr<TMemoryStream> owned(target);
        ASSERT_NE(target, nullptr);
        EXPECT_EQ(Content(target), c.Result);
        EXPECT_EQ(target->GetPosition(), 0);
        EXPECT_EQ(Content(source.get()), c.Source);
        EXPECT_EQ(source->GetPosition(), 1);
    }
}

TEST(StreamsExtract, SearchAndReplaceCallsBackForEachOccurrence) {
    auto source = MemoryOf("Dear <#Name>, your order <#ORDER> of <#date> ...");
    TMemoryStream* src = source.get();
    auto targetOwner = MemoryOf("previous");
    TMemoryStream* target = targetOwner.get();
    std::vector<std::string> seen;
    SearchAndReplace(src, target, "<#", "", false, 0, 0, ">",
                     [&](const std::string& Found, std::string& Repl) {
                         seen.push_back(Found + "|" + Repl);
                         const std::string key = LowerCase(Found);
                         if (key == "<#name>")
                             Repl = "Ann";
                         else if (key == "<#order>")
                             Repl = "42";
                         else
                             Repl = Found; // unknown fields stay as they are
                     });
    EXPECT_EQ(seen, (std::vector<std::string>{"<#Name>|", "<#ORDER>|", "<#date>|"}));
    EXPECT_EQ(target, targetOwner.get());
    EXPECT_EQ(Content(target), "Dear Ann, your order 42 of <#date> ...");

    // In place: the source is its own target.
    SearchAndReplace(src, src, "order", "ORDER", true, 0, 0, "", {});
    EXPECT_EQ(Content(src), "Dear <#Name>, your ORDER <#ORDER> of <#date> ...");

    // A null source counts as empty.
    TMemoryStream* none = nullptr;
    SearchAndReplace(none, target, "a", "b", false, 0, 0, "", {});
    EXPECT_EQ(Content(target), "");
}
