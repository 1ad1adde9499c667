// Helpers of the geo database tests: a temporary folder, raw file access through the C++ library
// (independent of the code under test), and a check of the five indexes against the item records.
#pragma once

#include <qyx/QYX_GeoDB.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace qyx::test {

class TGeoTempDir {
public:
    TGeoTempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qyxgeo-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) ADD_FAILURE() << "mkdtemp failed";
        FPath = pattern + "/";
    }
    ~TGeoTempDir() {
        std::error_code ec;
        std::filesystem::remove_all(FPath, ec);
    }
    TGeoTempDir(const TGeoTempDir&) = delete;
    TGeoTempDir& operator=(const TGeoTempDir&) = delete;
    const std::string& Path() const { return FPath; }
    std::string operator()(const std::string& Rel) const { return FPath + Rel; }

private:
    std::string FPath;
};

inline std::vector<uint8_t> ReadBytes(const std::string& Path) {
    std::ifstream f(Path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}
inline void WriteBytes(const std::string& Path, const std::vector<uint8_t>& Bytes) {
    std::ofstream f(Path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(Bytes.data()), static_cast<std::streamsize>(Bytes.size()));
}
template <class T> T At(const std::vector<uint8_t>& B, size_t Offset) {
    T v{};
    if (Offset + sizeof(T) <= B.size()) std::memcpy(&v, B.data() + Offset, sizeof(T));
    return v;
}

/// The seven extensions of a database.
inline const char* const GeoExts[7] = {".qyxgds", ".qyxgdd", ".qyxgi0", ".qyxgi1",
                                       ".qyxgi2", ".qyxgi3", ".qyxgi4"};

/// True when every index holds each record exactly once, sorted, with the record's key.
inline ::testing::AssertionResult IndexesMatch(const TGeoDB& Db) {
    const int n = Db.GetNumEntries();
    std::vector<int> seen(static_cast<size_t>(n) * 5);
    for (int p = 1; p <= n; ++p) {
        const TIxItemIDRec id = Db.GetIxItemID(p);
        if (id.RecNo < 1 || id.RecNo > n)
            return ::testing::AssertionFailure() << "id index RecNo " << id.RecNo;
        if (Db.GetSumdata(id.RecNo).ItemID != id.ItemID)
            return ::testing::AssertionFailure() << "id at " << p;
        if (p > 1 && Db.GetIxItemID(p - 1).ItemID > id.ItemID)
            return ::testing::AssertionFailure() << "id order";
        if (Db.SearchForItemID(id.ItemID) != id.RecNo)
            return ::testing::AssertionFailure() << "search " << id.ItemID;
        ++seen[static_cast<size_t>(id.RecNo - 1)];
        for (int e = 0; e < 4; ++e) {
            auto get = [&](int q) {
                return e == 0   ? Db.GetIxLatLow(q)
                       : e == 1 ? Db.GetIxLatHigh(q)
                       : e == 2 ? Db.GetIxLongLow(q)
                                : Db.GetIxLongHigh(q);
            };
            const TIxLLRec r = get(p);
            if (r.RecNo < 1 || r.RecNo > n) return ::testing::AssertionFailure() << "edge RecNo " << r.RecNo;
            const TgdbData d = Db.GetSumdata(r.RecNo);
            const float v = e == 0 ? d.LatLow : e == 1 ? d.LatHigh : e == 2 ? d.LongLow : d.LongHigh;
            if (v != r.Value) return ::testing::AssertionFailure() << "edge " << e << " value at " << p;
            if (p > 1 && get(p - 1).Value > r.Value)
                return ::testing::AssertionFailure() << "edge " << e << " order";
            ++seen[static_cast<size_t>(n) * static_cast<size_t>(e + 1) + static_cast<size_t>(r.RecNo - 1)];
        }
    }
    for (int c : seen)
        if (c != 1) return ::testing::AssertionFailure() << "an item is indexed " << c << " times";
    return ::testing::AssertionSuccess();
}

} // namespace qyx::test
