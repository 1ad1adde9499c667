// Nothing lost: index files that disagree with the item file are rebuilt on opening, truncated or
// garbage files give false results or the documented errors, and additions interrupted at any write
// leave every completed item readable with correct indexes.
#include "GeoDBTestUtil.h"

#include "../src/geodb_io.h"

#include <qyx/platform/Streams.h>

namespace qyx::test {
namespace {

class GeoDBRecovery : public ::testing::Test {
protected:
    TGeoTempDir Dir;
    std::string Base = Dir("r");
    std::string F(const char* Ext) const { return Base + Ext; }
    void TearDown() override { geodb::SetWriteHook(nullptr); }

    void BuildSample(int Towns) {
        TGeoDB db(nullptr);
        db.SetDBName(Base);
        for (int k = 0; k < Towns; ++k)
            db.AddTown("t" + std::to_string(k), k, k, {float((k * 37) % 90), float((k * 53) % 180)}, 0, 0);
        db.AddLake("lake", {{1, 2}, {3, 4}}, 0, 0, 0, 0, 0, 0, 0, 0);
    }
};

TEST_F(GeoDBRecovery, DisagreeingIndexFilesAreRebuiltOnOpening) {
    struct Case {
        const char* What;
        std::function<void(const std::string& Base)> Damage;
    };
    auto edit = [](const std::string& Path, auto Fn) {
        auto b = ReadBytes(Path);
        Fn(b);
        WriteBytes(Path, b);
    };
    const Case cases[] = {
        {"index file missing", [](const std::string& B) { std::filesystem::remove(B + ".qyxgi2"); }},
        {"index file truncated",
         [&](const std::string& B) { edit(B + ".qyxgi0", [](auto& b) { b.resize(16); }); }},
        {"torn index entry",
         [&](const std::string& B) { edit(B + ".qyxgi3", [](auto& b) { b.resize(b.size() - 3); }); }},
        {"entry past the last record",
         [&](const std::string& B) { edit(B + ".qyxgi1", [](auto& b) { b[4] = 200; }); }},
        {"negative record number",
         [&](const std::string& B) {
             edit(B + ".qyxgi4", [](auto& b) { b[12] = b[13] = b[14] = b[15] = 0xFF; });
         }},
        {"wrong identifier", [&](const std::string& B) { edit(B + ".qyxgi0", [](auto& b) { b[0] = 77; }); }},
        {"out of order",
         [&](const std::string& B) {
             edit(B + ".qyxgi1", [](auto& b) { std::swap_ranges(b.begin(), b.begin() + 8, b.begin() + 8); });
         }},
        {"duplicate record number",
         [&](const std::string& B) {
             edit(B + ".qyxgi2", [](auto& b) { std::copy(b.begin() + 4, b.begin() + 8, b.begin() + 12); });
         }},
        {"stale after a lazy crash",
         [](const std::string& B) {
             // Index files of two items for an item file of five.
             TGeoDB db(nullptr);
             db.SetDBName(B + "_small");
             db.AddTown("a", 0, 0, {1, 1}, 0, 0);
             db.AddTown("b", 0, 0, {2, 2}, 0, 0);
             db.SetDBName("");
             for (int i = 2; i < 7; ++i)
                 std::filesystem::copy_file(B + "_small" + GeoExts[i], B + GeoExts[i],
                                            std::filesystem::copy_options::overwrite_existing);
         }},
        {"all index files emptied",
         [](const std::string& B) {
             for (int i = 2; i < 7; ++i) WriteBytes(B + GeoExts[i], {});
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        for (const char* ext : GeoExts) std::filesystem::remove(F(ext));
        BuildSample(4);
        std::vector<std::vector<uint8_t>> good;
        for (int i = 2; i < 7; ++i) good.push_back(ReadBytes(F(GeoExts[i])));
        c.Damage(Base);
        TGeoDB db(nullptr);
        db.SetDBName(Base);
        ASSERT_EQ(db.GetNumEntries(), 5);
        EXPECT_TRUE(IndexesMatch(db));
        for (int k = 1; k <= 5; ++k) EXPECT_EQ(db.SearchForItemID(db.GetSumdata(k).ItemID), k);
        // The rebuilt files are written at once and agree with what the additions wrote.
        for (int i = 2; i < 7; ++i)
            EXPECT_EQ(ReadBytes(F(GeoExts[i])), good[static_cast<size_t>(i - 2)]) << GeoExts[i];
    }
}

TEST_F(GeoDBRecovery, GarbageRecordsGiveFalseNeverOutsideReads) {
    BuildSample(1);
    {
        TGeoDB db(nullptr);
        db.SetDBName(Base);
        TMetaInfo m;
        db.AddBLOB("blob", 0, 0, 0, 0, 0, 0, 0, 0, m, "abcd", 4);
    }
    struct Case {
        const char* What;
        int Rec;    // 0-based record to damage
        int Offset; // field offset
        int32_t Value;
    };
    const Case cases[] = {
        {"polygon offset past the end", 1, 76, 100000},
        {"polygon size past the end", 1, 112, 1000},
        {"negative polygon size", 1, 112, -5},
        {"huge polygon size", 1, 112, 0x7FFFFFFF},
        {"negative offset", 1, 76, -1},
        {"offset inside the header", 1, 76, 10},
        {"blob size past the end", 2, 112, 5},
        {"negative blob size", 2, 112, -1},
        {"huge blob size", 2, 112, 0x7FFFFFF0},
        {"town with a size", 0, 112, 0x20202020},
    };
    const auto items = ReadBytes(F(".qyxgds"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        auto b = items;
        std::memcpy(b.data() + c.Rec * 120 + c.Offset, &c.Value, 4);
        WriteBytes(F(".qyxgds"), b);
        TGeoDB db(nullptr);
        db.SetDBName(Base);
        ASSERT_EQ(db.GetNumEntries(), 3);
        TgdbPolygon p;
        TMetaInfo m;
        std::vector<char> buf(16);
        TMemoryStream s;
        if (c.Rec == 0) {
            const TgdbData t = db.GetSumdata(1);
            s.SetSize(5);
            EXPECT_FALSE(db.RetrieveBLOB(1, m, &s));
            EXPECT_EQ(s.GetSize(), 0); // a size no block backs is not trusted
            EXPECT_EQ(t.DataSize, 0x20202020);
        } else if (c.Rec == 1) {
            EXPECT_FALSE(db.RetrievePolygon(2, p));
            EXPECT_FALSE(db.RetrieveBLOB(2, m, &s));
            EXPECT_EQ(s.GetSize(), 0);
        } else {
            EXPECT_FALSE(db.RetrieveBLOB(3, m, buf.data(), 16));
            EXPECT_FALSE(db.RetrieveBLOB(3, m, &s));
            EXPECT_EQ(s.GetSize(), 0);
            EXPECT_FALSE(db.RetrieveBLOB(3, Dir("out"), m));
            EXPECT_FALSE(db.GetMetaInfo(3, m));
            EXPECT_FALSE(db.UpdateMetaInfo(3, m));
        }
        EXPECT_TRUE(db.RetrievePolygon(0, p) || db.GetSumdata(1).ItemType == gitTown);
    }
}

TEST_F(GeoDBRecovery, TornAndGarbageItemFile) {
    BuildSample(3);
    auto b = ReadBytes(F(".qyxgds"));
    // Torn last record: cut off when opening; the next addition lands on a record boundary.
    b.resize(b.size() - 50);
    b[108 + 120] = 200; // an unknown kind reads as gitUndefined
    b[4] = 250;         // a name length above 63 is clamped
    WriteBytes(F(".qyxgds"), b);
    TGeoDB db(nullptr);
    db.SetDBName(Base);
    ASSERT_EQ(db.GetNumEntries(), 3);
    EXPECT_EQ(std::filesystem::file_size(F(".qyxgds")), 360u);
    EXPECT_EQ(db.GetSumdata(2).ItemType, gitUndefined);
    EXPECT_EQ(db.GetSumdata(1).Name.Length(), 63);
    EXPECT_TRUE(IndexesMatch(db));
    db.AddTown("new", 0, 0, {5, 5}, 0, 0);
    EXPECT_EQ(db.GetSumdata(4).ItemID, 5); // the header had counted the lake
    TGeoDB again(nullptr);
    again.SetDBName(Base);
    EXPECT_EQ(again.GetSumdata(4).Name, "new");
}

TEST_F(GeoDBRecovery, DeletionInterruptedBeforeTheCutLosesNothing) {
    BuildSample(3);
    auto b = ReadBytes(F(".qyxgds"));
    std::copy(b.end() - 120, b.end(), b.begin()); // item 1 overwritten by the last, not yet cut off
    WriteBytes(F(".qyxgds"), b);
    TGeoDB db(nullptr);
    db.SetDBName(Base);
    ASSERT_EQ(db.GetNumEntries(), 3);
    EXPECT_EQ(db.GetSumdata(1).Name, "lake");
    EXPECT_EQ(std::filesystem::file_size(F(".qyxgds")), 360u);
    EXPECT_TRUE(IndexesMatch(db));
}

TEST_F(GeoDBRecovery, HeaderBehindItemsNeverRepeatsIdentifiers) {
    BuildSample(3);
    auto d = ReadBytes(F(".qyxgdd"));
    d[0] = 1;
    d[8] = 255; // a description length past its field
    WriteBytes(F(".qyxgdd"), d);
    TGeoDB db(nullptr);
    db.SetDBName(Base);
    EXPECT_EQ(db.GetLastItemID(), 4);
    EXPECT_EQ(db.GetDescription().size(), 60u);
    db.AddTown("x", 0, 0, {0, 0}, 0, 0);
    EXPECT_EQ(db.GetSumdata(5).ItemID, 5);
    EXPECT_TRUE(IndexesMatch(db));
}

// Copies the database files (as a crash would leave them) before every change the file layer makes,
// once untouched and once with the change half done, and checks each copy.
void InterruptEveryWrite(const std::string& Base, const TGeoTempDir& Dir, bool Lazy) {
    struct Snapshot {
        std::string Base;
        int Completed;
    };
    std::vector<Snapshot> snaps;
    int completed = 0;
    int n = 0;
    auto copyAll = [&](const std::string& To) {
        for (const char* ext : GeoExts)
            if (std::filesystem::exists(Base + ext))
                std::filesystem::copy_file(Base + ext, To + ext,
                                           std::filesystem::copy_options::overwrite_existing);
    };
    geodb::SetWriteHook([&](const std::string& File, int64_t Offset, const void* Data, int Count) {
        const std::string whole = Dir("snap" + std::to_string(n++));
        copyAll(whole);
        snaps.push_back({whole, completed});
        // The same moment with the change half made.
        const std::string torn = Dir("snap" + std::to_string(n++));
        copyAll(torn);
        const std::string target = torn + File.substr(Base.size());
        if (Count > 0) {
            auto b = ReadBytes(target);
            const size_t end = static_cast<size_t>(Offset) + static_cast<size_t>(Count / 2);
            if (b.size() < end) b.resize(end);
            std::memcpy(b.data() + Offset, Data, static_cast<size_t>(Count / 2));
            WriteBytes(target, b);
        } else {
            WriteBytes(target, {}); // creation or truncation caught at its worst
        }
        snaps.push_back({torn, completed});
    });
    {
        TGeoDB db(nullptr);
        db.SetDBName(Base);
        db.SetLazyWrite(Lazy);
        TMetaInfo m;
        for (int k = 0; k < 6; ++k) {
            if (k % 3 == 2)
                db.AddRiver("r" + std::to_string(k), {{float(k), 1}, {2, float(-k)}}, 0, k, 0, 0, 0, 0, 0, 0);
            else if (k == 4)
                db.AddBLOB("b", 0, k, 1, 2, 3, 4, 0, 0, m, "payload", 7);
            else
                db.AddTown("t" + std::to_string(k), 0, k, {float(10 - k), float(k)}, 0, 0);
            ++completed;
        }
        geodb::SetWriteHook(nullptr);
    }
    ASSERT_GT(snaps.size(), 20u);
    for (const Snapshot& s : snaps) {
        SCOPED_TRACE(s.Base);
        std::filesystem::path data(s.Base + ".qyxgdd");
        if (!std::filesystem::exists(data) || std::filesystem::file_size(data) < 260)
            continue; // not yet created
        TGeoDB db(nullptr);
        db.SetDBName(s.Base);
        ASSERT_GE(db.GetNumEntries(), s.Completed);
        ASSERT_LE(db.GetNumEntries(), s.Completed + 1);
        EXPECT_TRUE(IndexesMatch(db));
        for (int k = 1; k <= db.GetNumEntries(); ++k) {
            const TgdbData d = db.GetSumdata(k);
            EXPECT_EQ(d.ItemID, k);
            EXPECT_EQ(d.IntAttrib1, k - 1);
            if (d.ItemType == gitRiver) {
                TgdbPolygon p;
                EXPECT_TRUE(db.RetrievePolygon(k, p));
                EXPECT_EQ(p.size(), 2u);
            }
            if (d.ItemType == gitBLOB) {
                char buf[7];
                TMetaInfo m;
                EXPECT_TRUE(db.RetrieveBLOB(k, m, buf, 7));
                EXPECT_EQ(std::string(buf, 7), "payload");
            }
        }
        // The reopened database takes further additions with fresh identifiers.
        db.AddTown("after", 0, 0, {0, 0}, 0, 0);
        EXPECT_GT(db.GetSumdata(db.GetNumEntries()).ItemID, db.GetNumEntries() - 1);
        EXPECT_TRUE(IndexesMatch(db));
    }
}

TEST_F(GeoDBRecovery, InterruptedAdditionsKeepEveryCompletedItem) {
    InterruptEveryWrite(Base, Dir, false);
}

TEST_F(GeoDBRecovery, InterruptedLazyAdditionsKeepEveryCompletedItem) {
    InterruptEveryWrite(Base, Dir, true);
}

TEST_F(GeoDBRecovery, FailingWriteLeavesMemoryAndFilesInStep) {
    BuildSample(2);
    for (int failAt = 1; failAt <= 8; ++failAt) {
        SCOPED_TRACE(failAt);
        TGeoDB db(nullptr);
        db.SetDBName(Base);
        const int before = db.GetNumEntries();
        int count = 0;
        geodb::SetWriteHook([&](const std::string&, int64_t, const void*, int) {
            if (++count == failAt) throw EInOutError("Disk write error", 101);
        });
        bool raised = false;
        try {
            db.AddRiver("r", {{1, 1}, {2, 2}}, 0, 0, 0, 0, 0, 0, 0, 0);
        } catch (const Exception&) {
            raised = true;
        }
        geodb::SetWriteHook(nullptr);
        EXPECT_EQ(db.GetNumEntries(), raised && count <= 3 ? before : before + 1);
        EXPECT_TRUE(IndexesMatch(db));
        TGeoDB fresh(nullptr);
        fresh.SetDBName(Base);
        EXPECT_EQ(fresh.GetNumEntries(), db.GetNumEntries());
        EXPECT_TRUE(IndexesMatch(fresh));
    }
}

} // namespace
} // namespace qyx::test
