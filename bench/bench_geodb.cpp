// Geo database against SQLite 3 with a table of the same records and indexes on the identifier
// (the integer primary key) and the four edges, both on disk in the same temporary folder:
//   adding 10^4 and 10^5 towns (ours with LazyWrite on, SQLite in one transaction, neither syncing
//   to the disk: SQLite runs with synchronous=OFF, as our files are not flushed either);
//   looking up 10^5 random identifiers in 10^5 towns (the record is read back in both);
//   finding the towns whose south edge lies in a one-degree band, 1000 random bands: the keys the
//   indexes give are collected (our item numbers, SQLite's row identifiers).
#include <qyx/QYX_GeoDB.h>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

using namespace qyx;

namespace {

struct Town {
    std::string Name;
    float Lat, Long;
};

const std::vector<Town>& Towns(int N) {
    static std::vector<Town> towns;
    if (static_cast<int>(towns.size()) < N) {
        std::mt19937 g(42);
        std::uniform_real_distribution<float> lat(-60, 75), lon(-180, 180);
        towns.clear();
        for (int k = 0; k < N; ++k) towns.push_back({"Town " + std::to_string(k), lat(g), lon(g)});
    }
    return towns;
}

std::string Folder() {
    static const std::string dir = [] {
        std::string p = (std::filesystem::temp_directory_path() / "qyxbenchgeo-XXXXXX").string();
        if (!::mkdtemp(p.data())) std::abort();
        return p + "/";
    }();
    return dir;
}

void RemoveAll(const std::string& Base) {
    for (const char* ext :
         {".qyxgds", ".qyxgdd", ".qyxgi0", ".qyxgi1", ".qyxgi2", ".qyxgi3", ".qyxgi4", ".sqlite"})
        std::filesystem::remove(Base + ext);
}

void AddOurs(TGeoDB& Db, int N) {
    const auto& towns = Towns(N);
    Db.SetLazyWrite(true);
    for (int k = 0; k < N; ++k) {
        const Town& t = towns[static_cast<size_t>(k)];
        Db.AddTown(t.Name, 45000, k, {t.Lat, t.Long}, 1, 2);
    }
    Db.SetLazyWrite(false);
}

void Exec(sqlite3* Db, const char* Sql) {
    if (sqlite3_exec(Db, Sql, nullptr, nullptr, nullptr) != SQLITE_OK) std::abort();
}

sqlite3* OpenSQLite(const std::string& File) {
    sqlite3* db = nullptr;
    if (sqlite3_open(File.c_str(), &db) != SQLITE_OK) std::abort();
    Exec(db, "PRAGMA synchronous=OFF");
    Exec(db,
         "CREATE TABLE IF NOT EXISTS items (id INTEGER PRIMARY KEY, name TEXT, byteattrib INTEGER, "
         "intattrib2 INTEGER, dataoffset INTEGER, date REAL, intattrib1 INTEGER, latlow REAL, lathigh REAL, "
         "longlow REAL, longhigh REAL, itemtype INTEGER, datasize INTEGER, closed INTEGER)");
    Exec(db, "CREATE INDEX IF NOT EXISTS ix_latlow ON items(latlow)");
    Exec(db, "CREATE INDEX IF NOT EXISTS ix_lathigh ON items(lathigh)");
    Exec(db, "CREATE INDEX IF NOT EXISTS ix_longlow ON items(longlow)");
    Exec(db, "CREATE INDEX IF NOT EXISTS ix_longhigh ON items(longhigh)");
    return db;
}

void AddSQLite(sqlite3* Db, int N) {
    const auto& towns = Towns(N);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(
        Db,
        "INSERT INTO items (name, byteattrib, intattrib2, dataoffset, date, intattrib1, latlow, "
        "lathigh, longlow, longhigh, itemtype, datasize, closed) "
        "VALUES (?, 1, 2, -1, 45000, ?, ?, ?, ?, ?, 1, 0, 0)",
        -1, &st, nullptr);
    Exec(Db, "BEGIN");
    for (int k = 0; k < N; ++k) {
        const Town& t = towns[static_cast<size_t>(k)];
        sqlite3_bind_text(st, 1, t.Name.c_str(), static_cast<int>(t.Name.size()), SQLITE_STATIC);
        sqlite3_bind_int(st, 2, k);
        sqlite3_bind_double(st, 3, t.Lat);
        sqlite3_bind_double(st, 4, t.Lat);
        sqlite3_bind_double(st, 5, t.Long);
        sqlite3_bind_double(st, 6, t.Long);
        if (sqlite3_step(st) != SQLITE_DONE) std::abort();
        sqlite3_reset(st);
    }
    Exec(Db, "COMMIT");
    sqlite3_finalize(st);
}

void BM_Ours_AddTowns(benchmark::State& State) {
    const int n = static_cast<int>(State.range(0));
    const std::string base = Folder() + "add";
    Towns(n);
    for (auto _ : State) {
        State.PauseTiming();
        RemoveAll(base);
        State.ResumeTiming();
        TGeoDB db(nullptr);
        db.SetDBName(base);
        AddOurs(db, n);
    }
    State.SetItemsProcessed(State.iterations() * n);
}

void BM_SQLite_AddTowns(benchmark::State& State) {
    const int n = static_cast<int>(State.range(0));
    const std::string base = Folder() + "add";
    Towns(n);
    for (auto _ : State) {
        State.PauseTiming();
        RemoveAll(base);
        State.ResumeTiming();
        sqlite3* db = OpenSQLite(base + ".sqlite");
        AddSQLite(db, n);
        sqlite3_close(db);
    }
    State.SetItemsProcessed(State.iterations() * n);
}

constexpr int Big = 100000;

// Databases of 10^5 towns, built once and shared by the lookup and range benchmarks.
TGeoDB& OursBig() {
    static TGeoDB* db = [] {
        const std::string base = Folder() + "big";
        RemoveAll(base);
        auto* d = new TGeoDB(nullptr);
        d->SetDBName(base);
        AddOurs(*d, Big);
        return d;
    }();
    return *db;
}

sqlite3* SQLiteBig() {
    static sqlite3* db = [] {
        const std::string file = Folder() + "big.sqlite";
        std::filesystem::remove(file);
        sqlite3* d = OpenSQLite(file);
        AddSQLite(d, Big);
        return d;
    }();
    return db;
}

std::vector<int> RandomIDs() {
    std::mt19937 g(7);
    std::uniform_int_distribution<int> id(1, Big);
    std::vector<int> ids(Big);
    for (int& i : ids) i = id(g);
    return ids;
}

void BM_Ours_LookupIDs(benchmark::State& State) {
    TGeoDB& db = OursBig();
    const auto ids = RandomIDs();
    for (auto _ : State) {
        int64_t sum = 0;
        for (int id : ids) sum += db.GetSumdata(db.SearchForItemID(id)).IntAttrib1;
        benchmark::DoNotOptimize(sum);
    }
    State.SetItemsProcessed(State.iterations() * Big);
}

void BM_SQLite_LookupIDs(benchmark::State& State) {
    sqlite3* db = SQLiteBig();
    const auto ids = RandomIDs();
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM items WHERE id = ?", -1, &st, nullptr);
    for (auto _ : State) {
        int64_t sum = 0;
        for (int id : ids) {
            sqlite3_bind_int(st, 1, id);
            if (sqlite3_step(st) == SQLITE_ROW) sum += sqlite3_column_int(st, 6);
            sqlite3_reset(st);
        }
        benchmark::DoNotOptimize(sum);
    }
    sqlite3_finalize(st);
    State.SetItemsProcessed(State.iterations() * Big);
}

constexpr int Bands = 1000;

std::vector<float> BandStarts() {
    std::mt19937 g(9);
    std::uniform_real_distribution<float> lat(-60, 74);
    std::vector<float> s(Bands);
    for (float& v : s) v = lat(g);
    return s;
}

void BM_Ours_SouthEdgeRange(benchmark::State& State) {
    TGeoDB& db = OursBig();
    const auto starts = BandStarts();
    std::vector<int> found;
    int64_t total = 0;
    for (auto _ : State) {
        for (float s : starts) {
            found.clear();
            const int n = db.GetNumEntries();
            for (int p = db.GetClosestLatLowIx(s); p <= n; ++p) {
                const TIxLLRec e = db.GetIxLatLow(p);
                if (e.Value > s + 1) break;
                found.push_back(e.RecNo);
            }
            total += static_cast<int64_t>(found.size());
        }
    }
    State.counters["found_per_band"] =
        static_cast<double>(total) / static_cast<double>(State.iterations() * Bands);
    State.SetItemsProcessed(State.iterations() * Bands);
}

void BM_SQLite_SouthEdgeRange(benchmark::State& State) {
    sqlite3* db = SQLiteBig();
    const auto starts = BandStarts();
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT id FROM items WHERE latlow >= ? AND latlow <= ?", -1, &st, nullptr);
    std::vector<int> found;
    int64_t total = 0;
    for (auto _ : State) {
        for (float s : starts) {
            found.clear();
            sqlite3_bind_double(st, 1, s);
            sqlite3_bind_double(st, 2, double{s} + 1);
            while (sqlite3_step(st) == SQLITE_ROW) found.push_back(sqlite3_column_int(st, 0));
            sqlite3_reset(st);
            total += static_cast<int64_t>(found.size());
        }
    }
    sqlite3_finalize(st);
    State.counters["found_per_band"] =
        static_cast<double>(total) / static_cast<double>(State.iterations() * Bands);
    State.SetItemsProcessed(State.iterations() * Bands);
}

} // namespace

BENCHMARK(BM_Ours_AddTowns)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SQLite_AddTowns)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ours_AddTowns)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SQLite_AddTowns)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Ours_LookupIDs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SQLite_LookupIDs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ours_SouthEdgeRange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SQLite_SouthEdgeRange)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
