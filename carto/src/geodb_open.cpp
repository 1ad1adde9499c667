// TGeoDB: construction, opening and creating the file set, closing, the header and the index files.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "geodb_internal.h"
#include "geodb_io.h"
#include <qyx/QYX_filesys.h>

namespace qyx {

using geodb::TGdbFile;

namespace geodb {
void HeaderToBytes(int LastItemID, int FormatCode, const std::string& Description, int Revision,
                   uint8_t* Dest) {
    std::memset(Dest, 0, GDB_HEADERSIZE);
    std::memcpy(Dest, &LastItemID, 4);
    std::memcpy(Dest + 4, &FormatCode, 4);
    const size_t len = std::min<size_t>(Description.size(), 60);
    Dest[8] = static_cast<uint8_t>(len);
    std::memcpy(Dest + 9, Description.data(), len);
    std::memcpy(Dest + 72, &Revision, 4);
}
} // namespace geodb

TGeoDB::TGeoDB(TComponent* AOwner) : TComponent(AOwner) {}

TGdbFile& TGeoDB::WritableFile(bool Data, TGdbFile& Local) {
    const std::string& name = Data ? FDataFile : FItemFile;
    if (!FLazyWrite) {
        Local.OpenOrRaise(name, false);
        return Local;
    }
    auto& h = Data ? FDataHandle : FItemHandle;
    if (!h) h = std::make_unique<TGdbFile>();
    if (!h->IsOpen()) h->OpenOrRaise(name, false);
    return *h;
}

void TGeoDB::ReleaseHandles() {
    FItemHandle.reset();
    FDataHandle.reset();
}

void TGeoDB::FlushPending() const {
    if (FPending.empty()) return;
    std::vector<int> pending;
    pending.swap(FPending);
    // Identifiers of added items only grow, so they go to the end in the order of addition.
    for (int r : pending) FIxItemID.push_back({FRecords[static_cast<size_t>(r - 1)].ItemID, r - 1});
    if (!std::is_sorted(FIxItemID.begin(), FIxItemID.end(),
                        [](const TIxItemIDRec& a, const TIxItemIDRec& b) { return a.ItemID < b.ItemID; }))
        std::stable_sort(FIxItemID.begin(), FIxItemID.end(),
                         [](const TIxItemIDRec& a, const TIxItemIDRec& b) { return a.ItemID < b.ItemID; });
    auto less = [](const TIxLLRec& a, const TIxLLRec& b) { return a.Value < b.Value; };
    TIxLLRecArray add(pending.size());
    for (int i = 0; i < 4; ++i) {
        for (size_t k = 0; k < pending.size(); ++k) {
            const TgdbData& d = FRecords[static_cast<size_t>(pending[k] - 1)];
            add[k] = {i == 0   ? d.LatLow
                      : i == 1 ? d.LatHigh
                      : i == 2 ? d.LongLow
                               : d.LongHigh,
                      pending[k] - 1};
        }
        std::stable_sort(add.begin(), add.end(), less);
        auto& ix = FIxEdge[i];
        const auto mid = static_cast<std::ptrdiff_t>(ix.size());
        ix.insert(ix.end(), add.begin(), add.end());
        std::inplace_merge(ix.begin(), ix.begin() + mid, ix.end(), less);
    }
}

TGeoDB::~TGeoDB() {
    if (FLazyWrite) {
        try {
            SaveAllIndexes();
        } catch (...) {
            // A destructor cannot report; the indexes are rebuilt from the item file on the next open.
        }
    }
}

std::string TGeoDB::GetGDBName() const {
    return FItemFile.empty() ? std::string() : FItemFile.substr(0, FItemFile.size() - 7);
}

void TGeoDB::SetGDBName(const std::string& Name) {
    if (IsOpen() && FLazyWrite) SaveAllIndexes();
    if (Name.empty()) {
        CloseState();
        FLazyWrite = false;
        return;
    }
    try {
        OpenDatabase(Name);
    } catch (...) {
        // A database that could not be read completely is not left half open.
        CloseState();
        throw;
    }
}

void TGeoDB::ResetHeader() {
    FLastItemID = 0;
    FFormatCode = 3;
    FDescription.clear();
    FRevision = 0;
}

void TGeoDB::CloseState() {
    FItemFile.clear();
    FDataFile.clear();
    for (auto& f : FIndexFiles) f.clear();
    FRecords.clear();
    FNumEntries = 0;
    FIxItemID.clear();
    for (auto& ix : FIxEdge) ix.clear();
    FPending.clear();
    ReleaseHandles();
    ResetHeader();
}

namespace {
template <class T> void ReadIndexFile(const std::string& FileName, std::vector<T>& Ix, bool& Whole) {
    std::vector<uint8_t> bytes;
    if (!geodb::ReadWholeFile(FileName, bytes)) {
        TGdbFile f;
        f.Create(FileName);
        bytes.clear();
    }
    Whole = bytes.size() % sizeof(T) == 0;
    Ix.resize(bytes.size() / sizeof(T));
    if (!Ix.empty()) std::memcpy(Ix.data(), bytes.data(), Ix.size() * sizeof(T));
}
} // namespace

void TGeoDB::OpenDatabase(const std::string& Name) {
    CloseState();
    const std::string base = StripExtension(Name);
    FItemFile = base + ".qyxgds";
    FDataFile = base + ".qyxgdd";
    for (int i = 0; i < 5; ++i) FIndexFiles[i] = base + ".qyxgi" + char('0' + i);

    bool whole = true, w;
    for (int i = 1; i <= 4; ++i) {
        ReadIndexFile(FIndexFiles[i], FIxEdge[i - 1], w);
        whole = whole && w;
    }
    ReadIndexFile(FIndexFiles[0], FIxItemID, w);
    whole = whole && w;

    // Item file: whole records only; a torn last record (an interrupted addition) is cut off.
    std::vector<uint8_t> bytes;
    if (!geodb::ReadWholeFile(FItemFile, bytes)) {
        TGdbFile f;
        f.Create(FItemFile);
        ResetHeader();
    }
    FNumEntries = static_cast<int>(bytes.size() / GDB_RECORDSIZE);
    FRecords.resize(static_cast<size_t>(FNumEntries));
    for (int k = 0; k < FNumEntries; ++k)
        FRecords[static_cast<size_t>(k)] = GdbDataFromBytes(bytes.data() + int64_t{k} * GDB_RECORDSIZE);
    // A deletion interrupted between moving the last record and cutting it off leaves that record
    // twice; the copy at the end goes.
    bool cut = bytes.size() % GDB_RECORDSIZE != 0;
    if (FNumEntries >= 2) {
        const uint8_t* last = bytes.data() + int64_t{FNumEntries - 1} * GDB_RECORDSIZE;
        for (int k = 0; k < FNumEntries - 1; ++k)
            if (FRecords[static_cast<size_t>(k)].ItemID == FRecords.back().ItemID &&
                std::memcmp(bytes.data() + int64_t{k} * GDB_RECORDSIZE, last, GDB_RECORDSIZE) == 0) {
                --FNumEntries;
                FRecords.pop_back();
                cut = true;
                break;
            }
    }
    if (cut) {
        TGdbFile f;
        f.OpenOrRaise(FItemFile, false);
        f.Truncate(int64_t{FNumEntries} * GDB_RECORDSIZE);
    }

    // Data file: the header, or a new file holding the default header.
    TGdbFile data;
    if (data.Open(FDataFile, true)) {
        uint8_t h[GDB_HEADERSIZE];
        data.ReadAt(0, h, GDB_HEADERSIZE);
        std::memcpy(&FLastItemID, h, 4);
        std::memcpy(&FFormatCode, h + 4, 4);
        FDescription.assign(reinterpret_cast<const char*>(h + 9), std::min<size_t>(h[8], 60));
        std::memcpy(&FRevision, h + 72, 4);
    } else {
        uint8_t h[GDB_HEADERSIZE];
        geodb::HeaderToBytes(FLastItemID, FFormatCode, FDescription, FRevision, h);
        data.Create(FDataFile);
        data.WriteAt(0, h, GDB_HEADERSIZE);
    }
    data.Close();

    // Identifiers are never given twice, even when the header lags behind the item file.
    for (const auto& r : FRecords) FLastItemID = std::max(FLastItemID, r.ItemID);

    if (!whole || !IndexesAgree()) {
        RebuildIndexes();
        SaveAllIndexes();
    }
}

bool TGeoDB::IndexesAgree() const {
    const size_t n = FRecords.size();
    if (FIxItemID.size() != n) return false;
    for (const auto& ix : FIxEdge)
        if (ix.size() != n) return false;
    std::vector<uint8_t> seen(n);
    for (size_t k = 0; k < n; ++k) {
        const auto& e = FIxItemID[k];
        if (e.RecNo < 0 || static_cast<size_t>(e.RecNo) >= n || seen[static_cast<size_t>(e.RecNo)])
            return false;
        seen[static_cast<size_t>(e.RecNo)] = 1;
        if (FRecords[static_cast<size_t>(e.RecNo)].ItemID != e.ItemID) return false;
        if (k > 0 && FIxItemID[k - 1].ItemID > e.ItemID) return false;
    }
    for (int i = 0; i < 4; ++i) {
        std::fill(seen.begin(), seen.end(), 0);
        const auto& ix = FIxEdge[i];
        for (size_t k = 0; k < n; ++k) {
            const auto& e = ix[k];
            if (e.RecNo < 0 || static_cast<size_t>(e.RecNo) >= n || seen[static_cast<size_t>(e.RecNo)])
                return false;
            seen[static_cast<size_t>(e.RecNo)] = 1;
            const auto& r = FRecords[static_cast<size_t>(e.RecNo)];
            const float v = i == 0 ? r.LatLow : i == 1 ? r.LatHigh : i == 2 ? r.LongLow : r.LongHigh;
            if (std::memcmp(&v, &e.Value, sizeof v) != 0) return false;
            if (k > 0 && e.Value < ix[k - 1].Value) return false;
        }
    }
    return true;
}

void TGeoDB::RebuildIndexes() {
    FPending.clear();
    const size_t n = FRecords.size();
    FIxItemID.resize(n);
    for (size_t k = 0; k < n; ++k) FIxItemID[k] = {FRecords[k].ItemID, static_cast<int32_t>(k)};
    std::stable_sort(FIxItemID.begin(), FIxItemID.end(),
                     [](const TIxItemIDRec& a, const TIxItemIDRec& b) { return a.ItemID < b.ItemID; });
    for (int i = 0; i < 4; ++i) {
        auto& ix = FIxEdge[i];
        ix.resize(n);
        for (size_t k = 0; k < n; ++k) {
            const auto& r = FRecords[k];
            ix[k] = {i == 0   ? r.LatLow
                     : i == 1 ? r.LatHigh
                     : i == 2 ? r.LongLow
                              : r.LongHigh,
                     static_cast<int32_t>(k)};
        }
        // NaN edges go last so that the others stay in order.
        std::stable_sort(ix.begin(), ix.end(), [](const TIxLLRec& a, const TIxLLRec& b) {
            if (std::isnan(a.Value) || std::isnan(b.Value))
                return !std::isnan(a.Value) && std::isnan(b.Value);
            return a.Value < b.Value;
        });
    }
}

void TGeoDB::RecalcIndexes() {
    if (!IsOpen()) return;
    RebuildIndexes();
    SaveAllIndexes();
}

void TGeoDB::SetLazyWrite(bool Value) {
    if (Value == FLazyWrite) return;
    FLazyWrite = Value;
    if (!Value) {
        ReleaseHandles();
        SaveAllIndexes();
    }
}

void TGeoDB::SaveAllIndexes() {
    for (int i = 0; i <= 4; ++i) SaveIndex(i);
}

void TGeoDB::SaveIndex(int Which) {
    if (FIndexFiles[0].empty() || Which < 0 || Which > 4) return;
    FlushPending();
    const size_t n = static_cast<size_t>(FNumEntries);
    if (Which == 0)
        geodb::WriteWholeFile(FIndexFiles[0], FIxItemID.data(),
                              static_cast<int64_t>(std::min(n, FIxItemID.size()) * 8));
    else
        geodb::WriteWholeFile(FIndexFiles[Which], FIxEdge[Which - 1].data(),
                              static_cast<int64_t>(std::min(n, FIxEdge[Which - 1].size()) * 8));
}

std::string TGeoDB::GetDescription() const {
    return FDescription;
}

void TGeoDB::WriteHeader(const char* Routine) {
    uint8_t h[GDB_HEADERSIZE];
    geodb::HeaderToBytes(FLastItemID, FFormatCode, FDescription, FRevision, h);
    bool written = false;
    try {
        TGdbFile local;
        TGdbFile& f = WritableFile(true, local);
        if (FLazyWrite)
            f.WriteMapped(0, h, GDB_HEADERSIZE);
        else
            f.WriteAt(0, h, GDB_HEADERSIZE);
        written = true;
    } catch (const Exception&) {
    }
    if (!written) RaiseComponentError<EQYXGeoDBError>(this, std::string(Routine) + ": cannot open database.");
}

void TGeoDB::SetDescription(const std::string& Text) {
    if (!IsOpen()) return;
    FDescription = Text.substr(0, 60);
    WriteHeader("SetDescription");
}

void TGeoDB::SetRevision(int Value) {
    if (!IsOpen()) return;
    FRevision = Value;
    WriteHeader("SetRevision");
}

void TGeoDB::Progress(int Percent) {
    if (OnPercentDone && FReportProgress) OnPercentDone(this, Percent);
}

void TGeoDB::Progress(double Percent) {
    if (OnPercentDone && FReportProgress) OnPercentDone(this, static_cast<int>(std::nearbyint(Percent)));
}

} // namespace qyx
