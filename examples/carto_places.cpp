// What the geo database of qyxcarto does: builds a small database of real towns, a lake and two
// rivers in a temporary folder, then looks items up by identifier, by name and by area (the south
// edge index narrows the search, the other edges confirm it), and reads a river's course back.
#include <qyx/QYX_GeoDB.h>
#include <qyx/platform/CodePage.h>
#include <qyx/platform/FileSystem.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

using namespace qyx;

namespace {

void Print(const std::string& Cp1252Text) {
    std::printf("%s", Cp1252ToUtf8(Cp1252Text).c_str());
}

std::string Where(const TgdbData& D) {
    return GeoLatitude(D.LatLow, dfDegMin, 0) + "  " + GeoLongitude(D.LongLow, dfDegMin, 0);
}

// Items whose bounding box lies inside the area: the south-edge index gives the candidates from
// LatLow up, the other three edges are checked on the record.
void ShowArea(TGeoDB& Db, const char* Title, float South, float North, float West, float East) {
    Print(std::string("\nItems inside ") + Title + ":\n");
    for (int p = Db.GetClosestLatLowIx(South); p <= Db.GetNumEntries(); ++p) {
        const TIxLLRec e = Db.GetIxLatLow(p);
        if (e.Value > North) break;
        const TgdbData d = Db.GetSumdata(e.RecNo);
        if (d.LatHigh <= North && d.LongLow >= West && d.LongHigh <= East)
            Print("  " + std::string(GDB_ITEMNAMES[d.ItemType]) + " " + d.Name.Str() + " (" + Where(d) +
                  ")\n");
    }
}

} // namespace

int main() {
    const std::string dir = (std::filesystem::temp_directory_path() / "qyx_carto_places").string();
    std::filesystem::create_directories(dir);
    {
        TGeoDB db(nullptr);
        db.SetDBName(dir + "/alps.db");
        db.SetDescription("Towns, lakes and rivers of the Alps");
        db.SetLazyWrite(true); // index files once at the end

        struct Town {
            const char* Name;
            float Lat, Long;
            int Inhabitants;
        };
        const Town towns[] = {
            {"Bern", 46.948f, 7.447f, 134000},        {"Z\xFCrich", 47.377f, 8.541f, 421000},
            {"Gen\xE8ve", 46.204f, 6.143f, 203000},   {"Innsbruck", 47.269f, 11.404f, 131000},
            {"Milano", 45.464f, 9.190f, 1371000},     {"Grenoble", 45.188f, 5.724f, 158000},
            {"M\xFCnchen", 48.137f, 11.575f, 1488000}};
        for (const Town& t : towns) db.AddTown(t.Name, 0, t.Inhabitants, {t.Lat, t.Long}, 0, 0);

        db.AddLake("Lac L\xE9man",
                   {{46.46f, 6.15f}, {46.52f, 6.63f}, {46.38f, 6.93f}, {46.24f, 6.53f}, {46.20f, 6.15f}}, 0,
                   580, 0, 0, 0, 0, 0, 0);
        db.AddRiver("Rh\xF4ne",
                    {{46.58f, 8.38f},
                     {46.23f, 7.36f},
                     {46.10f, 7.07f},
                     {46.40f, 6.90f},
                     {46.20f, 6.14f},
                     {45.76f, 4.84f}},
                    0, 813, 0, 0, 0, 0, 0, 0);
        db.AddRiver("Inn",
                    {{46.41f, 9.68f}, {46.80f, 10.30f}, {47.27f, 11.40f}, {47.86f, 12.12f}, {48.57f, 13.47f}},
                    0, 517, 0, 0, 0, 0, 0, 0);
        db.SetLazyWrite(false);
        std::printf("%d items written.\n", db.GetNumEntries());
    }

    TGeoDB db(nullptr);
    db.SetDBName(dir + "/alps.db");
    Print("Database \"" + db.GetDescription() + "\" with " + std::to_string(db.GetNumEntries()) +
          " items.\n");

    const int recNo = db.SearchForItemID(4);
    const TgdbData innsbruck = db.GetSumdata(recNo);
    Print("Item with identifier 4: " + innsbruck.Name.Str() + ", " + std::to_string(innsbruck.IntAttrib1) +
          " inhabitants, " + Where(innsbruck) + "\n");

    TgdbName name = "rh\xF4ne";
    if (const int r = db.SearchData(name)) {
        TgdbPolygon course;
        db.RetrievePolygon(r, course);
        Print("The " + name.Str() + " (" + std::to_string(db.GetSumdata(r).IntAttrib1) + " km) in " +
              std::to_string(course.size()) + " points, from " + GeoLatitude(course.front().Lat, dfDeg, 2) +
              " " + GeoLongitude(course.front().Long, dfDeg, 2) + " to " +
              GeoLatitude(course.back().Lat, dfDeg, 2) + " " + GeoLongitude(course.back().Long, dfDeg, 2) +
              "\n");
    }

    ShowArea(db, "Switzerland's box (45.8..47.8 N, 5.9..10.5 E)", 45.8f, 47.8f, 5.9f, 10.5f);
    ShowArea(db, "the band 47..49 N", 47, 49, -180, 180);

    db.SetDBName("");
    std::filesystem::remove_all(dir);
    return EXIT_SUCCESS;
}
