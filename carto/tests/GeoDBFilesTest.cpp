// The file set, the byte layouts of each file kind, the header properties and LazyWrite.
#include "GeoDBTestUtil.h"

#include <qyx/platform/Streams.h>

namespace qyx::test {
namespace {

class GeoDBFiles : public ::testing::Test {
protected:
    TGeoTempDir Dir;
    std::string Base = Dir("world");
    std::string F(const char* Ext) const { return Base + Ext; }
};

TEST_F(GeoDBFiles, OpeningCreatesSevenFilesWithDefaultHeader) {
    TGeoDB db(nullptr);
    EXPECT_EQ(db.GetDBName(), "");
    db.SetDBName(Dir("world.dat"));
    EXPECT_EQ(db.GetDBName(), Base);
    EXPECT_EQ(db.GetNumEntries(), 0);
    for (const char* ext : GeoExts) {
        SCOPED_TRACE(ext);
        ASSERT_TRUE(std::filesystem::exists(F(ext)));
        EXPECT_EQ(std::filesystem::file_size(F(ext)), std::string(ext) == ".qyxgdd" ? 260u : 0u);
    }
    const auto h = ReadBytes(F(".qyxgdd"));
    std::vector<uint8_t> expect(260, 0);
    expect[4] = 3;
    EXPECT_EQ(h, expect);
    EXPECT_EQ(db.GetDescription(), "");
    EXPECT_EQ(db.GetRevision(), 0);
    db.SetDBName("");
    EXPECT_EQ(db.GetDBName(), "");
}

TEST_F(GeoDBFiles, HeaderPropertiesAreWrittenAtOnce) {
    TGeoDB db(nullptr);
    db.SetDescription("ignored while closed");
    db.SetRevision(5);
    EXPECT_EQ(db.GetDescription(), "");
    db.SetDBName(Base);
    const std::string text75(75, 'd');
    db.SetDescription("Alps " + text75);
    db.SetRevision(-7);
    EXPECT_EQ(db.GetDescription(), ("Alps " + text75).substr(0, 60));
    const auto h = ReadBytes(F(".qyxgdd"));
    ASSERT_EQ(h.size(), 260u);
    EXPECT_EQ(h[8], 60);
    EXPECT_EQ(std::string(h.begin() + 9, h.begin() + 69), ("Alps " + text75).substr(0, 60));
    EXPECT_EQ(At<int32_t>(h, 72), -7);
    EXPECT_TRUE(std::all_of(h.begin() + 76, h.end(), [](uint8_t b) { return b == 0; }));

    TGeoDB again(nullptr);
    again.SetDBName(Base);
    EXPECT_EQ(again.GetDescription(), db.GetDescription());
    EXPECT_EQ(again.GetRevision(), -7);
}

TEST_F(GeoDBFiles, HeaderWriteFailureRaisesAfterStoring) {
    TGeoDB db(nullptr);
    db.SetName("Atlas");
    db.SetDBName(Base);
    std::filesystem::remove(F(".qyxgdd"));
    std::filesystem::create_directory(F(".qyxgdd")); // cannot be opened as a file
    try {
        db.SetDescription("x");
        FAIL();
    } catch (const EQYXGeoDBError& e) {
        EXPECT_STREQ(e.what(), "Component \"Atlas\": SetDescription: cannot open database.");
    }
    EXPECT_EQ(db.GetDescription(), "x");
    EXPECT_THROW(db.SetRevision(2), EQYXGeoDBError);
    EXPECT_EQ(db.GetRevision(), 2);
    TMetaInfo m;
    try {
        db.AddTown("T", 0, 0, {1, 2}, 0, 0);
        FAIL();
    } catch (const EQYXGeoDBError& e) {
        EXPECT_STREQ(e.what(), "Component \"Atlas\": AddData: cannot open database.");
    }
    EXPECT_EQ(db.GetLastItemID(), 1);
    EXPECT_EQ(db.GetNumEntries(), 0);
}

TEST_F(GeoDBFiles, RecordLayoutAtKnownOffset) {
    TGeoDB db(nullptr);
    db.SetDBName(Base);
    db.AddTown("First", 1.0, 1, {1, 1}, 0, 0);
    db.AddTown("Bern", 45000.25, -123456, {46.948f, 7.447f}, 0xAB, 0x01020304);
    const auto b = ReadBytes(F(".qyxgds"));
    ASSERT_EQ(b.size(), 240u);
    const size_t o = 120;
    EXPECT_EQ(At<int32_t>(b, o + 0), 2);
    EXPECT_EQ(b[o + 4], 4);
    EXPECT_EQ(std::string(b.begin() + o + 5, b.begin() + o + 9), "Bern");
    EXPECT_TRUE(std::all_of(b.begin() + o + 9, b.begin() + o + 68, [](uint8_t c) { return c == ' '; }));
    EXPECT_EQ(b[o + 68], 0xAB);
    EXPECT_EQ(b[o + 69] | b[o + 70] | b[o + 71], 0);
    EXPECT_EQ(At<int32_t>(b, o + 72), 0x01020304);
    EXPECT_EQ(At<int32_t>(b, o + 76), -1);
    EXPECT_EQ(At<double>(b, o + 80), 45000.25);
    EXPECT_EQ(At<int32_t>(b, o + 88), -123456);
    EXPECT_EQ(At<float>(b, o + 92), 46.948f);
    EXPECT_EQ(At<float>(b, o + 96), 46.948f);
    EXPECT_EQ(At<float>(b, o + 100), 7.447f);
    EXPECT_EQ(At<float>(b, o + 104), 7.447f);
    EXPECT_EQ(b[o + 108], gitTown);
    EXPECT_EQ(At<int32_t>(b, o + 112), 0);
    EXPECT_EQ(b[o + 116], 0);
    EXPECT_EQ(b[o + 117] | b[o + 118] | b[o + 119], 0);
    EXPECT_EQ(At<int32_t>(ReadBytes(F(".qyxgdd")), 0), 2); // LastItemID
}

TEST_F(GeoDBFiles, IndexAndBlockLayouts) {
    TGeoDB db(nullptr);
    db.SetDBName(Base);
    db.AddTown("North", 0, 0, {60.5f, 10.25f}, 0, 0);
    db.AddRiver("Flow", {{5, 1}, {7, -2}, {6, 3}}, 0, 0, 0, 0, 0, 0, 0, 0);
    TMetaInfo m;
    m.Kwd = "kw";
    m.Caption = "cap";
    m.Extra = "extra";
    const std::string content = "blob bytes";
    db.AddBLOB("Note", 0, 0, 1, 2, 3, 4, 0, 0, m, content.data(), static_cast<int>(content.size()));

    // Item-identifier index: (ItemID, RecNo - 1) ascending.
    const auto i0 = ReadBytes(F(".qyxgi0"));
    ASSERT_EQ(i0.size(), 24u);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(At<int32_t>(i0, 8 * k), k + 1);
        EXPECT_EQ(At<int32_t>(i0, 8 * k + 4), k);
    }
    // South-edge index: river 5, BLOB 1, town 60.5 -> BLOB, river, town.
    const auto i1 = ReadBytes(F(".qyxgi1"));
    ASSERT_EQ(i1.size(), 24u);
    const float vals[3] = {1, 5, 60.5f};
    const int recs[3] = {2, 1, 0};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(At<float>(i1, 8 * k), vals[k]);
        EXPECT_EQ(At<int32_t>(i1, 8 * k + 4), recs[k]);
    }
    // East edges: BLOB 4, river 3, town 10.25.
    const auto i4 = ReadBytes(F(".qyxgi4"));
    EXPECT_EQ(At<float>(i4, 0), 3.0f);
    EXPECT_EQ(At<int32_t>(i4, 4), 1);

    // Polygon block right after the header, BLOB block after it.
    const auto d = ReadBytes(F(".qyxgdd"));
    ASSERT_EQ(d.size(), 260u + 24 + 1024 + content.size());
    EXPECT_EQ(At<float>(d, 260), 5.0f);
    EXPECT_EQ(At<float>(d, 264), 1.0f);
    EXPECT_EQ(At<float>(d, 276), 6.0f);
    EXPECT_EQ(At<float>(d, 280), 3.0f);
    const size_t bo = 284;
    EXPECT_EQ(d[bo], 2);
    EXPECT_EQ(d[bo + 1], 'k');
    EXPECT_EQ(d[bo + 256], 3);
    EXPECT_EQ(d[bo + 384], 0);
    EXPECT_EQ(d[bo + 768], 5);
    EXPECT_EQ(std::string(d.begin() + bo + 1024, d.end()), content);

    const TgdbData river = db.GetSumdata(2);
    EXPECT_EQ(river.DataOffset, 260);
    EXPECT_EQ(river.DataSize, 3);
    EXPECT_EQ(river.LatLow, 5.0f);
    EXPECT_EQ(river.LatHigh, 7.0f);
    EXPECT_EQ(river.LongLow, -2.0f);
    EXPECT_EQ(river.LongHigh, 3.0f);
    const TgdbData blob = db.GetSumdata(3);
    EXPECT_EQ(blob.DataOffset, 284);
    EXPECT_EQ(blob.DataSize, static_cast<int>(content.size()));
    EXPECT_EQ(blob.LatLow, 1.0f);
    EXPECT_EQ(blob.LongHigh, 4.0f);
}

TEST_F(GeoDBFiles, FreshComponentReadsBackByteIdentical) {
    std::vector<std::vector<uint8_t>> before;
    std::vector<TgdbData> recs;
    {
        TGeoDB db(nullptr);
        db.SetDBName(Base);
        db.SetDescription("Europe");
        for (int k = 0; k < 40; ++k)
            db.AddTown("Town " + std::to_string(k), k * 0.5, k, {float(k % 7) - 3.5f, float(k % 5) * 2.25f},
                       uint8_t(k), -k);
        db.AddLake("Lake", {{46.2f, 6.1f}, {46.5f, 6.9f}, {46.3f, 6.5f}}, 1, 2, 0, 0, 0, 0, 3, 4);
        db.DeleteData(3);
        for (const char* ext : GeoExts) before.push_back(ReadBytes(F(ext)));
        for (int k = 1; k <= db.GetNumEntries(); ++k) recs.push_back(db.GetSumdata(k));
    }
    TGeoDB db(nullptr);
    db.SetDBName(Base);
    ASSERT_EQ(db.GetNumEntries(), static_cast<int>(recs.size()));
    EXPECT_EQ(db.GetDescription(), "Europe");
    EXPECT_TRUE(IndexesMatch(db));
    for (int k = 1; k <= db.GetNumEntries(); ++k) {
        uint8_t a[120], b[120];
        GdbDataToBytes(db.GetSumdata(k), a);
        GdbDataToBytes(recs[static_cast<size_t>(k - 1)], b);
        EXPECT_EQ(0, std::memcmp(a, b, 120)) << k;
    }
    // Saving everything again from the fresh component writes the same bytes.
    db.SetLazyWrite(true);
    db.SetLazyWrite(false);
    db.SetDescription(db.GetDescription());
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(ReadBytes(F(GeoExts[i])), before[static_cast<size_t>(i)]) << GeoExts[i];
}

TEST_F(GeoDBFiles, LazyWriteDefersIndexFilesOnly) {
    struct Case {
        const char* What;
        std::function<void(std::unique_ptr<TGeoDB>&)> Flush;
    };
    const Case cases[] = {
        {"LazyWrite off", [](auto& db) { db->SetLazyWrite(false); }},
        {"closed", [](auto& db) { db->SetDBName(""); }},
        {"another opened", [&](auto& db) { db->SetDBName(Dir("other")); }},
        {"destroyed", [](auto& db) { db.reset(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        for (const char* ext : GeoExts) std::filesystem::remove(F(ext));
        auto db = std::make_unique<TGeoDB>(nullptr);
        db->SetDBName(Base);
        db->AddTown("A", 0, 0, {1, 1}, 0, 0);
        db->SetLazyWrite(true);
        db->AddTown("B", 0, 0, {2, 2}, 0, 0);
        db->AddTown("C", 0, 0, {0, 0}, 0, 0);
        EXPECT_EQ(std::filesystem::file_size(F(".qyxgds")), 360u);
        for (int i = 2; i < 7; ++i) EXPECT_EQ(std::filesystem::file_size(F(GeoExts[i])), 8u);
        c.Flush(db);
        for (int i = 2; i < 7; ++i) EXPECT_EQ(std::filesystem::file_size(F(GeoExts[i])), 24u);
        EXPECT_EQ(At<int32_t>(ReadBytes(F(".qyxgi1")), 4), 2); // C has the lowest latitude
    }
}

TEST_F(GeoDBFiles, ClosingResetsState) {
    TGeoDB db(nullptr);
    db.SetDBName(Base);
    db.SetDescription("d");
    db.SetRevision(4);
    db.AddTown("A", 0, 0, {1, 1}, 0, 0);
    db.SetLazyWrite(true);
    db.SetDBName("");
    EXPECT_FALSE(db.GetLazyWrite());
    EXPECT_EQ(db.GetNumEntries(), 0);
    EXPECT_EQ(db.GetDescription(), "");
    EXPECT_EQ(db.GetRevision(), 0);
    EXPECT_EQ(db.GetLastItemID(), 0);
    EXPECT_EQ(db.SearchForItemID(1), 0);
    // Operations on a closed database do nothing.
    db.AddTown("B", 0, 0, {1, 1}, 0, 0);
    db.DeleteData(1);
    TgdbPolygon p;
    EXPECT_FALSE(db.RetrievePolygon(1, p));
    EXPECT_EQ(db.GetNumEntries(), 0);
    // LazyWrite keeps its value across an open.
    db.SetLazyWrite(true);
    db.SetDBName(Base);
    EXPECT_TRUE(db.GetLazyWrite());
    EXPECT_EQ(db.GetNumEntries(), 1);
}

TEST_F(GeoDBFiles, ShortDataFileCannotBeOpened) {
    {
        TGeoDB db(nullptr);
        db.SetDBName(Base);
    }
    auto d = ReadBytes(F(".qyxgdd"));
    d.resize(259);
    WriteBytes(F(".qyxgdd"), d);
    TGeoDB db(nullptr);
    EXPECT_THROW(db.SetDBName(Base), EInOutError);
    EXPECT_EQ(db.GetDBName(), "");
    EXPECT_EQ(db.GetNumEntries(), 0);
}

TEST_F(GeoDBFiles, SummaryOfDatabaseOnDisk) {
    {
        TGeoDB db(nullptr);
        db.SetDBName(Base);
        db.SetDescription("Alps");
        db.AddTown("A", 0, 0, {1, 1}, 0, 0);
        db.AddLake("L", {}, 0, 0, 0, 0, 0, 0, 0, 0);
    }
    const std::string s = ReadSystemInformation(Base + ".xyz");
    EXPECT_NE(s.find("Items: 2\r\n"), std::string::npos);
    EXPECT_NE(s.find("Description: Alps\r\n"), std::string::npos);
    EXPECT_NE(s.find("Town: 1\r\n"), std::string::npos);
    EXPECT_NE(s.find("Lake: 1\r\n"), std::string::npos);
    EXPECT_THROW(ReadSystemInformation(Dir("missing")), EInOutError);
}

} // namespace
} // namespace qyx::test
