// The free functions: coordinate texts, clearing records and meta information, byte forms.
#include "GeoDBTestUtil.h"

#include <qyx/QYX_math1.h>
#include <qyx/platform/DateTime.h>

namespace qyx::test {
namespace {

TEST(GeoDBFunctions, CoordinateTexts) {
    struct Case {
        double V;
        bool Lat;
        double Shown;
        const char* Hemisphere;
    };
    const Case cases[] = {{-33.9, true, 33.9, " S"}, {0, true, 0, " N"},      {-95, true, 90, " S"},
                          {91, true, 90, " N"},      {200, false, 180, " E"}, {-0.5, false, 0.5, " W"},
                          {0, false, 0, " E"},       {-181, false, 180, " W"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.V);
        for (TDegreeFormat f : {dfDeg, dfDegMin, dfDegMinSec, dfNumeric}) {
            const std::string s = c.Lat ? GeoLatitude(c.V, f, 2) : GeoLongitude(c.V, f, 2);
            EXPECT_EQ(s, DegreeToStr(c.Shown, f, 2) + c.Hemisphere);
        }
    }
}

TEST(GeoDBFunctions, ClearingAndLocation) {
    TgdbData d;
    d.ItemID = 5;
    d.Name = "x";
    d.DataSize = 17;
    d.DataOffset = 300;
    d.ItemType = gitLake;
    d.Closed = true;
    d.LatLow = 3;
    d.LongLow = 4;
    d.LatHigh = 9;
    EXPECT_EQ(ExtractLocation(d), (TSCoords{3, 4}));
    const TDateTime before = Now();
    ClearGdbData(d);
    EXPECT_EQ(d.DataSize, 17);
    EXPECT_EQ(d.ItemType, gitUndefined);
    EXPECT_EQ(d.DataOffset, -1);
    EXPECT_EQ(d.ItemID, 0);
    EXPECT_TRUE(d.Name.Empty());
    EXPECT_FALSE(d.Closed);
    EXPECT_EQ(d.LatHigh, 0.0f);
    EXPECT_GE(d.Date, before - 1e-6);
    uint8_t b[120];
    GdbDataToBytes(d, b);
    EXPECT_TRUE(std::all_of(b + 5, b + 68, [](uint8_t c) { return c == ' '; }));

    TMetaInfo m;
    m.Kwd = "k";
    m.Extra = "e";
    ClearMetaInfo(m);
    uint8_t mb[1024];
    MetaInfoToBytes(m, mb);
    for (int off : {0, 256, 384, 512, 768}) EXPECT_EQ(mb[off], 0);
    EXPECT_STREQ(GDB_ITEMNAMES[gitBLOB], "BLOB");
    EXPECT_STREQ(GDB_ITEMNAMES[gitUndefined], "Undefined");
}

TEST(GeoDBFunctions, MetaInfoLengthBytesAreClamped) {
    uint8_t b[1024] = {};
    std::fill(b, b + 1024, 'a');
    const TMetaInfo m = MetaInfoFromBytes(b); // every length byte is 'a' = 97
    EXPECT_EQ(m.Caption.Length(), 97);
    b[256] = 250;
    b[384] = 200;
    const TMetaInfo n = MetaInfoFromBytes(b);
    EXPECT_EQ(n.Caption.Length(), 127);
    EXPECT_EQ(n.FilePath.Length(), 127);
}

} // namespace
} // namespace qyx::test
