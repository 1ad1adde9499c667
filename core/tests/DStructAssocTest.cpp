// TAssocArray: keys with and without letter case, removal order, growth, value conversions, the XML
// envelope and attribute texts.
#include <qyx/QYX_dstruct.h>
#include <qyx/platform/Streams.h>

#include <gtest/gtest.h>

#include <string>

using namespace qyx;

TEST(DStructAssoc, KeysIgnoreCaseByDefault) {
    TAssocArray a(nullptr);
    EXPECT_EQ(a.GetNumEntries(), 0);
    EXPECT_EQ(a.GetCapacity(), 1024);
    a.Add("Alpha", 1);
    a.Add("ALPHA", 2);
    EXPECT_EQ(a.NumEntries(), 1);
    EXPECT_EQ(a.GetKeys(1), "alpha");
    EXPECT_EQ(a.Resolve("aLpHa"), TVariant(2));

    TAssocArray b(nullptr);
    b.SetIgnoreCase(false);
    b.Add("Alpha", 1);
    b.Add("ALPHA", 2);
    EXPECT_EQ(b.GetNumEntries(), 2);
    EXPECT_EQ(b.GetKeys(1), "Alpha");
    EXPECT_TRUE(b.Resolve("alpha").IsNull());
    EXPECT_EQ(b.Resolve("ALPHA"), TVariant(2));
}

TEST(DStructAssoc, RemoveMovesTheLastEntry) {
    TAssocArray a(nullptr);
    a.Add("one", 1);
    a.Add("two", 2);
    a.Add("three", 3);
    EXPECT_FALSE(a.Remove("four"));
    EXPECT_TRUE(a.Remove("ONE"));
    EXPECT_EQ(a.GetNumEntries(), 2);
    EXPECT_EQ(a.GetKeys(1), "three");
    EXPECT_EQ(a.GetValues(1), TVariant(3));
    EXPECT_EQ(a.GetKeys(2), "two");
    EXPECT_TRUE(a.Remove("two"));
    EXPECT_TRUE(a.Remove("three"));
    EXPECT_EQ(a.GetNumEntries(), 0);
    EXPECT_FALSE(a.Remove("three"));
}

TEST(DStructAssoc, MissingKeysAndIndices) {
    TAssocArray a(nullptr);
    a.Add("x", 5);
    EXPECT_TRUE(a.Resolve("nope").IsNull());
    EXPECT_EQ(a.ResolveAsString("nope"), "");
    EXPECT_EQ(a.ResolveAsNumber("nope"), 0.0);
    // Outside 1..NumEntries: empty key, a string variant holding "" (not null), writes ignored.
    EXPECT_EQ(a.GetKeys(0), "");
    EXPECT_EQ(a.GetKeys(2), "");
    for (int i : {0, 2, -1}) {
        const TVariant v = a.GetValues(i);
        EXPECT_EQ(v.VarType(), varString);
        EXPECT_EQ(v.AsString(), "");
    }
    a.SetKeys(2, "y");
    a.SetValues(0, 9);
    EXPECT_EQ(a.GetNumEntries(), 1);
    EXPECT_EQ(a.GetValues(1), TVariant(5));
}

TEST(DStructAssoc, SetKeysAndTheFirstOfEqualKeys) {
    TAssocArray a(nullptr);
    a.Add("a", 1);
    a.Add("b", 2);
    a.SetKeys(2, "A"); // not folded, and now equal to entry 1 under IgnoreCase
    EXPECT_EQ(a.GetKeys(2), "A");
    EXPECT_EQ(a.Resolve("a"), TVariant(1));
    a.SetValues(1, "new");
    EXPECT_EQ(a.ResolveAsString("A"), "new");
}

TEST(DStructAssoc, GrowthAndClear) {
    TAssocArray a(nullptr);
    for (int i = 0; i < 1025; ++i) a.Add("k" + std::to_string(i), i);
    EXPECT_EQ(a.GetCapacity(), 1025 + 1024);
    EXPECT_EQ(a.Resolve("k1024"), TVariant(1024));
    a.Clear();
    EXPECT_EQ(a.GetNumEntries(), 0);
    EXPECT_EQ(a.GetCapacity(), 1024);
    a.SetGranularity(0); // the arrays still grow to hold every entry
    a.Clear();
    EXPECT_EQ(a.GetCapacity(), 0);
    a.Add("x", 1);
    a.Add("y", 2);
    EXPECT_EQ(a.GetNumEntries(), 2);
    EXPECT_EQ(a.Resolve("y"), TVariant(2));
    a.SetGranularity(-5);
    a.Clear();
    a.Add("z", 3);
    EXPECT_EQ(a.Resolve("z"), TVariant(3));
}

TEST(DStructAssoc, ResolveAsNumberAndString) {
    TAssocArray a(nullptr);
    a.Add("int", 42);
    a.Add("byte", static_cast<uint8_t>(200));
    a.Add("i64", static_cast<long long>(-5000000000LL));
    a.Add("single", 0.5f);
    a.Add("double", 2.25);
    a.Add("cur", TCurrency::FromScaled(12345));
    a.Add("comma", "3,5");
    a.Add("dot", " 7.25e1xyz");
    a.Add("text", "x1");
    a.Add("bool", true);
    a.Add("date", TVariant::FromDate(45000.5));
    a.Add("empty", TVariant());
    a.Add("null", TVariant::Null());
    const std::pair<const char*, double> numbers[] = {
        {"int", 42},     {"byte", 200},  {"i64", -5e9}, {"single", 0.5}, {"double", 2.25},
        {"cur", 1.2345}, {"comma", 3.5}, {"dot", 72.5}, {"text", 0},     {"bool", 0},
        {"date", 0},     {"empty", 0},   {"null", 0}};
    for (const auto& [key, value] : numbers) {
        SCOPED_TRACE(key);
        EXPECT_EQ(a.ResolveAsNumber(key), value);
    }
    EXPECT_EQ(a.ResolveAsString("int"), "42");
    EXPECT_EQ(a.ResolveAsString("comma"), "3,5");
    EXPECT_EQ(a.ResolveAsString("bool"), "True");
    EXPECT_EQ(a.ResolveAsString("null"), "");
    EXPECT_EQ(a.ResolveAsString("empty"), "");
}

TEST(DStructAssoc, XmlRoundTripKeepsTypesAndValues) {
    TAssocArray a(nullptr);
    a.SetIgnoreCase(false);
    a.Add("Int", -7);
    a.Add("small", static_cast<int16_t>(-300));
    a.Add("short", static_cast<int8_t>(-5));
    a.Add("byte", static_cast<uint8_t>(255));
    a.Add("word", static_cast<uint16_t>(65535));
    a.Add("long", 4000000000u);
    a.Add("i64", static_cast<long long>(-9000000000000000000LL));
    a.Add("u64", 18000000000000000000ULL);
    a.Add("single", 0.1f);
    a.Add("double", 0.1);
    a.Add("tiny", 5e-324);
    a.Add("cur", TCurrency::FromScaled(-922337203685477807LL));
    a.Add("cur2", TCurrency::FromScaled(5));
    a.Add("date", TVariant::FromDate(45123.75));
    a.Add("yes", true);
    a.Add("no", false);
    a.Add("text", "quote \" lt < gt > % \r\n \xE9");
    a.Add("", "empty key");
    a.Add("key with \"quote\"", "");
    a.Add("null", TVariant::Null());
    a.Add("empty", TVariant());
    TMemoryStream m;
    a.WriteToXMLStream(&m, true, "Settings");
    m.SetPosition(0);
    TAssocArray b(nullptr);
    b.SetIgnoreCase(false);
    b.Add("old", 1);
    ASSERT_TRUE(b.ReadFromXMLStream(&m, "settings"));
    ASSERT_EQ(b.GetNumEntries(), a.GetNumEntries());
    for (int i = 1; i <= a.GetNumEntries(); ++i) {
        SCOPED_TRACE(a.GetKeys(i));
        EXPECT_EQ(b.GetKeys(i), a.GetKeys(i));
        EXPECT_EQ(b.GetValues(i).VarType(), a.GetValues(i).VarType());
        EXPECT_EQ(VarToStr(b.GetValues(i)), VarToStr(a.GetValues(i)));
        if (!a.GetValues(i).IsNull()) {
            EXPECT_TRUE(b.GetValues(i) == a.GetValues(i));
        }
    }
    EXPECT_TRUE(b.Resolve("old").IsNull());
    // Read under IgnoreCase, keys fold and merge as Add does.
    m.SetPosition(0);
    TAssocArray c(nullptr);
    ASSERT_TRUE(c.ReadFromXMLStream(&m, ""));
    EXPECT_EQ(c.ResolveAsNumber("INT"), -7);
}

TEST(DStructAssoc, DamagedXmlLeavesTheEntries) {
    const auto envelope = [](const std::string& Body) {
        return "<assocarray sig=\"QYXCSuite\" vers=\"1.0\" id=\"\">\r\n" + Body + "</assocarray>\r\n";
    };
    const std::string cases[] = {
        "",
        "<assocarray sig=\"QYXCSuite\" id=\"\">\r\n  <entry key=\"a\" type=\"Integer\" value=\"1\" />\r\n",
        envelope("  <entry key=\"a\" type=\"Integer\" value=\"x\" />\r\n"),
        envelope("  <entry key=\"a\" type=\"Byte\" value=\"256\" />\r\n"),
        envelope("  <entry key=\"a\" type=\"Smallint\" value=\"40000\" />\r\n"),
        envelope("  <entry key=\"a\" type=\"Boolean\" value=\"2\" />\r\n"),
        envelope("  <entry key=\"a\" type=\"Currency\" value=\"1.23456\" />\r\n"),
        envelope("  <entry key=\"a\" type=\"Currency\" value=\"922337203685478\" />\r\n"),
        envelope("  <entry key=\"a\" type=\"Double\" value=\"1,5\" />\r\n"),
        envelope("  <entry key=\"a\" type=\"Widget\" value=\"1\" />\r\n"),
        envelope("  <entry key=\"a\" value=\"1\" />\r\n"),
        envelope("  <other />\r\n"),
    };
    for (const auto& text : cases) {
        SCOPED_TRACE(text);
        TAssocArray a(nullptr);
        a.Add("keep", 1);
        TStringStream s(text);
        EXPECT_FALSE(a.ReadFromXMLStream(&s, ""));
        EXPECT_EQ(a.GetNumEntries(), 1);
        EXPECT_EQ(a.Resolve("keep"), TVariant(1));
    }
    TAssocArray a(nullptr);
    EXPECT_FALSE(a.ReadFromXMLStream(nullptr, ""));
}

TEST(DStructAssoc, AddXMLAttributes) {
    TAssocArray a(nullptr);
    a.AddXMLAttributes("x = \"1 2\" Y=3 flag z=\"\" ");
    EXPECT_EQ(a.GetNumEntries(), 3);
    EXPECT_EQ(a.ResolveAsString("x"), "1 2");
    EXPECT_EQ(a.ResolveAsNumber("y"), 3);
    EXPECT_EQ(a.Resolve("flag z").VarType(), varString); // a name runs up to its "="
    EXPECT_EQ(a.ResolveAsString("flag z"), "");
    // A syntax error ends the walk; what came before stays.
    TAssocArray b(nullptr);
    b.AddXMLAttributes("a=1 b\"c=2 d=3");
    EXPECT_EQ(b.GetNumEntries(), 1);
    TAssocArray c(nullptr);
    c.AddXMLAttributes("a==1");
    c.AddXMLAttributes("");
    c.AddXMLAttributes("   ");
    c.AddXMLAttributes("last");
    EXPECT_EQ(c.GetNumEntries(), 1);
    EXPECT_EQ(c.GetKeys(1), "last");
}
