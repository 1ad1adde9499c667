// TGeoDB: adding, replacing and deleting items.
#include <algorithm>
#include <climits>
#include <vector>

#include "geodb_internal.h"
#include "geodb_io.h"
#include <qyx/platform/FileSystem.h>
#include <qyx/platform/Streams.h>

namespace qyx {

using geodb::TGdbFile;

namespace {
constexpr int BlockSize = 16384;

std::string FileNamePart(const std::string& Path) {
    const size_t p = Path.find_last_of("\\/:");
    return p == std::string::npos ? Path : Path.substr(p + 1);
}
} // namespace

void TGeoDB::WriteRecord(int RecNo, const TgdbData& Data) {
    uint8_t b[GDB_RECORDSIZE];
    GdbDataToBytes(Data, b);
    TGdbFile local;
    WritableFile(false, local).WriteAt(int64_t{RecNo - 1} * GDB_RECORDSIZE, b, GDB_RECORDSIZE);
}

void TGeoDB::SaveIndexesUnlessLazy() {
    if (!FLazyWrite) SaveAllIndexes();
}

void TGeoDB::AddData(const TgdbName& Name, const TgdbPolygon& Polygon, bool Closed, TgdbItem ItemType,
                     uint8_t ByteAttrib, TDateTime Date, int IntAttrib1, float LatLow, float LatHigh,
                     float LongLow, float LongHigh, int IntAttrib2, const TMetaInfo& MetaInfo,
                     const void* Data, int SizeOfData, bool FromFile) {
    StoreItem(0, Name, Polygon, Closed, ItemType, ByteAttrib, Date, IntAttrib1, LatLow, LatHigh, LongLow,
              LongHigh, IntAttrib2, MetaInfo, Data, SizeOfData, FromFile, MetaInfo.FilePath.Str());
}

void TGeoDB::ReplaceData(int RecNo, const TgdbName& Name, const TgdbPolygon& Polygon, bool Closed,
                         TgdbItem ItemType, uint8_t ByteAttrib, TDateTime Date, int IntAttrib1, float LatLow,
                         float LatHigh, float LongLow, float LongHigh, int IntAttrib2,
                         const TMetaInfo& MetaInfo, const void* Data, int SizeOfData, bool FromFile) {
    if (RecNo < 1) return;
    StoreItem(RecNo, Name, Polygon, Closed, ItemType, ByteAttrib, Date, IntAttrib1, LatLow, LatHigh, LongLow,
              LongHigh, IntAttrib2, MetaInfo, Data, SizeOfData, FromFile, MetaInfo.FilePath.Str());
}

// Adds (ReplaceRecNo 0) or replaces an item: header (additions), block, record, indexes. A BLOB from a
// file is read from SourceFile, which may be longer than the 127 characters FilePath keeps.
void TGeoDB::StoreItem(int ReplaceRecNo, const TgdbName& Name, const TgdbPolygon& Polygon, bool Closed,
                       TgdbItem ItemType, uint8_t ByteAttrib, TDateTime Date, int IntAttrib1, float LatLow,
                       float LatHigh, float LongLow, float LongHigh, int IntAttrib2,
                       const TMetaInfo& MetaInfo, const void* Data, int SizeOfData, bool FromFile,
                       const std::string& SourceFile) {
    if (!IsOpen()) return;
    const bool adding = ReplaceRecNo == 0;
    if (!adding && ReplaceRecNo > FNumEntries) return;
    Progress(0);

    TgdbData rec;
    if (adding) {
        ++FLastItemID;
        WriteHeader("AddData");
        rec.ItemID = FLastItemID;
    } else {
        rec.ItemID = FRecords[static_cast<size_t>(ReplaceRecNo - 1)].ItemID;
    }
    rec.Name = Name;
    rec.ByteAttrib = ByteAttrib;
    rec.IntAttrib2 = IntAttrib2;
    rec.DataOffset = -1;
    rec.Date = Date;
    rec.IntAttrib1 = IntAttrib1;
    rec.LatLow = LatLow;
    rec.LatHigh = LatHigh;
    rec.LongLow = LongLow;
    rec.LongHigh = LongHigh;
    rec.ItemType = ItemType;
    rec.DataSize = 0;
    rec.Closed = false;

    const bool polygon = geodb::IsPolygonKind(ItemType);
    if (polygon || ItemType == gitBLOB) {
        TGdbFile local;
        TGdbFile& data = WritableFile(true, local);
        int64_t offset = data.Size();
        auto reserve = [&](int64_t Bytes) {
            if (offset + Bytes > INT32_MAX)
                RaiseComponentError<EQYXGeoDBError>(this, std::string(adding ? "AddData" : "ReplaceData") +
                                                              ": data file full.");
        };
        if (polygon) {
            const int count = static_cast<int>(std::min<size_t>(Polygon.size(), INT32_MAX / 8));
            reserve(int64_t{count} * 8);
            rec.Closed = Closed;
            rec.LatLow = 90;
            rec.LatHigh = -90;
            rec.LongLow = 180;
            rec.LongHigh = -180;
            for (int i = 0; i < count; ++i) {
                const TSCoords& c = Polygon[static_cast<size_t>(i)];
                if (c.Lat < rec.LatLow) rec.LatLow = c.Lat;
                if (c.Lat > rec.LatHigh) rec.LatHigh = c.Lat;
                if (c.Long < rec.LongLow) rec.LongLow = c.Long;
                if (c.Long > rec.LongHigh) rec.LongHigh = c.Long;
            }
            rec.DataOffset = static_cast<int32_t>(offset);
            rec.DataSize = count;
            data.WriteAt(offset, Polygon.data(), int64_t{count} * 8);
            if (OnPercentDone && FReportProgress)
                for (int i = 0; i < count; ++i) Progress(i * 100.0 / count);
        } else if (FromFile) {
            int64_t size = 0;
            if (FileExists(SourceFile)) {
                TDateTime age;
                if (FileAge(SourceFile, age)) rec.Date = age;
                size = std::max<int64_t>(GetFileSizeOf(SourceFile), 0);
                reserve(1024 + size);
                rec.DataSize = static_cast<int32_t>(size);
            }
            rec.DataOffset = static_cast<int32_t>(offset);
            uint8_t meta[1024];
            MetaInfoToBytes(MetaInfo, meta);
            data.WriteAt(offset, meta, 1024);
            TGdbFile src;
            src.OpenOrRaise(SourceFile, true);
            std::vector<uint8_t> buf(BlockSize);
            for (int64_t done = 0; done < size;) {
                const int n = static_cast<int>(std::min<int64_t>(BlockSize, size - done));
                src.ReadAt(done, buf.data(), n);
                data.WriteAt(offset + 1024 + done, buf.data(), n);
                done += n;
                Progress(done * 100.0 / size);
            }
        } else {
            const int size = Data ? std::max(SizeOfData, 0) : 0;
            reserve(1024 + int64_t{size});
            rec.DataSize = size;
            rec.DataOffset = static_cast<int32_t>(offset);
            uint8_t meta[1024];
            MetaInfoToBytes(MetaInfo, meta);
            data.WriteAt(offset, meta, 1024);
            const auto* p = static_cast<const uint8_t*>(Data);
            for (int done = 0; done < size;) {
                const int n = std::min(BlockSize, size - done);
                data.WriteAt(offset + 1024 + done, p + done, n);
                done += n;
                if (n == BlockSize) Progress(done * 100.0 / size);
            }
        }
    }

    if (adding) {
        WriteRecord(FNumEntries + 1, rec);
        ++FNumEntries;
        FRecords.push_back(rec);
        if (FLazyWrite) {
            FPending.push_back(FNumEntries);
        } else {
            FlushPending();
            FIxItemID.emplace_back();
            for (auto& ix : FIxEdge) ix.emplace_back();
            InsertIntoIndex(FNumEntries, rec);
        }
    } else {
        WriteRecord(ReplaceRecNo, rec);
        FRecords[static_cast<size_t>(ReplaceRecNo - 1)] = rec;
        RemoveIndexEntries(ReplaceRecNo);
        InsertIntoIndex(ReplaceRecNo, rec);
    }
    SaveIndexesUnlessLazy();
    Progress(100);
}

void TGeoDB::DeleteData(int RecNo) {
    if (FItemFile.empty() || RecNo < 1 || RecNo > FNumEntries) return;
    FlushPending();
    const int n = FNumEntries;
    {
        TGdbFile local;
        TGdbFile& f = WritableFile(false, local);
        if (RecNo != n) {
            uint8_t b[GDB_RECORDSIZE];
            GdbDataToBytes(FRecords[static_cast<size_t>(n - 1)], b);
            f.WriteAt(int64_t{RecNo - 1} * GDB_RECORDSIZE, b, GDB_RECORDSIZE);
        }
        f.Truncate(int64_t{n - 1} * GDB_RECORDSIZE);
    }
    FRecords[static_cast<size_t>(RecNo - 1)] = FRecords[static_cast<size_t>(n - 1)];
    FRecords.pop_back();

    RemoveIndexEntries(RecNo);
    auto renumber = [&](auto& Ix) {
        const size_t m = std::min(Ix.size(), static_cast<size_t>(n));
        for (size_t k = 0; k < m; ++k)
            if (Ix[k].RecNo == n - 1) {
                Ix[k].RecNo = RecNo - 1;
                break;
            }
    };
    renumber(FIxItemID);
    for (auto& ix : FIxEdge) renumber(ix);

    FNumEntries = n - 1;
    FIxItemID.resize(static_cast<size_t>(FNumEntries));
    for (auto& ix : FIxEdge) ix.resize(static_cast<size_t>(FNumEntries));
    SaveIndexesUnlessLazy();
}

// ---- The adding and replacing forms -------------------------------------------------------------

namespace {
const TMetaInfo NoMeta{};
const TgdbPolygon NoPolygon{};
} // namespace

void TGeoDB::AddBorder(const TgdbName& Name, const TgdbPolygon& Polygon, bool Closed, TDateTime Date,
                       int IntAttrib1, float LatLow, float LatHigh, float LongLow, float LongHigh,
                       uint8_t ByteAttrib, int IntAttrib2) {
    AddData(Name, Polygon, Closed, gitBorder, ByteAttrib, Date, IntAttrib1, LatLow, LatHigh, LongLow,
            LongHigh, IntAttrib2, NoMeta, nullptr, 0, false);
}
void TGeoDB::AddCity(const TgdbName& Name, const TgdbPolygon& Polygon, bool Closed, TDateTime Date,
                     int IntAttrib1, float LatLow, float LatHigh, float LongLow, float LongHigh,
                     uint8_t ByteAttrib, int IntAttrib2) {
    AddData(Name, Polygon, Closed, gitCity, ByteAttrib, Date, IntAttrib1, LatLow, LatHigh, LongLow, LongHigh,
            IntAttrib2, NoMeta, nullptr, 0, false);
}
void TGeoDB::AddLake(const TgdbName& Name, const TgdbPolygon& Polygon, TDateTime Date, int IntAttrib1,
                     float LatLow, float LatHigh, float LongLow, float LongHigh, uint8_t ByteAttrib,
                     int IntAttrib2) {
    AddData(Name, Polygon, true, gitLake, ByteAttrib, Date, IntAttrib1, LatLow, LatHigh, LongLow, LongHigh,
            IntAttrib2, NoMeta, nullptr, 0, false);
}
void TGeoDB::AddRiver(const TgdbName& Name, const TgdbPolygon& Polygon, TDateTime Date, int IntAttrib1,
                      float LatLow, float LatHigh, float LongLow, float LongHigh, uint8_t ByteAttrib,
                      int IntAttrib2) {
    AddData(Name, Polygon, false, gitRiver, ByteAttrib, Date, IntAttrib1, LatLow, LatHigh, LongLow, LongHigh,
            IntAttrib2, NoMeta, nullptr, 0, false);
}
void TGeoDB::AddRoad(const TgdbName& Name, const TgdbPolygon& Polygon, TDateTime Date, int IntAttrib1,
                     float LatLow, float LatHigh, float LongLow, float LongHigh, uint8_t ByteAttrib,
                     int IntAttrib2) {
    AddData(Name, Polygon, false, gitRoad, ByteAttrib, Date, IntAttrib1, LatLow, LatHigh, LongLow, LongHigh,
            IntAttrib2, NoMeta, nullptr, 0, false);
}
void TGeoDB::AddRoute(const TgdbName& Name, const TgdbPolygon& Polygon, TDateTime Date, int IntAttrib1,
                      float LatLow, float LatHigh, float LongLow, float LongHigh, uint8_t ByteAttrib,
                      int IntAttrib2) {
    AddData(Name, Polygon, false, gitRoute, ByteAttrib, Date, IntAttrib1, LatLow, LatHigh, LongLow, LongHigh,
            IntAttrib2, NoMeta, nullptr, 0, false);
}
void TGeoDB::AddTown(const TgdbName& Name, TDateTime Date, int IntAttrib1, const TSCoords& Location,
                     uint8_t ByteAttrib, int IntAttrib2) {
    AddData(Name, NoPolygon, false, gitTown, ByteAttrib, Date, IntAttrib1, Location.Lat, Location.Lat,
            Location.Long, Location.Long, IntAttrib2, NoMeta, nullptr, 0, false);
}

void TGeoDB::AddBLOBFromFile(const std::string& FileName, const std::string& NameFile, TDateTime Date,
                             int IntAttrib1, float LatLow, float LatHigh, float LongLow, float LongHigh,
                             uint8_t ByteAttrib, int IntAttrib2, const TMetaInfo& MetaInfo,
                             int ReplaceRecNo) {
    TMetaInfo meta = MetaInfo;
    meta.FilePath = FileName;
    StoreItem(ReplaceRecNo, TgdbName(FileNamePart(NameFile)), NoPolygon, false, gitBLOB, ByteAttrib, Date,
              IntAttrib1, LatLow, LatHigh, LongLow, LongHigh, IntAttrib2, meta, nullptr, 0, true, FileName);
}

void TGeoDB::AddBLOB(const std::string& FileName, TDateTime Date, int IntAttrib1, float LatLow, float LatHigh,
                     float LongLow, float LongHigh, uint8_t ByteAttrib, int IntAttrib2,
                     const TMetaInfo& MetaInfo) {
    AddBLOBFromFile(FileName, FileName, Date, IntAttrib1, LatLow, LatHigh, LongLow, LongHigh, ByteAttrib,
                    IntAttrib2, MetaInfo, 0);
}
void TGeoDB::AddBLOB(const std::string& FileName, const std::string& NameFile, TDateTime Date, int IntAttrib1,
                     float LatLow, float LatHigh, float LongLow, float LongHigh, uint8_t ByteAttrib,
                     int IntAttrib2, const TMetaInfo& MetaInfo) {
    AddBLOBFromFile(FileName, NameFile, Date, IntAttrib1, LatLow, LatHigh, LongLow, LongHigh, ByteAttrib,
                    IntAttrib2, MetaInfo, 0);
}
void TGeoDB::AddBLOB(const std::string& FileName, const std::string& NameFile, const std::string& StoredPath,
                     TDateTime Date, int IntAttrib1, float LatLow, float LatHigh, float LongLow,
                     float LongHigh, uint8_t ByteAttrib, int IntAttrib2, const TMetaInfo& MetaInfo) {
    if (!IsOpen()) return;
    AddBLOBFromFile(FileName, NameFile, Date, IntAttrib1, LatLow, LatHigh, LongLow, LongHigh, ByteAttrib,
                    IntAttrib2, MetaInfo, 0);
    TMetaInfo meta;
    if (GetMetaInfo(FNumEntries, meta)) {
        meta.FilePath = StoredPath;
        UpdateMetaInfo(FNumEntries, meta);
    }
}
void TGeoDB::AddBLOB(const TgdbName& Name, TDateTime Date, int IntAttrib1, float LatLow, float LatHigh,
                     float LongLow, float LongHigh, uint8_t ByteAttrib, int IntAttrib2,
                     const TMetaInfo& MetaInfo, const void* Data, int SizeOfData) {
    AddData(Name, NoPolygon, false, gitBLOB, ByteAttrib, Date, IntAttrib1, LatLow, LatHigh, LongLow, LongHigh,
            IntAttrib2, MetaInfo, Data, SizeOfData, false);
}
void TGeoDB::AddBLOB(const TgdbName& Name, TDateTime Date, int IntAttrib1, float LatLow, float LatHigh,
                     float LongLow, float LongHigh, uint8_t ByteAttrib, int IntAttrib2,
                     const TMetaInfo& MetaInfo, TMemoryStream* Stream) {
    const int size = Stream ? static_cast<int>(std::min<int64_t>(Stream->GetSize(), INT32_MAX)) : 0;
    AddData(Name, NoPolygon, false, gitBLOB, ByteAttrib, Date, IntAttrib1, LatLow, LatHigh, LongLow, LongHigh,
            IntAttrib2, MetaInfo, Stream ? Stream->Memory() : nullptr, size, false);
}

void TGeoDB::ReplaceBorder(int RecNo, const TgdbName& Name, const TgdbPolygon& Polygon, bool Closed,
                           TDateTime Date, int IntAttrib1, float LatLow, float LatHigh, float LongLow,
                           float LongHigh, uint8_t ByteAttrib, int IntAttrib2) {
    ReplaceData(RecNo, Name, Polygon, Closed, gitBorder, ByteAttrib, Date, IntAttrib1, LatLow, LatHigh,
                LongLow, LongHigh, IntAttrib2, NoMeta, nullptr, 0, false);
}
void TGeoDB::ReplaceCity(int RecNo, const TgdbName& Name, const TgdbPolygon& Polygon, bool Closed,
                         TDateTime Date, int IntAttrib1, float LatLow, float LatHigh, float LongLow,
                         float LongHigh, uint8_t ByteAttrib, int IntAttrib2) {
    ReplaceData(RecNo, Name, Polygon, Closed, gitCity, ByteAttrib, Date, IntAttrib1, LatLow, LatHigh, LongLow,
                LongHigh, IntAttrib2, NoMeta, nullptr, 0, false);
}
void TGeoDB::ReplaceLake(int RecNo, const TgdbName& Name, const TgdbPolygon& Polygon, TDateTime Date,
                         int IntAttrib1, float LatLow, float LatHigh, float LongLow, float LongHigh,
                         uint8_t ByteAttrib, int IntAttrib2) {
    ReplaceData(RecNo, Name, Polygon, true, gitLake, ByteAttrib, Date, IntAttrib1, LatLow, LatHigh, LongLow,
                LongHigh, IntAttrib2, NoMeta, nullptr, 0, false);
}
void TGeoDB::ReplaceRiver(int RecNo, const TgdbName& Name, const TgdbPolygon& Polygon, TDateTime Date,
                          int IntAttrib1, float LatLow, float LatHigh, float LongLow, float LongHigh,
                          uint8_t ByteAttrib, int IntAttrib2) {
    ReplaceData(RecNo, Name, Polygon, false, gitRiver, ByteAttrib, Date, IntAttrib1, LatLow, LatHigh, LongLow,
                LongHigh, IntAttrib2, NoMeta, nullptr, 0, false);
}
void TGeoDB::ReplaceRoad(int RecNo, const TgdbName& Name, const TgdbPolygon& Polygon, TDateTime Date,
                         int IntAttrib1, float LatLow, float LatHigh, float LongLow, float LongHigh,
                         uint8_t ByteAttrib, int IntAttrib2) {
    ReplaceData(RecNo, Name, Polygon, false, gitRoad, ByteAttrib, Date, IntAttrib1, LatLow, LatHigh, LongLow,
                LongHigh, IntAttrib2, NoMeta, nullptr, 0, false);
}
void TGeoDB::ReplaceRoute(int RecNo, const TgdbName& Name, const TgdbPolygon& Polygon, TDateTime Date,
                          int IntAttrib1, float LatLow, float LatHigh, float LongLow, float LongHigh,
                          uint8_t ByteAttrib, int IntAttrib2) {
    ReplaceData(RecNo, Name, Polygon, false, gitRoute, ByteAttrib, Date, IntAttrib1, LatLow, LatHigh, LongLow,
                LongHigh, IntAttrib2, NoMeta, nullptr, 0, false);
}
void TGeoDB::ReplaceTown(int RecNo, const TgdbName& Name, TDateTime Date, int IntAttrib1,
                         const TSCoords& Location, uint8_t ByteAttrib, int IntAttrib2) {
    ReplaceData(RecNo, Name, NoPolygon, false, gitTown, ByteAttrib, Date, IntAttrib1, Location.Lat,
                Location.Lat, Location.Long, Location.Long, IntAttrib2, NoMeta, nullptr, 0, false);
}
void TGeoDB::ReplaceBLOB(int RecNo, const std::string& FileName, TDateTime Date, int IntAttrib1, float LatLow,
                         float LatHigh, float LongLow, float LongHigh, uint8_t ByteAttrib, int IntAttrib2,
                         const TMetaInfo& MetaInfo) {
    if (RecNo < 1) return;
    AddBLOBFromFile(FileName, FileName, Date, IntAttrib1, LatLow, LatHigh, LongLow, LongHigh, ByteAttrib,
                    IntAttrib2, MetaInfo, RecNo);
}
void TGeoDB::ReplaceBLOB(int RecNo, const TgdbName& Name, TDateTime Date, int IntAttrib1, float LatLow,
                         float LatHigh, float LongLow, float LongHigh, uint8_t ByteAttrib, int IntAttrib2,
                         const TMetaInfo& MetaInfo, const void* Data, int SizeOfData) {
    ReplaceData(RecNo, Name, NoPolygon, false, gitBLOB, ByteAttrib, Date, IntAttrib1, LatLow, LatHigh,
                LongLow, LongHigh, IntAttrib2, MetaInfo, Data, SizeOfData, false);
}
void TGeoDB::ReplaceBLOB(int RecNo, const TgdbName& Name, TDateTime Date, int IntAttrib1, float LatLow,
                         float LatHigh, float LongLow, float LongHigh, uint8_t ByteAttrib, int IntAttrib2,
                         const TMetaInfo& MetaInfo, TMemoryStream* Stream) {
    const int size = Stream ? static_cast<int>(std::min<int64_t>(Stream->GetSize(), INT32_MAX)) : 0;
    ReplaceData(RecNo, Name, NoPolygon, false, gitBLOB, ByteAttrib, Date, IntAttrib1, LatLow, LatHigh,
                LongLow, LongHigh, IntAttrib2, MetaInfo, Stream ? Stream->Memory() : nullptr, size, false);
}

} // namespace qyx
