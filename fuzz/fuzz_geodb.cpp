// Geo database: builds the seven files of a database from the input (a presence mask, then for each
// file a 16-bit length and that many bytes), opens it and runs every retrieval, index access and
// search on it, then a few edits, and reopens it. Found items must carry the identifier searched for.
#include <qyx/QYX_GeoDB.h>
#include <qyx/platform/Exceptions.h>
#include <qyx/platform/Streams.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace qyx;

namespace {

const char* const Exts[7] = {".qyxgds", ".qyxgdd", ".qyxgi0", ".qyxgi1", ".qyxgi2", ".qyxgi3", ".qyxgi4"};

const std::string& Folder() {
    static const std::string dir = [] {
        std::string p = (std::filesystem::temp_directory_path() / "qyxfuzzgeo-XXXXXX").string();
        if (!::mkdtemp(p.data())) std::abort();
        return p + "/";
    }();
    return dir;
}

void Check(bool Ok) {
    if (!Ok) __builtin_trap();
}

void Explore(TGeoDB& Db) {
    const int n = Db.GetNumEntries();
    for (int p = 0; p <= n + 1; ++p) {
        const TIxItemIDRec id = Db.GetIxItemID(p);
        if (n > 0) {
            const int r = Db.SearchForItemID(id.ItemID);
            Check(r >= 1 && r <= n && Db.GetSumdata(r).ItemID == id.ItemID);
            Check(Db.GetSumdata(Db.GetIxLatLow(p).RecNo).LatLow == Db.GetIxLatLow(p).Value ||
                  Db.GetIxLatLow(p).Value != Db.GetIxLatLow(p).Value);
        }
        Db.GetIxLatHigh(p);
        Db.GetIxLongLow(p);
        Db.GetIxLongHigh(p);
    }
    for (double v : {-1e9, -90.0, -1.0, 0.0, 0.5, 45.0, 180.0, 1e9}) {
        Check(Db.GetClosestLatLowIx(v) >= 1 && Db.GetClosestLatLowIx(v) <= n + 1);
        Db.GetClosestLatHighIx(v);
        Db.GetClosestLongLowIx(v);
        Db.GetClosestLongHighIx(v);
    }
    Db.GetClosestItemIDIx(0);
    Db.GetClosestItemIDIx(n / 2);
    for (int k = 0; k <= n + 1; ++k) {
        const TgdbData d = Db.GetSumdata(k);
        TgdbPolygon poly;
        if (Db.RetrievePolygon(k, poly))
            Check(poly.size() == static_cast<size_t>(d.DataSize) || k == 0 || k > n);
        TMetaInfo m;
        TMemoryStream s;
        Db.RetrieveBLOB(k, m, &s);
        std::vector<uint8_t> buf(static_cast<size_t>(std::min<int64_t>(s.GetSize(), 1 << 20)));
        try {
            Db.RetrieveBLOB(k, m, buf.data(), static_cast<int>(buf.size()));
        } catch (const EQYXGeoDBError&) {
        }
        try {
            Db.RetrieveBLOB(k, Folder() + "blob.out", m);
        } catch (const EQYXGeoDBError&) {
        }
        Db.GetMetaInfo(k, m);
    }
    TgdbName name = n > 0 ? Db.GetSumdata(1).Name : TgdbName("x");
    Check(n == 0 || Db.SearchData(name) >= 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size < 1) return 0;
    const std::string base = Folder() + "db";
    const uint8_t mask = Data[0];
    size_t pos = 1;
    for (int i = 0; i < 7; ++i) {
        const std::string file = base + Exts[i];
        std::filesystem::remove(file);
        size_t len = 0;
        if (pos + 2 <= Size) {
            len = Data[pos] | (size_t{Data[pos + 1]} << 8);
            pos += 2;
        }
        len = std::min(len, Size - std::min(pos, Size));
        if (mask & (1u << i)) {
            std::ofstream f(file, std::ios::binary);
            f.write(reinterpret_cast<const char*>(Data + pos), static_cast<std::streamsize>(len));
        }
        pos += len;
    }
    try {
        TGeoDB db(nullptr);
        db.SetDBName(base);
        Explore(db);
        const int n = db.GetNumEntries();
        db.AddTown("fuzz", 0, 0, {1, 2}, 0, 0);
        Check(db.GetNumEntries() == n + 1);
        Check(db.SearchForItemID(db.GetSumdata(n + 1).ItemID) >= 1);
        db.ReplaceTown(1, "again", 0, 0, {3, 4}, 0, 0);
        db.DeleteData(1 + (mask >> 4) % (n + 1));
        if (mask & 0x80) db.GarbageCollection();
        db.SetDBName("");
        db.SetDBName(base);
        Check(db.GetNumEntries() == n);
        Explore(db);
    } catch (const EInOutError&) {
        // A data file shorter than its header.
    }
    return 0;
}
