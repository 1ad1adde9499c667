// Records of the geo database: the item names, the byte forms of records and meta information, and
// the free functions on records and coordinate texts.
#include <algorithm>
#include <cmath>
#include <cstring>

#include <qyx/QYX_GeoDB.h>
#include <qyx/QYX_math1.h>
#include <qyx/platform/DateTime.h>

namespace qyx {

const TFixedArray<const char*, gitBorder, gitUndefined> GDB_ITEMNAMES = {
    {"Border", "Town", "City", "Lake", "River", "Road", "Route", "BLOB", "Undefined"}};

namespace {

template <class T> void Put(uint8_t* Dest, int Offset, T Value) {
    std::memcpy(Dest + Offset, &Value, sizeof(T));
}
template <class T> T Get(const uint8_t* Src, int Offset) {
    T v;
    std::memcpy(&v, Src + Offset, sizeof(T));
    return v;
}

} // namespace

void GdbDataToBytes(const TgdbData& Data, void* Dest) {
    auto* d = static_cast<uint8_t*>(Dest);
    std::memset(d, 0, GDB_RECORDSIZE);
    Put<int32_t>(d, 0, Data.ItemID);
    d[4] = static_cast<uint8_t>(Data.Name.Length());
    std::memset(d + 5, ' ', 63);
    std::memcpy(d + 5, Data.Name.View().data(), static_cast<size_t>(Data.Name.Length()));
    d[68] = Data.ByteAttrib;
    Put<int32_t>(d, 72, Data.IntAttrib2);
    Put<int32_t>(d, 76, Data.DataOffset);
    Put<double>(d, 80, Data.Date);
    Put<int32_t>(d, 88, Data.IntAttrib1);
    Put<float>(d, 92, Data.LatLow);
    Put<float>(d, 96, Data.LatHigh);
    Put<float>(d, 100, Data.LongLow);
    Put<float>(d, 104, Data.LongHigh);
    d[108] = Data.ItemType;
    Put<int32_t>(d, 112, Data.DataSize);
    d[116] = Data.Closed ? 1 : 0;
}

TgdbData GdbDataFromBytes(const void* Src) {
    const auto* s = static_cast<const uint8_t*>(Src);
    TgdbData r;
    r.ItemID = Get<int32_t>(s, 0);
    r.Name = TgdbName::FromBytes(s + 4);
    r.ByteAttrib = s[68];
    r.IntAttrib2 = Get<int32_t>(s, 72);
    r.DataOffset = Get<int32_t>(s, 76);
    r.Date = Get<double>(s, 80);
    r.IntAttrib1 = Get<int32_t>(s, 88);
    r.LatLow = Get<float>(s, 92);
    r.LatHigh = Get<float>(s, 96);
    r.LongLow = Get<float>(s, 100);
    r.LongHigh = Get<float>(s, 104);
    r.ItemType = s[108] <= gitUndefined ? static_cast<TgdbItem>(s[108]) : gitUndefined;
    r.DataSize = Get<int32_t>(s, 112);
    r.Closed = s[116] != 0;
    return r;
}

void MetaInfoToBytes(const TMetaInfo& Info, void* Dest) {
    auto* d = static_cast<uint8_t*>(Dest);
    Info.Kwd.ToBytes(d);
    Info.Caption.ToBytes(d + 256);
    Info.FilePath.ToBytes(d + 384);
    Info.Descriptor.ToBytes(d + 512);
    Info.Extra.ToBytes(d + 768);
}

TMetaInfo MetaInfoFromBytes(const void* Src) {
    const auto* s = static_cast<const uint8_t*>(Src);
    TMetaInfo m;
    m.Kwd = TShortString<255>::FromBytes(s);
    m.Caption = TShortString<127>::FromBytes(s + 256);
    m.FilePath = TShortString<127>::FromBytes(s + 384);
    m.Descriptor = TShortString<255>::FromBytes(s + 512);
    m.Extra = TShortString<255>::FromBytes(s + 768);
    return m;
}

TSCoords ExtractLocation(const TgdbData& Data) {
    return TSCoords{Data.LatLow, Data.LongLow};
}

namespace {
// NaN stays NaN through the clamp so that DegreeToStr names it.
double Clamp(double V, double Limit) {
    if (V > Limit) return Limit;
    if (V < -Limit) return -Limit;
    return V;
}
} // namespace

std::string GeoLatitude(double Latitude, TDegreeFormat Format, int Decimals) {
    const double v = Clamp(Latitude, 90);
    return DegreeToStr(std::fabs(v), Format, Decimals) + (v >= 0 ? " N" : " S");
}

std::string GeoLongitude(double Longitude, TDegreeFormat Format, int Decimals) {
    const double v = Clamp(Longitude, 180);
    return DegreeToStr(std::fabs(v), Format, Decimals) + (v >= 0 ? " E" : " W");
}

void ClearMetaInfo(TMetaInfo& Info) {
    Info.Kwd = "";
    Info.Caption = "";
    Info.FilePath = "";
    Info.Descriptor = "";
    Info.Extra = "";
}

void ClearGdbData(TgdbData& Data) {
    const int size = Data.DataSize;
    Data = TgdbData{};
    Data.Date = Now();
    Data.DataSize = size;
}

} // namespace qyx
