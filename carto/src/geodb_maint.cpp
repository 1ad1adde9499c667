// TGeoDB: compacting the data file, the debug listing, and the summary of a database on disk.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "geodb_internal.h"
#include "geodb_io.h"
#include <qyx/QYX_filesys.h>
#include <qyx/platform/FileSystem.h>

namespace qyx {

using geodb::TGdbFile;

// Copies every block a record points to into a new data file, in record order, and points the
// records at their new places. The new data and item files are written beside the old ones and then
// renamed over them, data file first; each rename replaces the old file in one step, so a file is
// never missing.
int64_t TGeoDB::GarbageCollection() {
    if (!IsOpen()) return 0;
    ReleaseHandles(); // the files are replaced below
    TGdbFile src;
    src.OpenOrRaise(FDataFile, true);
    const int64_t oldSize = src.Size();

    const std::string tmpData = FDataFile + ".tmp", tmpItems = FItemFile + ".tmp";
    std::vector<TgdbData> recs = FRecords;
    {
        TGdbFile dst;
        dst.Create(tmpData);
        uint8_t h[GDB_HEADERSIZE];
        geodb::HeaderToBytes(FLastItemID, FFormatCode, FDescription, FRevision, h);
        dst.WriteAt(0, h, GDB_HEADERSIZE);
        int64_t pos = GDB_HEADERSIZE;
        std::vector<uint8_t> buf(65536);
        for (auto& r : recs) {
            const int64_t bytes = geodb::BlockBytes(r);
            if (r.DataOffset < 0 && bytes == 0) continue;
            if (!BlockValid(r, oldSize)) {
                // A block that does not lie in the file cannot be kept.
                r.DataOffset = -1;
                r.DataSize = 0;
                continue;
            }
            for (int64_t done = 0; done < bytes;) {
                const int64_t n = std::min<int64_t>(static_cast<int64_t>(buf.size()), bytes - done);
                src.ReadAt(r.DataOffset + done, buf.data(), n);
                dst.WriteAt(pos + done, buf.data(), n);
                done += n;
            }
            r.DataOffset = static_cast<int32_t>(pos);
            pos += bytes;
        }
        std::vector<uint8_t> items(recs.size() * GDB_RECORDSIZE);
        for (size_t k = 0; k < recs.size(); ++k) GdbDataToBytes(recs[k], items.data() + k * GDB_RECORDSIZE);
        geodb::WriteWholeFile(tmpItems, items.data(), static_cast<int64_t>(items.size()));
    }
    src.Close();
    auto replace = [](const std::string& From, const std::string& To) {
        if (std::rename(ToSysPath(From).c_str(), ToSysPath(To).c_str()) != 0)
            geodb::RaiseInOut(geodb::OpenErrorCode(errno));
    };
    replace(tmpData, FDataFile);
    replace(tmpItems, FItemFile);
    FRecords = std::move(recs);
    TGdbFile f;
    f.OpenOrRaise(FDataFile, true);
    return oldSize - f.Size();
}

void TGeoDB::ExportDataDebug(const std::string& FileName) {
    std::string out;
    char line[512];
    std::snprintf(line, sizeof line,
                  "Database: %s\r\nItems: %d\r\nLastItemID: %d\r\nFormatCode: %d\r\nRevision: %d\r\n",
                  GetGDBName().c_str(), FNumEntries, FLastItemID, FFormatCode, FRevision);
    out += line;
    out += "Description: " + FDescription + "\r\n";
    out += "RecNo;ItemID;ItemType;Name;ByteAttrib;IntAttrib1;IntAttrib2;Date;LatLow;LatHigh;LongLow;LongHigh;"
           "DataOffset;DataSize;Closed\r\n";
    for (int k = 0; k < FNumEntries; ++k) {
        const TgdbData& d = FRecords[static_cast<size_t>(k)];
        std::snprintf(line, sizeof line, "%d;%d;%s;%s;%u;%d;%d;%.6f;%.6g;%.6g;%.6g;%.6g;%d;%d;%d\r\n", k + 1,
                      d.ItemID, GDB_ITEMNAMES[d.ItemType], d.Name.Str().c_str(), unsigned{d.ByteAttrib},
                      d.IntAttrib1, d.IntAttrib2, d.Date, double{d.LatLow}, double{d.LatHigh},
                      double{d.LongLow}, double{d.LongHigh}, d.DataOffset, d.DataSize, d.Closed ? 1 : 0);
        out += line;
    }
    geodb::WriteWholeFile(FileName, out.data(), static_cast<int64_t>(out.size()));
}

std::string ReadSystemInformation(const std::string& FileName) {
    const std::string base = StripExtension(FileName);
    TGdbFile data;
    data.OpenOrRaise(base + ".qyxgdd", true);
    uint8_t h[GDB_HEADERSIZE];
    data.ReadAt(0, h, GDB_HEADERSIZE);
    int last, format, revision;
    std::memcpy(&last, h, 4);
    std::memcpy(&format, h + 4, 4);
    std::memcpy(&revision, h + 72, 4);
    const std::string desc(reinterpret_cast<const char*>(h + 9), std::min<size_t>(h[8], 60));

    std::vector<uint8_t> items;
    geodb::ReadWholeFile(base + ".qyxgds", items);
    const size_t n = items.size() / GDB_RECORDSIZE;
    int kinds[gitUndefined + 1] = {};
    for (size_t k = 0; k < n; ++k) ++kinds[GdbDataFromBytes(items.data() + k * GDB_RECORDSIZE).ItemType];

    std::string out;
    char line[160];
    std::snprintf(line, sizeof line, "Items: %zu\r\nLastItemID: %d\r\nFormatCode: %d\r\nRevision: %d\r\n", n,
                  last, format, revision);
    out += line;
    out += "Description: " + desc + "\r\n";
    for (int t = gitBorder; t <= gitUndefined; ++t) {
        std::snprintf(line, sizeof line, "%s: %d\r\n", GDB_ITEMNAMES[t], kinds[t]);
        out += line;
    }
    return out;
}

} // namespace qyx
