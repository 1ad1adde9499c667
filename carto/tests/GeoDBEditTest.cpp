// Adding, replacing, deleting and retrieving items of every kind, BLOBs from files, memory and
// streams, progress reports and the failure results.
#include "GeoDBTestUtil.h"

#include <qyx/platform/Streams.h>

namespace qyx::test {
namespace {

class GeoDBEdit : public ::testing::Test {
protected:
    void SetUp() override { Db.SetDBName(Base); }
    TGeoTempDir Dir;
    std::string Base = Dir("db");
    TGeoDB Db{nullptr};
    const TgdbPolygon Tri{{10, 20}, {12, 18}, {11, 25}};
};

TEST_F(GeoDBEdit, EveryPolygonKindStoresKindClosedAndComputedBox) {
    struct Case {
        TgdbItem Kind;
        bool Closed;
    };
    // Border and city keep the caller's Closed (true here), lakes are closed, the others open.
    const Case cases[] = {{gitBorder, true}, {gitCity, true},  {gitLake, true},
                          {gitRiver, false}, {gitRoad, false}, {gitRoute, false}};
    Db.AddBorder("b", Tri, true, 1, 2, -9, -9, -9, -9, 3, 4);
    Db.AddCity("c", Tri, true, 1, 2, -9, -9, -9, -9, 3, 4);
    Db.AddLake("l", Tri, 1, 2, -9, -9, -9, -9, 3, 4);
    Db.AddRiver("r", Tri, 1, 2, -9, -9, -9, -9, 3, 4);
    Db.AddRoad("o", Tri, 1, 2, -9, -9, -9, -9, 3, 4);
    Db.AddRoute("u", Tri, 1, 2, -9, -9, -9, -9, 3, 4);
    ASSERT_EQ(Db.GetNumEntries(), 6);
    for (int k = 1; k <= 6; ++k) {
        const Case& c = cases[k - 1];
        SCOPED_TRACE(GDB_ITEMNAMES[c.Kind]);
        const TgdbData d = Db.GetSumdata(k);
        EXPECT_EQ(d.ItemID, k);
        EXPECT_EQ(d.ItemType, c.Kind);
        EXPECT_EQ(d.Closed, c.Closed);
        EXPECT_EQ(d.LatLow, 10.0f);
        EXPECT_EQ(d.LatHigh, 12.0f);
        EXPECT_EQ(d.LongLow, 18.0f);
        EXPECT_EQ(d.LongHigh, 25.0f);
        EXPECT_EQ(d.DataSize, 3);
        EXPECT_EQ(d.DataOffset, 260 + 24 * (k - 1));
        EXPECT_EQ(d.Date, 1.0);
        EXPECT_EQ(d.IntAttrib1, 2);
        EXPECT_EQ(d.ByteAttrib, 3);
        EXPECT_EQ(d.IntAttrib2, 4);
        TgdbPolygon back;
        EXPECT_TRUE(Db.RetrievePolygon(k, back));
        EXPECT_EQ(back, Tri);
    }
    Db.AddBorder("open border", Tri, false, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_FALSE(Db.GetSumdata(7).Closed);
}

TEST_F(GeoDBEdit, EmptyPolygonGetsInvertedBoxAndCurrentOffset) {
    Db.AddTown("t", 0, 0, {1, 1}, 0, 0);
    Db.AddRiver("empty", {}, 0, 0, 0, 0, 0, 0, 0, 0);
    const TgdbData d = Db.GetSumdata(2);
    EXPECT_EQ(d.DataSize, 0);
    EXPECT_EQ(d.DataOffset, 260);
    EXPECT_EQ(d.LatLow, 90.0f);
    EXPECT_EQ(d.LatHigh, -90.0f);
    EXPECT_EQ(d.LongLow, 180.0f);
    EXPECT_EQ(d.LongHigh, -180.0f);
    TgdbPolygon p{{1, 1}};
    EXPECT_TRUE(Db.RetrievePolygon(2, p));
    EXPECT_TRUE(p.empty());
}

TEST_F(GeoDBEdit, IdentifiersAreNeverReused) {
    Db.AddTown("one", 0, 0, {1, 1}, 0, 0);
    Db.AddTown("two", 0, 0, {2, 2}, 0, 0);
    Db.DeleteData(1);
    ASSERT_EQ(Db.GetNumEntries(), 1);
    EXPECT_EQ(Db.GetSumdata(1).Name, "two");
    Db.AddTown("three", 0, 0, {3, 3}, 0, 0);
    EXPECT_EQ(Db.GetSumdata(2).ItemID, 3);
    EXPECT_EQ(Db.SearchForItemID(1), 0);
    EXPECT_EQ(Db.SearchForItemID(2), 1);
    EXPECT_EQ(Db.SearchForItemID(3), 2);
    EXPECT_TRUE(IndexesMatch(Db));
    Db.SetDBName("");
    Db.SetDBName(Base);
    Db.AddTown("four", 0, 0, {4, 4}, 0, 0);
    EXPECT_EQ(Db.GetSumdata(3).ItemID, 4);
}

TEST_F(GeoDBEdit, NamesAreCutAndBlankFilled) {
    Db.AddTown(TgdbName(std::string(70, 'x')), 0, 0, {0, 0}, 0, 0);
    EXPECT_EQ(Db.GetSumdata(1).Name.Length(), 63);
}

TEST_F(GeoDBEdit, ReplaceKeepsIdentifierAndAppendsBlock) {
    Db.AddTown("t", 0, 0, {1, 1}, 0, 0);
    Db.AddLake("l", Tri, 0, 0, 0, 0, 0, 0, 0, 0);
    const auto size0 = std::filesystem::file_size(Base + ".qyxgdd");
    Db.ReplaceLake(2, "l", Tri, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(std::filesystem::file_size(Base + ".qyxgdd"), size0 + 24);
    EXPECT_EQ(Db.GetSumdata(2).DataOffset, static_cast<int>(size0));
    EXPECT_EQ(Db.GetSumdata(2).ItemID, 2);

    Db.ReplaceTown(1, "moved", 5, 6, {-40, 170}, 7, 8);
    TgdbData t = Db.GetSumdata(1);
    EXPECT_EQ(t.Name, "moved");
    EXPECT_EQ(t.ItemID, 1);
    EXPECT_EQ(t.LatLow, -40.0f);
    EXPECT_EQ(t.LongHigh, 170.0f);
    EXPECT_EQ(Db.GetIxLatLow(1).RecNo, 1);
    EXPECT_EQ(Db.GetIxLongHigh(2).RecNo, 1);
    EXPECT_TRUE(IndexesMatch(Db));

    // Item numbers out of range are ignored.
    for (int bad : {0, -1, 3}) {
        Db.ReplaceTown(bad, "x", 0, 0, {0, 0}, 0, 0);
        Db.DeleteData(bad);
    }
    EXPECT_EQ(Db.GetNumEntries(), 2);
    EXPECT_EQ(Db.GetSumdata(1).Name, "moved");
    EXPECT_EQ(Db.GetLastItemID(), 2);

    // A kind change by replacing: the town becomes a river.
    Db.ReplaceRiver(1, "river", Tri, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(Db.GetSumdata(1).ItemType, gitRiver);
    TgdbPolygon p;
    EXPECT_TRUE(Db.RetrievePolygon(1, p));
    EXPECT_EQ(p, Tri);
    EXPECT_TRUE(IndexesMatch(Db));
}

TEST_F(GeoDBEdit, DeleteMovesLastItemAndKeepsIndexes) {
    for (int k = 0; k < 6; ++k)
        Db.AddTown("t" + std::to_string(k), 0, 0, {float(k * 3 % 5), float(-k)}, 0, 0);
    const TgdbData last = Db.GetSumdata(6);
    Db.DeleteData(2);
    ASSERT_EQ(Db.GetNumEntries(), 5);
    EXPECT_EQ(Db.GetSumdata(2).ItemID, last.ItemID);
    EXPECT_TRUE(IndexesMatch(Db));
    Db.DeleteData(5); // the last one: nothing moves
    EXPECT_TRUE(IndexesMatch(Db));
    EXPECT_EQ(std::filesystem::file_size(Base + ".qyxgds"), 4u * 120);
    for (int i = 2; i < 7; ++i) EXPECT_EQ(std::filesystem::file_size(Base + GeoExts[i]), 32u);
    while (Db.GetNumEntries() > 0) Db.DeleteData(1);
    EXPECT_TRUE(IndexesMatch(Db));
    EXPECT_EQ(Db.GetSumdata(1).ItemType, gitUndefined);
}

TEST_F(GeoDBEdit, RetrievalClampsAndRejectsWrongKinds) {
    Db.AddLake("l", Tri, 0, 0, 0, 0, 0, 0, 0, 0);
    Db.AddTown("t", 0, 0, {1, 1}, 0, 0);
    TgdbPolygon p;
    EXPECT_TRUE(Db.RetrievePolygon(0, p)); // item 1
    EXPECT_EQ(p.size(), 3u);
    p.clear();
    EXPECT_FALSE(Db.RetrievePolygon(2, p));
    EXPECT_FALSE(Db.RetrievePolygon(3, p));
    EXPECT_TRUE(p.empty());
    EXPECT_EQ(Db.GetSumdata(-5).Name, "l");
    EXPECT_EQ(Db.GetSumdata(99).Name, "t");

    TMetaInfo m;
    char buf[4];
    EXPECT_FALSE(Db.RetrieveBLOB(1, m, buf, 4));
    TMemoryStream s;
    s.SetSize(100);
    EXPECT_FALSE(Db.RetrieveBLOB(2, m, &s)); // town: sized to 0
    EXPECT_EQ(s.GetSize(), 0);
    EXPECT_FALSE(Db.RetrieveBLOB(1, m, &s)); // polygon: sized to its point count
    EXPECT_EQ(s.GetSize(), 3);
    EXPECT_FALSE(Db.RetrieveBLOB(1, Dir("out.bin"), m));
    EXPECT_FALSE(std::filesystem::exists(Dir("out.bin")));
}

TEST_F(GeoDBEdit, BlobsFromMemoryStreamAndFile) {
    TMetaInfo m;
    m.Caption = "caption";
    m.Descriptor = "desc";
    std::string big(40000, '\0');
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
    Db.AddBLOB("mem", 3, 4, 1, 2, 3, 4, 5, 6, m, big.data(), static_cast<int>(big.size()));

    TMemoryStream src;
    src.Write("stream content", 14);
    Db.AddBLOB("str", 0, 0, 0, 0, 0, 0, 0, 0, m, &src);

    const std::string file = Dir("sub/photo.jpg");
    std::filesystem::create_directories(Dir("sub"));
    WriteBytes(file, std::vector<uint8_t>(big.begin(), big.begin() + 20000));
    Db.AddBLOB(file, 0, 0, -1, 1, -2, 2, 0, 0, m);
    Db.AddBLOB(file, std::string("x/named.png"), 0, 0, 0, 0, 0, 0, 0, 0, m);
    Db.AddBLOB(file, std::string("y/stored.png"), std::string("D:\\archive\\photo.jpg"), 0, 0, 0, 0, 0, 0, 0,
               0, m);

    const TgdbData d1 = Db.GetSumdata(1);
    EXPECT_EQ(d1.ItemType, gitBLOB);
    EXPECT_EQ(d1.DataSize, 40000);
    EXPECT_EQ(d1.LatLow, 1.0f);
    EXPECT_EQ(d1.LongHigh, 4.0f);
    EXPECT_EQ(Db.GetSumdata(3).Name, "photo.jpg");
    EXPECT_EQ(Db.GetSumdata(3).DataSize, 20000);
    EXPECT_NE(Db.GetSumdata(3).Date, 0.0); // the file's modification time
    EXPECT_EQ(Db.GetSumdata(4).Name, "named.png");
    EXPECT_EQ(Db.GetSumdata(5).Name, "stored.png");

    TMetaInfo got;
    std::vector<char> buf(40000);
    EXPECT_TRUE(Db.RetrieveBLOB(1, got, buf.data(), 40000));
    EXPECT_EQ(std::string(buf.begin(), buf.end()), big);
    EXPECT_EQ(got.Caption, "caption");
    EXPECT_EQ(got.Descriptor, "desc");
    EXPECT_EQ(got.FilePath, "");

    TMemoryStream out;
    EXPECT_TRUE(Db.RetrieveBLOB(2, got, &out));
    EXPECT_EQ(std::string(static_cast<const char*>(out.Memory()), 14), "stream content");

    EXPECT_TRUE(Db.GetMetaInfo(3, got));
    EXPECT_EQ(got.FilePath, file);
    EXPECT_EQ(got.Caption, "caption");
    EXPECT_TRUE(Db.GetMetaInfo(5, got));
    EXPECT_EQ(got.FilePath, "D:\\archive\\photo.jpg");

    EXPECT_TRUE(Db.RetrieveBLOB(3, Dir("copy.jpg"), got));
    EXPECT_EQ(ReadBytes(Dir("copy.jpg")), ReadBytes(file));
    // Empty name or a folder ending in a separator: the item name is appended.
    EXPECT_TRUE(Db.RetrieveBLOB(4, Dir(""), got));
    EXPECT_EQ(ReadBytes(Dir("named.png")), ReadBytes(file));
    std::filesystem::create_directories(Dir("out"));
    EXPECT_TRUE(Db.RetrieveBLOB(4, Dir("out") + "\\", got));
    EXPECT_EQ(ReadBytes(Dir("out/named.png")), ReadBytes(file));

    // Replacing from a stream.
    TMemoryStream again;
    again.Write("xyz", 3);
    Db.ReplaceBLOB(2, "str2", 0, 0, 0, 0, 0, 0, 0, 0, m, &again);
    EXPECT_TRUE(Db.RetrieveBLOB(2, got, &out));
    EXPECT_EQ(out.GetSize(), 3);
    EXPECT_EQ(Db.GetSumdata(2).Name, "str2");

    // Too small a buffer: error after the meta information has been read.
    ClearMetaInfo(got);
    try {
        Db.RetrieveBLOB(1, got, buf.data(), 39999);
        FAIL();
    } catch (const EQYXGeoDBError& e) {
        EXPECT_STREQ(e.what(),
                     "Component \"\": RetrieveBLOB: BLOB to be retrieved is larger than SizeOfBlobData.");
    }
    EXPECT_EQ(got.Caption, "caption");
}

TEST_F(GeoDBEdit, BlobFailures) {
    TMetaInfo m;
    Db.AddBLOB("", 0, 0, 0, 0, 0, 0, 0, 0, m, "x", 1);
    TMetaInfo got;
    EXPECT_THROW(Db.RetrieveBLOB(1, std::string(), got), EQYXGeoDBError);

    // A missing source file: header and meta block are written, no record is added.
    const auto size0 = std::filesystem::file_size(Base + ".qyxgdd");
    EXPECT_THROW(Db.AddBLOB(Dir("missing.bin"), 0, 0, 0, 0, 0, 0, 0, 0, m), EInOutError);
    EXPECT_EQ(Db.GetNumEntries(), 1);
    EXPECT_EQ(Db.GetLastItemID(), 2);
    EXPECT_EQ(std::filesystem::file_size(Base + ".qyxgdd"), size0 + 1024);
    EXPECT_TRUE(IndexesMatch(Db));

    // An unwritable target.
    EXPECT_THROW(Db.RetrieveBLOB(1, Dir("no/such/dir/x"), got), EInOutError);

    // Replacing a BLOB from memory and from a file.
    Db.ReplaceBLOB(1, "new", 0, 0, 0, 0, 0, 0, 0, 0, m, "abc", 3);
    char b[3];
    EXPECT_TRUE(Db.RetrieveBLOB(1, got, b, 3));
    EXPECT_EQ(std::string(b, 3), "abc");
    WriteBytes(Dir("f.txt"), {'q'});
    Db.ReplaceBLOB(1, Dir("f.txt"), 0, 0, 0, 0, 0, 0, 0, 0, m);
    EXPECT_EQ(Db.GetSumdata(1).Name, "f.txt");
    EXPECT_TRUE(Db.RetrieveBLOB(1, got, b, 3));
    EXPECT_EQ(b[0], 'q');
}

TEST_F(GeoDBEdit, LongSourcePathIsReadInFull) {
    std::string dir = Dir("");
    while (dir.size() < 140) dir += "long_folder_name/";
    std::filesystem::create_directories(dir);
    WriteBytes(dir + "data.bin", {1, 2, 3});
    TMetaInfo m;
    Db.AddBLOB(dir + "data.bin", 0, 0, 0, 0, 0, 0, 0, 0, m);
    EXPECT_EQ(Db.GetSumdata(1).DataSize, 3);
    TMetaInfo got;
    Db.GetMetaInfo(1, got);
    EXPECT_EQ(got.FilePath.Length(), 127);
}

TEST_F(GeoDBEdit, ProgressReports) {
    std::vector<int> seen;
    Db.OnPercentDone = [&](TObject* Sender, int P) {
        EXPECT_EQ(Sender, &Db);
        seen.push_back(P);
    };
    Db.AddTown("t", 0, 0, {0, 0}, 0, 0);
    EXPECT_EQ(seen, (std::vector<int>{0, 100}));
    seen.clear();
    Db.AddRiver("r", {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}}, 0, 0, 0, 0, 0, 0, 0,
                0);
    // After point i: i * 100 / 8 rounded half to even (12.5 -> 12, 37.5 -> 38, 62.5 -> 62, 87.5 -> 88).
    EXPECT_EQ(seen, (std::vector<int>{0, 0, 12, 25, 38, 50, 62, 75, 88, 100}));
    seen.clear();
    std::string big(16384 * 2 + 100, 'z');
    TMetaInfo m;
    Db.AddBLOB("b", 0, 0, 0, 0, 0, 0, 0, 0, m, big.data(), static_cast<int>(big.size()));
    EXPECT_EQ(seen, (std::vector<int>{0, 50, 100, 100}));
    seen.clear();
    Db.SetReportProgress(false);
    Db.AddTown("quiet", 0, 0, {0, 0}, 0, 0);
    EXPECT_TRUE(seen.empty());
    Db.SetReportProgress(true);
    TgdbPolygon p;
    Db.RetrievePolygon(1, p); // a town: 0 and 100 all the same
    EXPECT_EQ(seen, (std::vector<int>{0, 100}));
    seen.clear();
    TMetaInfo got;
    TMemoryStream s;
    Db.RetrieveBLOB(1, got, &s);
    EXPECT_EQ(seen, (std::vector<int>{0, 0}));
}

TEST_F(GeoDBEdit, UpdatesAndNameSearch) {
    Db.AddTown("Zürich", 0, 0, {47.37f, 8.54f}, 0, 0);
    Db.AddLake("Lake Geneva", Tri, 0, 0, 0, 0, 0, 0, 0, 0);
    Db.AddTown("Geneva", 0, 0, {46.2f, 6.15f}, 0, 0);
    TgdbName n = "GENEVA";
    EXPECT_EQ(Db.SearchData(n), 3);
    EXPECT_EQ(n, "Geneva");
    n = "gen";
    EXPECT_EQ(Db.SearchData(n, gitUndefined, 1, 1), 3);
    n = "geneva";
    EXPECT_EQ(Db.SearchData(n, gitLake, 1, 2), 2);
    EXPECT_EQ(n, "Lake Geneva");
    n = "geneva";
    EXPECT_EQ(Db.SearchData(n, gitUndefined, 3, 2), 3);
    n = "nowhere";
    EXPECT_EQ(Db.SearchData(n), 0);

    TgdbData d = Db.GetSumdata(1);
    d.Name = "Zurich";
    d.LatLow = d.LatHigh = 10;
    d.ItemID = 99;
    d.DataOffset = 5;
    EXPECT_TRUE(Db.UpdateBasicData(1, d));
    EXPECT_FALSE(Db.UpdateBasicData(4, d));
    EXPECT_EQ(Db.GetSumdata(1).Name, "Zurich");
    EXPECT_EQ(Db.GetSumdata(1).ItemID, 1);
    EXPECT_EQ(Db.GetSumdata(1).DataOffset, -1);
    EXPECT_EQ(Db.GetIxLatLow(1).RecNo, 1);
    EXPECT_TRUE(IndexesMatch(Db));

    TMetaInfo m;
    EXPECT_FALSE(Db.UpdateMetaInfo(1, m));
    EXPECT_FALSE(Db.GetMetaInfo(2, m));
}

TEST_F(GeoDBEdit, GarbageCollectionKeepsEveryLiveBlock) {
    TMetaInfo m;
    m.Kwd = "k";
    Db.AddLake("a", Tri, 0, 0, 0, 0, 0, 0, 0, 0);
    Db.AddBLOB("b", 0, 0, 0, 0, 0, 0, 0, 0, m, "hello", 5);
    Db.AddRiver("c", Tri, 0, 0, 0, 0, 0, 0, 0, 0);
    Db.ReplaceLake(1, "a", {{1, 2}}, 0, 0, 0, 0, 0, 0, 0, 0);
    Db.DeleteData(3);
    Db.AddTown("t", 0, 0, {1, 1}, 0, 0);
    const auto before = std::filesystem::file_size(Base + ".qyxgdd");
    EXPECT_EQ(Db.GarbageCollection(), 48);
    EXPECT_EQ(std::filesystem::file_size(Base + ".qyxgdd"), before - 48);
    TGeoDB fresh(nullptr);
    fresh.SetDBName(Base);
    TgdbPolygon p;
    EXPECT_TRUE(fresh.RetrievePolygon(1, p));
    EXPECT_EQ(p, (TgdbPolygon{{1, 2}}));
    char buf[5];
    TMetaInfo got;
    EXPECT_TRUE(fresh.RetrieveBLOB(2, got, buf, 5));
    EXPECT_EQ(std::string(buf, 5), "hello");
    EXPECT_EQ(got.Kwd, "k");
    EXPECT_TRUE(IndexesMatch(fresh));

    fresh.ExportDataDebug(Dir("debug.txt"));
    const auto txt = ReadBytes(Dir("debug.txt"));
    const std::string s(txt.begin(), txt.end());
    EXPECT_NE(s.find("Items: 3\r\n"), std::string::npos);
    EXPECT_NE(s.find(";BLOB;b;"), std::string::npos);
}

} // namespace
} // namespace qyx::test
