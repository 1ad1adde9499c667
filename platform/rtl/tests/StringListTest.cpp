#include <qyx/platform/StringList.h>

#include <qyx/platform/Streams.h>

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

using namespace qyx;

namespace {

std::vector<std::string> Items(const TStrings& L) {
    std::vector<std::string> r;
    for (int i = 0; i < L.Count(); ++i) r.push_back(L.GetStrings(i));
    return r;
}

TStringList* Fill(TStringList& L, std::initializer_list<const char*> S) {
    for (const char* s : S) L.Add(s);
    return &L;
}

// Expects Fn to raise EListError with exactly Msg.
template <class Fn> void ExpectListError(Fn F, const std::string& Msg) {
    try {
        F();
        ADD_FAILURE() << "no EListError";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), Msg);
    }
}

class TDummy : public TObject {};

} // namespace

TEST(StringList, EditingAndIndexErrors) {
    TStringList l;
    Fill(l, {"b", "d"});
    l.Insert(0, "a");
    l.Insert(2, "c");
    l.Insert(4, "e"); // at Count: appends
    EXPECT_EQ(Items(l), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
    l.Delete(1);
    l.SetStrings(0, "A");
    l.Exchange(0, 3);
    EXPECT_EQ(Items(l), (std::vector<std::string>{"e", "c", "d", "A"}));
    l.Move(3, 1);
    EXPECT_EQ(Items(l), (std::vector<std::string>{"e", "A", "c", "d"}));

    ExpectListError([&] { l.GetStrings(4); }, "List index out of bounds (4)");
    ExpectListError([&] { l.GetStrings(-1); }, "List index out of bounds (-1)");
    ExpectListError([&] { l.SetStrings(7, "x"); }, "List index out of bounds (7)");
    ExpectListError([&] { l.Insert(5, "x"); }, "List index out of bounds (5)");
    ExpectListError([&] { l.Delete(4); }, "List index out of bounds (4)");
    ExpectListError([&] { l.GetObjects(9); }, "List index out of bounds (9)");
    ExpectListError([&] { l.Exchange(0, 4); }, "List index out of bounds (4)");
    EXPECT_EQ(l.Count(), 4);
    l.Clear();
    EXPECT_EQ(l.Count(), 0);
    ExpectListError([&] { l.GetStrings(0); }, "List index out of bounds (0)");
}

TEST(StringList, ObjectsTravelWithTheirItems) {
    TDummy a, b;
    TStringList l;
    l.AddObject("one", &a);
    l.Add("two");
    l.InsertObject(0, "zero", &b);
    EXPECT_EQ(l.GetObjects(0), &b);
    EXPECT_EQ(l.GetObjects(1), &a);
    EXPECT_EQ(l.GetObjects(2), nullptr);
    EXPECT_EQ(l.IndexOfObject(&a), 1);
    l.Move(1, 2);
    EXPECT_EQ(l.GetObjects(2), &a);
    l.SetSorted(true); // one, two, zero
    EXPECT_EQ(l.GetObjects(l.IndexOf("one")), &a);
    EXPECT_EQ(l.GetObjects(l.IndexOf("zero")), &b);
}

TEST(StringList, IndexOfIgnoresAnsiCaseUnlessCaseSensitive) {
    TStringList l;
    Fill(l, {"\xE4rger",
             "Stra\xDF"
             "e",
             "abc"});
    EXPECT_EQ(l.IndexOf("\xC4RGER"), 0);
    EXPECT_EQ(l.IndexOf("ABC"), 2);
    EXPECT_EQ(l.IndexOf("STRASSE"), -1);
    EXPECT_EQ(l.IndexOf("ab"), -1);
    l.SetCaseSensitive(true);
    EXPECT_EQ(l.IndexOf("ABC"), -1);
    EXPECT_EQ(l.IndexOf("abc"), 2);
}

TEST(StringList, TextSplitsOnEveryLineEnd) {
    struct Case {
        std::string Text;
        std::vector<std::string> Lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\rc", {"a", "b", "c"}},
        {"a\r\n", {"a"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\n", {""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {" x \t\x1A", {" x \t\x1A"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        TStringList l;
        l.SetText(c.Text);
        EXPECT_EQ(Items(l), c.Lines);
    }
    TStringList l;
    Fill(l, {"a", "", "b"});
    EXPECT_EQ(l.GetText(), "a\r\n\r\nb\r\n");
}

TEST(StringList, CommaText) {
    struct Case {
        std::vector<std::string> Items;
        std::string Text;
    };
    const Case written[] = {
        {{}, ""},
        {{""}, "\"\""},
        {{"a", "b c", "d,e", "say \"hi\"", ""}, "a,\"b c\",\"d,e\",\"say \"\"hi\"\"\","},
    };
    for (const Case& c : written) {
        SCOPED_TRACE(c.Text);
        TStringList l;
        for (const auto& s : c.Items) l.Add(s);
        EXPECT_EQ(l.GetCommaText(), c.Text);
        TStringList back;
        back.SetCommaText(c.Text);
        // A trailing empty item does not survive: the text ends in a separator.
        auto expected = c.Items;
        if (expected.size() > 1 && expected.back().empty()) expected.pop_back();
        EXPECT_EQ(Items(back), expected);
    }
    const Case read[] = {
        {{"a", "b", "c"}, "a b  c"}, {{"a", "", "b"}, "a,,b"},
        {{"", "a"}, ",a"},           {{"a"}, " a , "},
        {{"x y", "z"}, "\"x y\" z"}, {{"unterminated, quote"}, "\"unterminated, quote"},
    };
    for (const Case& c : read) {
        SCOPED_TRACE(c.Text);
        TStringList l;
        l.SetCommaText(c.Text);
        EXPECT_EQ(Items(l), c.Items);
    }
}

TEST(StringList, NamesAndValues) {
    TStringList l;
    Fill(l, {"Width=10", "noequals", "Height=20=x", "=v"});
    EXPECT_EQ(l.GetNames(0), "Width");
    EXPECT_EQ(l.GetNames(1), "");
    EXPECT_EQ(l.GetValueFromIndex(2), "20=x");
    EXPECT_EQ(l.GetValues("HEIGHT"), "20=x");
    EXPECT_EQ(l.GetValues(""), "v");
    EXPECT_EQ(l.GetValues("Depth"), "");
    l.SetValues("width", "11");
    EXPECT_EQ(l.GetStrings(0), "width=11");
    l.SetValues("Depth", "5");
    EXPECT_EQ(l.GetStrings(4), "Depth=5");
    l.SetValues("Height", "");
    EXPECT_EQ(l.IndexOfName("Height"), -1);
    EXPECT_EQ(l.Count(), 4);
}

TEST(StringList, SortedInsertionAndDuplicates) {
    TStringList l;
    l.SetSorted(true);
    for (const char* s : {"pear", "Apple", "fig", "banana", "apple"}) l.Add(s);
    // dupIgnore: "apple" equals "Apple" without regard to case and is dropped.
    EXPECT_EQ(Items(l), (std::vector<std::string>{"Apple", "banana", "fig", "pear"}));
    EXPECT_EQ(l.Add("FIG"), 2);
    EXPECT_EQ(l.Count(), 4);

    int index = -1;
    EXPECT_TRUE(l.Find("PEAR", index));
    EXPECT_EQ(index, 3);
    EXPECT_FALSE(l.Find("cherry", index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(l.Find("zz", index));
    EXPECT_EQ(index, 4);

    ExpectListError([&] { l.Insert(0, "x"); }, "Operation not allowed on sorted list");
    ExpectListError([&] { l.SetStrings(0, "x"); }, "Operation not allowed on sorted list");

    l.SetDuplicates(dupError);
    ExpectListError([&] { l.Add("BANANA"); }, "String list does not allow duplicates");
    EXPECT_EQ(l.Count(), 4);

    l.SetDuplicates(dupAccept);
    l.Add("fig");
    l.Add("Fig");
    EXPECT_TRUE(l.Find("fig", index));
    EXPECT_EQ(index, 2); // the first of the equal items
    EXPECT_EQ(l.IndexOf("FIG"), 2);
    EXPECT_EQ(l.Count(), 6);
}

TEST(StringList, SortingIsStableAndSurvivesABadComparison) {
    TStringList l;
    Fill(l, {"b1", "a1", "B2", "A2", "c"});
    l.CustomSort([](TStringList* L, int i, int j) {
        return std::tolower(L->GetStrings(i)[0]) - std::tolower(L->GetStrings(j)[0]);
    });
    EXPECT_EQ(Items(l), (std::vector<std::string>{"a1", "A2", "b1", "B2", "c"}));

    TStringList big;
    for (int i = 0; i < 500; ++i) big.Add(std::to_string((i * 7919) % 1000));
    int calls = 0;
    big.CustomSort([&calls](TStringList*, int, int) { return (++calls % 3) - 1; });
    EXPECT_EQ(big.Count(), 500);

    TStringList s;
    Fill(s, {"\xC4rger", "Zug", "apfel", "Apfel"});
    s.Sort();
    EXPECT_EQ(Items(s), (std::vector<std::string>{"apfel", "Apfel", "\xC4rger", "Zug"}));
}

TEST(StringList, NotificationsAndUpdates) {
    TStringList l;
    std::string log;
    l.OnChanging = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &l);
        log += '<';
    };
    l.OnChange = [&](TObject*) { log += '>'; };
    l.Add("a");
    l.SetStrings(0, "b");
    l.Delete(0);
    l.Clear(); // nothing to clear: no notification
    EXPECT_EQ(log, "<><><>");

    log.clear();
    l.BeginUpdate();
    l.BeginUpdate();
    l.SetText("x\ny\nz");
    l.EndUpdate();
    EXPECT_EQ(log, "<");
    l.EndUpdate();
    EXPECT_EQ(log, "<>");
    l.EndUpdate(); // unbalanced: ignored
    EXPECT_EQ(l.GetUpdateCount(), 0);
    EXPECT_EQ(log, "<>");
}

TEST(StringList, AssignAndAddStrings) {
    TDummy obj;
    TStringList a, b;
    a.AddObject("x", &obj);
    a.Add("y");
    b.Add("old");
    b.Assign(&a);
    EXPECT_TRUE(b.Equals(&a));
    EXPECT_EQ(b.GetObjects(0), &obj);
    b.Assign(&b);
    EXPECT_EQ(b.Count(), 2);
    b.AddStrings(&b);
    EXPECT_EQ(Items(b), (std::vector<std::string>{"x", "y", "x", "y"}));

    class TOther : public TPersistent {
    } other;
    EXPECT_THROW(b.Assign(&other), EConvertError);
    EXPECT_THROW(b.Assign(nullptr), EConvertError);
}

TEST(StringList, StreamsAndFiles) {
    TStringList l;
    Fill(l, {"first", "", "\xE9t\xE9"});
    TMemoryStream ms;
    l.SaveToStream(&ms);
    EXPECT_EQ(ms.GetSize(), 14);
    ms.SetPosition(0);
    TStringList back;
    back.LoadFromStream(&ms);
    EXPECT_TRUE(back.Equals(&l));

    const auto path = std::filesystem::temp_directory_path() / "qyx_stringlist_test.txt";
    l.SaveToFile(path.string());
    TStringList fromFile;
    fromFile.LoadFromFile(path.string());
    EXPECT_TRUE(fromFile.Equals(&l));
    std::filesystem::remove(path);
    EXPECT_THROW(fromFile.LoadFromFile(path.string()), EFOpenError);
    EXPECT_TRUE(fromFile.Equals(&l)); // a failed load leaves the list alone
}
