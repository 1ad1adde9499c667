// QYX_GeoDB: a geographic database of named items (borders, towns, cities, lakes, rivers, roads,
// routes and BLOBs) kept in a set of seven files that share one base name B:
//   B.qyxgds  item file: 120-byte TgdbData records, record k (0-based) is item number k + 1
//   B.qyxgdd  data file: the 260-byte header, then the items' blocks (polygon points, BLOBs)
//   B.qyxgi0  item-identifier index (TIxItemIDRec, ascending ItemID)
//   B.qyxgi1..B.qyxgi4  south-, north-, west- and east-edge indexes (TIxLLRec, ascending Value)
// All values are little-endian; index entries hold 0-based record numbers, the operations take and
// return 1-based item numbers.
//
// Sections of this unit:
//   1. Records and constants
//   2. TGeoDB: files, header, editing, retrieval, indexes and search
//   3. Free functions
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <qyx/QYX_qyxbase.h>
#include <qyx/platform/ShortString.h>
#include <qyx/platform/Types.h>

namespace qyx {

class TMemoryStream;
namespace geodb {
class TGdbFile;
}

/// Errors of unit QYX_GeoDB.
class EQYXGeoDBError : public EQYXError {
public:
    using EQYXError::EQYXError;
};

// ================================================================================================
// 1. Records and constants
// ================================================================================================

/// The kind of an item, stored as one byte.
enum TgdbItem : uint8_t {
    gitBorder,
    gitTown,
    gitCity,
    gitLake,
    gitRiver,
    gitRoad,
    gitRoute,
    gitBLOB,
    gitUndefined
};
/// The kinds' names: "Border", "Town", ..., "Undefined".
extern const TFixedArray<const char*, gitBorder, gitUndefined> GDB_ITEMNAMES;

/// Item name: at most 63 characters (64 bytes in a record, the unused character bytes blanks).
using TgdbName = TShortString<63>;

/// A position in degrees: latitude (north positive), then longitude (east positive).
struct TSCoords {
    float Lat = 0;
    float Long = 0;
    friend bool operator==(const TSCoords&, const TSCoords&) = default;
};
using TgdbPolygon = std::vector<TSCoords>;

/// The kinds of meta information of a BLOB.
enum TMetaItem : uint8_t { miKwd, miCaption, miFilePath, miDescriptor };

/// Meta information of a BLOB: 1024 bytes, five short strings; Extra is carried unchanged.
struct TMetaInfo {
    TShortString<255> Kwd;
    TShortString<127> Caption;
    TShortString<127> FilePath; ///< for a BLOB added from a file, the path of that file
    TShortString<255> Descriptor;
    TShortString<255> Extra;
};

/// The 120-byte item record (offsets 0, 4, 68, 72, 76, 80, 88, 92..104, 108, 112, 116).
struct TgdbData {
    int32_t ItemID = 0;      ///< unique, ascending identifier given when the item is added
    TgdbName Name;           ///< item name
    uint8_t ByteAttrib = 0;  ///< application attribute
    int32_t IntAttrib2 = 0;  ///< application attribute
    int32_t DataOffset = -1; ///< offset of the item's block in the data file, -1 without one
    TDateTime Date = 0;      ///< date of the item (a BLOB from a file: its modification time)
    int32_t IntAttrib1 = 0;  ///< application attribute
    float LatLow = 0;        ///< southern edge of the bounding box
    float LatHigh = 0;       ///< northern edge
    float LongLow = 0;       ///< western edge
    float LongHigh = 0;      ///< eastern edge
    TgdbItem ItemType = gitUndefined;
    int32_t DataSize = 0; ///< polygon points or BLOB bytes; 0 without a block
    bool Closed = false;  ///< closed polygon (lakes always, borders and cities as given)
};

/// Entry of an edge index: the edge value and the 0-based record number.
struct TIxLLRec {
    float Value = 0;
    int32_t RecNo = 0;
};
/// Entry of the item-identifier index: the identifier and the 0-based record number.
struct TIxItemIDRec {
    int32_t ItemID = 0;
    int32_t RecNo = 0;
};
using TIxLLRecArray = std::vector<TIxLLRec>;
using TIxItemIDRecArray = std::vector<TIxItemIDRec>;

static_assert(sizeof(TMetaInfo) == 1024 && sizeof(TgdbData) == 120);
static_assert(sizeof(TSCoords) == 8 && sizeof(TIxLLRec) == 8 && sizeof(TIxItemIDRec) == 8);

/// Bytes of the item record and the data-file header.
constexpr int GDB_RECORDSIZE = 120;
constexpr int GDB_HEADERSIZE = 260;

/// The item record as its 120 file bytes (name blank-filled, padding zero), and back. Reading
/// clamps a name length above 63.
void GdbDataToBytes(const TgdbData& Data, void* Dest);
TgdbData GdbDataFromBytes(const void* Src);
/// The meta information as its 1024 bytes, and back (a length byte above a field's size is clamped).
void MetaInfoToBytes(const TMetaInfo& Info, void* Dest);
TMetaInfo MetaInfoFromBytes(const void* Src);

// ================================================================================================
// 2. TGeoDB
// ================================================================================================

/// A geographic database component. While a database is open it holds all item records and the five
/// indexes in memory; changes go to the item and data files at once, to the index files at once or,
/// with LazyWrite, when LazyWrite is switched off, the database is closed or the component destroyed.
/// Opening checks the index files against the item file and rebuilds them when they disagree.
///
/// LazyWrite is the bulk mode: while it is on, the item and data files stay open between operations,
/// and the index entries of added items are collected and sorted into the indexes when an index is
/// next used (entries with equal keys may then stand in another order among themselves than
/// one-by-one insertion gives).
class TGeoDB : public TComponent {
public:
    explicit TGeoDB(TComponent* AOwner);
    /// Saves pending indexes (LazyWrite); write errors are swallowed here.
    ~TGeoDB() override;

    // ---- Files and header ----------------------------------------------------------------------

    /// B (path and base name, no extension) of the open database; empty when closed.
    std::string GetDBName() const { return GetGDBName(); }
    void SetDBName(const std::string& Name) { SetGDBName(Name); }
    std::string GetGDBName() const;
    /// Empty name: closes. Otherwise opens the database N (extension removed), creating missing files.
    void SetGDBName(const std::string& Name);
    int GetNumEntries() const { return FNumEntries; }
    bool GetLazyWrite() const { return FLazyWrite; }
    /// Switching LazyWrite off writes the five index files.
    void SetLazyWrite(bool Value);
    bool GetReportProgress() const { return FReportProgress; }
    void SetReportProgress(bool Value) { FReportProgress = Value; }
    /// Rewrites index file Which (0 identifiers, 1..4 south, north, west, east edge); nothing when
    /// closed or Which is out of range.
    void SaveIndex(int Which);
    std::string GetDescription() const;
    /// Stores the first 60 characters in the header and writes it (nothing when closed).
    void SetDescription(const std::string& Text);
    int GetRevision() const { return FRevision; }
    void SetRevision(int Value);
    /// The identifier given to the most recently added item.
    int GetLastItemID() const { return FLastItemID; }

    /// Progress of long operations (0..100); fired only while ReportProgress is true.
    TOnPercentDoneEvent OnPercentDone;

    // ---- Adding (all end in AddData) -----------------------------------------------------------

    void AddBorder(const TgdbName& Name, const TgdbPolygon& Polygon, bool Closed, TDateTime Date,
                   int IntAttrib1, float LatLow, float LatHigh, float LongLow, float LongHigh,
                   uint8_t ByteAttrib, int IntAttrib2);
    void AddCity(const TgdbName& Name, const TgdbPolygon& Polygon, bool Closed, TDateTime Date,
                 int IntAttrib1, float LatLow, float LatHigh, float LongLow, float LongHigh,
                 uint8_t ByteAttrib, int IntAttrib2);
    /// A lake is always closed; rivers, roads and routes never.
    void AddLake(const TgdbName& Name, const TgdbPolygon& Polygon, TDateTime Date, int IntAttrib1,
                 float LatLow, float LatHigh, float LongLow, float LongHigh, uint8_t ByteAttrib,
                 int IntAttrib2);
    void AddRiver(const TgdbName& Name, const TgdbPolygon& Polygon, TDateTime Date, int IntAttrib1,
                  float LatLow, float LatHigh, float LongLow, float LongHigh, uint8_t ByteAttrib,
                  int IntAttrib2);
    void AddRoad(const TgdbName& Name, const TgdbPolygon& Polygon, TDateTime Date, int IntAttrib1,
                 float LatLow, float LatHigh, float LongLow, float LongHigh, uint8_t ByteAttrib,
                 int IntAttrib2);
    void AddRoute(const TgdbName& Name, const TgdbPolygon& Polygon, TDateTime Date, int IntAttrib1,
                  float LatLow, float LatHigh, float LongLow, float LongHigh, uint8_t ByteAttrib,
                  int IntAttrib2);
    /// A town: its bounding box is the point Location.
    void AddTown(const TgdbName& Name, TDateTime Date, int IntAttrib1, const TSCoords& Location,
                 uint8_t ByteAttrib, int IntAttrib2);
    /// A BLOB with the content of file FileName; Name = its file-name part, FilePath = FileName.
    void AddBLOB(const std::string& FileName, TDateTime Date, int IntAttrib1, float LatLow, float LatHigh,
                 float LongLow, float LongHigh, uint8_t ByteAttrib, int IntAttrib2,
                 const TMetaInfo& MetaInfo);
    /// As above, but Name = the file-name part of NameFile.
    void AddBLOB(const std::string& FileName, const std::string& NameFile, TDateTime Date, int IntAttrib1,
                 float LatLow, float LatHigh, float LongLow, float LongHigh, uint8_t ByteAttrib,
                 int IntAttrib2, const TMetaInfo& MetaInfo);
    /// As above, then the stored FilePath becomes StoredPath.
    void AddBLOB(const std::string& FileName, const std::string& NameFile, const std::string& StoredPath,
                 TDateTime Date, int IntAttrib1, float LatLow, float LatHigh, float LongLow, float LongHigh,
                 uint8_t ByteAttrib, int IntAttrib2, const TMetaInfo& MetaInfo);
    /// A BLOB with the SizeOfData bytes at Data.
    void AddBLOB(const TgdbName& Name, TDateTime Date, int IntAttrib1, float LatLow, float LatHigh,
                 float LongLow, float LongHigh, uint8_t ByteAttrib, int IntAttrib2, const TMetaInfo& MetaInfo,
                 const void* Data, int SizeOfData);
    /// A BLOB with the whole memory of Stream.
    void AddBLOB(const TgdbName& Name, TDateTime Date, int IntAttrib1, float LatLow, float LatHigh,
                 float LongLow, float LongHigh, uint8_t ByteAttrib, int IntAttrib2, const TMetaInfo& MetaInfo,
                 TMemoryStream* Stream);
    /// The general form: appends the item's block and record and inserts it into the indexes. Nothing
    /// when closed. Raises EQYXGeoDBError "AddData: cannot open database." when the header cannot be
    /// written. With FromFile the BLOB content is read from MetaInfo.FilePath.
    void AddData(const TgdbName& Name, const TgdbPolygon& Polygon, bool Closed, TgdbItem ItemType,
                 uint8_t ByteAttrib, TDateTime Date, int IntAttrib1, float LatLow, float LatHigh,
                 float LongLow, float LongHigh, int IntAttrib2, const TMetaInfo& MetaInfo, const void* Data,
                 int SizeOfData, bool FromFile);

    // ---- Replacing (RecNo 1..NumEntries, else nothing; the new block is appended) --------------

    void ReplaceBorder(int RecNo, const TgdbName& Name, const TgdbPolygon& Polygon, bool Closed,
                       TDateTime Date, int IntAttrib1, float LatLow, float LatHigh, float LongLow,
                       float LongHigh, uint8_t ByteAttrib, int IntAttrib2);
    void ReplaceCity(int RecNo, const TgdbName& Name, const TgdbPolygon& Polygon, bool Closed, TDateTime Date,
                     int IntAttrib1, float LatLow, float LatHigh, float LongLow, float LongHigh,
                     uint8_t ByteAttrib, int IntAttrib2);
    void ReplaceLake(int RecNo, const TgdbName& Name, const TgdbPolygon& Polygon, TDateTime Date,
                     int IntAttrib1, float LatLow, float LatHigh, float LongLow, float LongHigh,
                     uint8_t ByteAttrib, int IntAttrib2);
    void ReplaceRiver(int RecNo, const TgdbName& Name, const TgdbPolygon& Polygon, TDateTime Date,
                      int IntAttrib1, float LatLow, float LatHigh, float LongLow, float LongHigh,
                      uint8_t ByteAttrib, int IntAttrib2);
    void ReplaceRoad(int RecNo, const TgdbName& Name, const TgdbPolygon& Polygon, TDateTime Date,
                     int IntAttrib1, float LatLow, float LatHigh, float LongLow, float LongHigh,
                     uint8_t ByteAttrib, int IntAttrib2);
    void ReplaceRoute(int RecNo, const TgdbName& Name, const TgdbPolygon& Polygon, TDateTime Date,
                      int IntAttrib1, float LatLow, float LatHigh, float LongLow, float LongHigh,
                      uint8_t ByteAttrib, int IntAttrib2);
    void ReplaceTown(int RecNo, const TgdbName& Name, TDateTime Date, int IntAttrib1,
                     const TSCoords& Location, uint8_t ByteAttrib, int IntAttrib2);
    void ReplaceBLOB(int RecNo, const std::string& FileName, TDateTime Date, int IntAttrib1, float LatLow,
                     float LatHigh, float LongLow, float LongHigh, uint8_t ByteAttrib, int IntAttrib2,
                     const TMetaInfo& MetaInfo);
    void ReplaceBLOB(int RecNo, const TgdbName& Name, TDateTime Date, int IntAttrib1, float LatLow,
                     float LatHigh, float LongLow, float LongHigh, uint8_t ByteAttrib, int IntAttrib2,
                     const TMetaInfo& MetaInfo, const void* Data, int SizeOfData);
    void ReplaceBLOB(int RecNo, const TgdbName& Name, TDateTime Date, int IntAttrib1, float LatLow,
                     float LatHigh, float LongLow, float LongHigh, uint8_t ByteAttrib, int IntAttrib2,
                     const TMetaInfo& MetaInfo, TMemoryStream* Stream);
    /// The general form of replacing; ItemID stays, the old block stays unreferenced in the data file.
    void ReplaceData(int RecNo, const TgdbName& Name, const TgdbPolygon& Polygon, bool Closed,
                     TgdbItem ItemType, uint8_t ByteAttrib, TDateTime Date, int IntAttrib1, float LatLow,
                     float LatHigh, float LongLow, float LongHigh, int IntAttrib2, const TMetaInfo& MetaInfo,
                     const void* Data, int SizeOfData, bool FromFile);

    // ---- Deleting and reading ------------------------------------------------------------------

    /// Removes item RecNo: the last item takes its number. Nothing when RecNo is out of range.
    void DeleteData(int RecNo);
    /// Copy of record RecNo (clamped to 1..NumEntries); a cleared record when the database is empty.
    TgdbData GetSumdata(int RecNo) const;
    /// The points of polygon item RecNo (0 reads item 1); false for other kinds, closed databases and
    /// blocks that do not lie within the data file.
    bool RetrievePolygon(int RecNo, TgdbPolygon& Polygon);
    /// Writes BLOB RecNo to FileName (empty or ending in a separator: the item name is appended).
    /// Raises EQYXGeoDBError "RetrieveBLOB: invalid filename." when the name stays empty.
    bool RetrieveBLOB(int RecNo, const std::string& FileName, TMetaInfo& MetaInfo);
    /// Copies BLOB RecNo into Buffer; raises EQYXGeoDBError "RetrieveBLOB: BLOB to be retrieved is
    /// larger than SizeOfBlobData." when it does not fit.
    bool RetrieveBLOB(int RecNo, TMetaInfo& MetaInfo, void* Buffer, int SizeOfBlobData);
    /// Copies BLOB RecNo into Stream, which is first sized to the record's DataSize.
    bool RetrieveBLOB(int RecNo, TMetaInfo& MetaInfo, TMemoryStream* Stream);
    /// The meta information of BLOB RecNo; false (and cleared info) for other items.
    bool GetMetaInfo(int RecNo, TMetaInfo& MetaInfo);
    /// Overwrites the meta information of BLOB RecNo in the data file; false for other items.
    bool UpdateMetaInfo(int RecNo, const TMetaInfo& MetaInfo);
    /// Takes Name, Date, the attributes and (for items without points) the edges and Closed from Data
    /// into item RecNo; identifier, kind and block stay. False when RecNo is out of range.
    bool UpdateBasicData(int RecNo, const TgdbData& Data);
    /// The first item whose name equals Name ignoring ASCII case; Name receives the stored spelling.
    /// 0 when there is none.
    int SearchData(TgdbName& Name);
    /// From item StartRecNo on (clamped to 1), the first item of kind ItemType (gitUndefined: any)
    /// whose name matches Name ignoring case: MatchMode 0 equal, 1 begins with, 2 contains. 0 if none.
    int SearchData(TgdbName& Name, TgdbItem ItemType, int StartRecNo, uint8_t MatchMode);

    // ---- Indexes and search (positions 1-based) ------------------------------------------------

    /// Entry at Position (clamped) with RecNo made 1-based; {0, 0} when the database is empty.
    TIxItemIDRec GetIxItemID(int Position) const;
    TIxLLRec GetIxLatLow(int Position) const;
    TIxLLRec GetIxLatHigh(int Position) const;
    TIxLLRec GetIxLongLow(int Position) const;
    TIxLLRec GetIxLongHigh(int Position) const;
    /// Position where Value stands or would be inserted; 1 for an empty index.
    int GetClosestLatLowIx(double Value) const;
    int GetClosestLatHighIx(double Value) const;
    int GetClosestLongLowIx(double Value) const;
    int GetClosestLongHighIx(double Value) const;
    int GetClosestItemIDIx(int ItemID) const;
    /// Item number of the item with this identifier, 0 if none.
    int SearchForItemID(int ItemID) const;

    /// Inserts record RecNo into the five indexes; each array must end in one free slot.
    void InsertIntoIndex(int RecNo, const TgdbData& Data);
    /// Removes the entries of record RecNo from the five indexes (arrays keep their lengths).
    void RemoveIndexEntries(int RecNo);
    /// Inserts Rec into the sorted Ix in place; the last element is the free slot.
    static void SortIxInto(TIxLLRecArray& Ix, const TIxLLRec& Rec);
    static void SortIxItemIDInto(TIxItemIDRecArray& Ix, const TIxItemIDRec& Rec);

    /// Rebuilds the five indexes from the item records and writes them (nothing when closed).
    void RecalcIndexes();
    /// Rewrites the data file with only the blocks records point to; returns the bytes freed.
    int64_t GarbageCollection();
    /// Writes the header and every record as text to FileName.
    void ExportDataDebug(const std::string& FileName);

private:
    void OpenDatabase(const std::string& Name);
    /// Sorts the collected index entries of lazily added items into the five indexes.
    void FlushPending() const;
    /// The item or data file opened for writing: the kept handle while LazyWrite is on, else Local.
    geodb::TGdbFile& WritableFile(bool Data, geodb::TGdbFile& Local);
    void ReleaseHandles();
    void CloseState();
    void ResetHeader();
    void WriteHeader(const char* Routine);
    void SaveAllIndexes();
    bool IndexesAgree() const;
    void RebuildIndexes();
    void Progress(int Percent);
    void Progress(double Percent);
    bool IsOpen() const { return !FDataFile.empty(); }
    bool BlockValid(const TgdbData& D, int64_t DataFileSize) const;
    int64_t DataFileSize() const;
    int ItemIndex(int RecNo) const;
    void StoreItem(int ReplaceRecNo, const TgdbName& Name, const TgdbPolygon& Polygon, bool Closed,
                   TgdbItem ItemType, uint8_t ByteAttrib, TDateTime Date, int IntAttrib1, float LatLow,
                   float LatHigh, float LongLow, float LongHigh, int IntAttrib2, const TMetaInfo& MetaInfo,
                   const void* Data, int SizeOfData, bool FromFile, const std::string& SourceFile);
    void WriteRecord(int RecNo, const TgdbData& Data);
    void SaveIndexesUnlessLazy();
    void AddBLOBFromFile(const std::string& FileName, const std::string& NameFile, TDateTime Date,
                         int IntAttrib1, float LatLow, float LatHigh, float LongLow, float LongHigh,
                         uint8_t ByteAttrib, int IntAttrib2, const TMetaInfo& MetaInfo, int ReplaceRecNo);

    std::string FItemFile, FDataFile;
    std::string FIndexFiles[5];
    std::vector<TgdbData> FRecords;
    int FNumEntries = 0;
    mutable TIxItemIDRecArray FIxItemID;
    mutable TIxLLRecArray FIxEdge[4];  // south, north, west, east
    mutable std::vector<int> FPending; // item numbers not yet in the indexes (LazyWrite)
    std::unique_ptr<geodb::TGdbFile> FItemHandle, FDataHandle;
    int FLastItemID = 0;
    int FFormatCode = 3;
    std::string FDescription;
    int FRevision = 0;
    bool FLazyWrite = false;
    bool FReportProgress = true;
};

// ================================================================================================
// 3. Free functions
// ================================================================================================

/// (LatLow, LongLow) of the record: a town's location, the south-west corner of other items.
TSCoords ExtractLocation(const TgdbData& Data);
/// Latitude clamped to -90..90, its absolute value as DegreeToStr gives it, then " N" or " S".
std::string GeoLatitude(double Latitude, TDegreeFormat Format, int Decimals);
/// Longitude clamped to -180..180, its absolute value formatted, then " E" or " W".
std::string GeoLongitude(double Longitude, TDegreeFormat Format, int Decimals);
/// Empties all five strings.
void ClearMetaInfo(TMetaInfo& Info);
/// Resets every field but DataSize: no name, attributes 0, DataOffset -1, Date = now, edges 0,
/// gitUndefined, not closed.
void ClearGdbData(TgdbData& Data);
/// A text summary of database FileName read without opening it for writing: item count, last
/// identifier, description, revision and the items per kind. Raises EInOutError when the data file
/// is missing or shorter than its header.
std::string ReadSystemInformation(const std::string& FileName);

} // namespace qyx
