// TGeoDB: reading records, polygons, BLOBs and meta information; updating records and meta
// information; searching by name.
#include <algorithm>
#include <vector>

#include "geodb_internal.h"
#include "geodb_io.h"
#include <qyx/QYX_stringl.h>
#include <qyx/platform/CodePage.h>
#include <qyx/platform/Streams.h>

namespace qyx {

using geodb::TGdbFile;

namespace {
constexpr int BlockSize = 16384;
} // namespace

int64_t TGeoDB::DataFileSize() const {
    TGdbFile f;
    if (!f.Open(FDataFile, true)) return -1;
    return f.Size();
}

// A record's block must lie after the header and within the data file; garbage offsets and sizes
// make the retrieval fail instead of reading elsewhere.
bool TGeoDB::BlockValid(const TgdbData& D, int64_t Size) const {
    const int64_t bytes = geodb::BlockBytes(D);
    return bytes >= 0 && D.DataOffset >= GDB_HEADERSIZE && int64_t{D.DataOffset} + bytes <= Size;
}

int TGeoDB::ItemIndex(int RecNo) const {
    return std::max(RecNo - 1, 0);
}

TgdbData TGeoDB::GetSumdata(int RecNo) const {
    if (FNumEntries <= 0) {
        TgdbData d;
        ClearGdbData(d);
        return d;
    }
    return FRecords[static_cast<size_t>(std::clamp(RecNo, 1, FNumEntries) - 1)];
}

bool TGeoDB::RetrievePolygon(int RecNo, TgdbPolygon& Polygon) {
    if (!IsOpen()) return false;
    Progress(0);
    bool ok = false;
    const int i = ItemIndex(RecNo);
    if (i < FNumEntries && geodb::IsPolygonKind(FRecords[static_cast<size_t>(i)].ItemType)) {
        const TgdbData& d = FRecords[static_cast<size_t>(i)];
        TGdbFile f;
        if (f.Open(FDataFile, true) && BlockValid(d, f.Size())) {
            TgdbPolygon pts(static_cast<size_t>(d.DataSize));
            f.ReadAt(d.DataOffset, pts.data(), int64_t{d.DataSize} * 8);
            Polygon = std::move(pts);
            if (OnPercentDone && FReportProgress) {
                const int step = d.DataSize / 100 + 1;
                for (int k = step; k <= d.DataSize; k += step) Progress(k * 100.0 / d.DataSize);
            }
            ok = true;
        }
    }
    Progress(100);
    return ok;
}

bool TGeoDB::GetMetaInfo(int RecNo, TMetaInfo& MetaInfo) {
    ClearMetaInfo(MetaInfo);
    if (!IsOpen() || RecNo < 1 || RecNo > FNumEntries) return false;
    const TgdbData& d = FRecords[static_cast<size_t>(RecNo - 1)];
    if (d.ItemType != gitBLOB) return false;
    TGdbFile f;
    if (!f.Open(FDataFile, true) || !BlockValid(d, f.Size())) return false;
    uint8_t b[1024];
    f.ReadAt(d.DataOffset, b, 1024);
    MetaInfo = MetaInfoFromBytes(b);
    return true;
}

bool TGeoDB::UpdateMetaInfo(int RecNo, const TMetaInfo& MetaInfo) {
    if (!IsOpen() || RecNo < 1 || RecNo > FNumEntries) return false;
    const TgdbData& d = FRecords[static_cast<size_t>(RecNo - 1)];
    if (d.ItemType != gitBLOB) return false;
    TGdbFile f;
    f.OpenOrRaise(FDataFile, false);
    if (!BlockValid(d, f.Size())) return false;
    uint8_t b[1024];
    MetaInfoToBytes(MetaInfo, b);
    f.WriteAt(d.DataOffset, b, 1024);
    return true;
}

bool TGeoDB::RetrieveBLOB(int RecNo, const std::string& FileName, TMetaInfo& MetaInfo) {
    if (!IsOpen()) return false;
    const int i = ItemIndex(RecNo);
    if (i >= FNumEntries || FRecords[static_cast<size_t>(i)].ItemType != gitBLOB) return false;
    const TgdbData& d = FRecords[static_cast<size_t>(i)];
    TGdbFile src;
    if (!src.Open(FDataFile, true) || !BlockValid(d, src.Size())) return false;
    uint8_t meta[1024];
    src.ReadAt(d.DataOffset, meta, 1024);
    MetaInfo = MetaInfoFromBytes(meta);

    std::string target = FileName;
    if (target.empty() || target.back() == '\\' || target.back() == '/')
        target += ReduceStringToFN83CompliantChars(d.Name.Str());
    if (target.empty()) RaiseComponentError<EQYXGeoDBError>(this, "RetrieveBLOB: invalid filename.");

    Progress(0);
    TGdbFile dst;
    dst.Create(target);
    std::vector<uint8_t> buf(BlockSize);
    const int64_t size = d.DataSize;
    for (int64_t done = 0; done < size;) {
        const int n = static_cast<int>(std::min<int64_t>(BlockSize, size - done));
        src.ReadAt(d.DataOffset + 1024 + done, buf.data(), n);
        dst.WriteAt(done, buf.data(), n);
        done += n;
        Progress(done * 100.0 / size);
    }
    Progress(100);
    return true;
}

bool TGeoDB::RetrieveBLOB(int RecNo, TMetaInfo& MetaInfo, void* Buffer, int SizeOfBlobData) {
    if (!IsOpen()) return false;
    Progress(0);
    bool ok = false;
    const int i = ItemIndex(RecNo);
    if (i < FNumEntries && FRecords[static_cast<size_t>(i)].ItemType == gitBLOB) {
        const TgdbData& d = FRecords[static_cast<size_t>(i)];
        TGdbFile src;
        if (src.Open(FDataFile, true) && BlockValid(d, src.Size())) {
            uint8_t meta[1024];
            src.ReadAt(d.DataOffset, meta, 1024);
            MetaInfo = MetaInfoFromBytes(meta);
            if (SizeOfBlobData < d.DataSize || (Buffer == nullptr && d.DataSize > 0))
                RaiseComponentError<EQYXGeoDBError>(
                    this, "RetrieveBLOB: BLOB to be retrieved is larger than SizeOfBlobData.");
            auto* p = static_cast<uint8_t*>(Buffer);
            for (int done = 0; done < d.DataSize;) {
                const int n = std::min(BlockSize, d.DataSize - done);
                src.ReadAt(d.DataOffset + 1024 + done, p + done, n);
                done += n;
                Progress(done * 100.0 / d.DataSize);
            }
            ok = true;
        }
    }
    Progress(100);
    return ok;
}

bool TGeoDB::RetrieveBLOB(int RecNo, TMetaInfo& MetaInfo, TMemoryStream* Stream) {
    if (!IsOpen() || Stream == nullptr) return false;
    Progress(0);
    bool ok = false;
    const int i = ItemIndex(RecNo);
    if (i < FNumEntries) {
        const TgdbData& d = FRecords[static_cast<size_t>(i)];
        TGdbFile src;
        const bool valid = src.Open(FDataFile, true) && BlockValid(d, src.Size());
        // The stream takes the record's size first, whatever the kind; a size that does not
        // match the data file is not trusted.
        Stream->SetSize(valid ? std::max(d.DataSize, 0) : 0);
        Stream->SetPosition(0);
        if (valid && d.ItemType == gitBLOB) {
            uint8_t meta[1024];
            src.ReadAt(d.DataOffset, meta, 1024);
            MetaInfo = MetaInfoFromBytes(meta);
            auto* p = static_cast<uint8_t*>(Stream->Memory());
            for (int done = 0; done < d.DataSize;) {
                const int n = std::min(BlockSize, d.DataSize - done);
                src.ReadAt(d.DataOffset + 1024 + done, p + done, n);
                done += n;
                Progress(done * 100.0 / d.DataSize);
            }
            ok = true;
        }
    }
    Progress(0);
    return ok;
}

bool TGeoDB::UpdateBasicData(int RecNo, const TgdbData& Data) {
    if (!IsOpen() || RecNo < 1 || RecNo > FNumEntries) return false;
    TgdbData rec = FRecords[static_cast<size_t>(RecNo - 1)];
    rec.Name = Data.Name;
    rec.ByteAttrib = Data.ByteAttrib;
    rec.IntAttrib1 = Data.IntAttrib1;
    rec.IntAttrib2 = Data.IntAttrib2;
    rec.Date = Data.Date;
    if (!geodb::IsPolygonKind(rec.ItemType)) {
        rec.LatLow = Data.LatLow;
        rec.LatHigh = Data.LatHigh;
        rec.LongLow = Data.LongLow;
        rec.LongHigh = Data.LongHigh;
    }
    if (rec.ItemType == gitBorder || rec.ItemType == gitCity) rec.Closed = Data.Closed;
    WriteRecord(RecNo, rec);
    FRecords[static_cast<size_t>(RecNo - 1)] = rec;
    RemoveIndexEntries(RecNo);
    InsertIntoIndex(RecNo, rec);
    SaveIndexesUnlessLazy();
    return true;
}

int TGeoDB::SearchData(TgdbName& Name) {
    return SearchData(Name, gitUndefined, 1, 0);
}

int TGeoDB::SearchData(TgdbName& Name, TgdbItem ItemType, int StartRecNo, uint8_t MatchMode) {
    const std::string key = AnsiUpperCase(Name.Str());
    for (int k = std::max(StartRecNo, 1); k <= FNumEntries; ++k) {
        const TgdbData& d = FRecords[static_cast<size_t>(k - 1)];
        if (ItemType != gitUndefined && d.ItemType != ItemType) continue;
        const std::string name = AnsiUpperCase(d.Name.Str());
        const bool hit = MatchMode == 1   ? name.compare(0, key.size(), key) == 0
                         : MatchMode == 2 ? name.find(key) != std::string::npos
                                          : name == key;
        if (hit) {
            Name = d.Name;
            return k;
        }
    }
    return 0;
}

} // namespace qyx
