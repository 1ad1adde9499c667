// Files and streams of the run-time layer: a table of chemical elements is read from a text file with
// fixed-column and number reads, written out as a text report (CR LF line ends) and as a typed file of
// fixed-size records, read back by record number, and copied through memory and file streams. The
// working directory is listed with FindFirst/FindNext and removed at the end.
#include <qyx/platform/CodePage.h>
#include <qyx/platform/Convert.h>
#include <qyx/platform/FileSystem.h>
#include <qyx/platform/Streams.h>
#include <qyx/platform/TextFile.h>
#include <qyx/platform/TypedFile.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

using namespace qyx;

namespace {

// One record of the typed file: 16 bytes, stored as they are in memory (little-endian).
struct TElementRec {
    char Symbol[4];
    int32_t Z;
    double Weight;
};
static_assert(sizeof(TElementRec) == 16);

struct TElement {
    std::string Symbol, Name;
    int Z = 0;
    double Weight = 0;
};

// Reads "Sym  Z  weight  name" lines: the symbol from the first three columns, then two numbers, then
// the rest of the line as the name.
std::vector<TElement> ReadTable(const std::string& FileName) {
    std::vector<TElement> table;
    TextFile f;
    AssignFile(f, FileName);
    int code = 0;
    if (!TryReset(f, &code)) {
        std::printf("cannot open %s: %s\n", FileName.c_str(), InOutErrorMessage(code).c_str());
        return table;
    }
    Readln(f); // the heading
    while (!SeekEof(f)) {
        TElement e;
        std::string rest;
        Read(f, e.Symbol, 3);
        Read(f, e.Z);
        Read(f, e.Weight);
        Readln(f, rest);
        e.Symbol = Trim(e.Symbol);
        e.Name = Trim(rest);
        table.push_back(e);
    }
    CloseFile(f);
    return table;
}

void WriteReport(const std::string& FileName, const std::vector<TElement>& Table) {
    TextFile f;
    AssignFile(f, FileName);
    Rewrite(f);
    Writeln(f, "Element report");
    for (const TElement& e : Table) {
        Write(f, e.Symbol, 3);
        Write(f, e.Z, 4);
        Write(f, e.Weight, 10, 3);
        Writeln(f, "  " + e.Name);
    }
    CloseFile(f);
}

void WriteRecords(const std::string& FileName, const std::vector<TElement>& Table) {
    FileOf<TElementRec> f;
    AssignFile(f, FileName);
    Rewrite(f);
    for (const TElement& e : Table) {
        TElementRec r{};
        std::strncpy(r.Symbol, e.Symbol.c_str(), sizeof r.Symbol - 1);
        r.Z = e.Z;
        r.Weight = e.Weight;
        Write(f, r);
    }
    CloseFile(f);
}

void Section(const char* Title) {
    std::printf("\n== %s ==\n", Title);
}

} // namespace

int main() {
    const std::string work = GetTempDirectory() + "qyx-rtl-files-" + std::to_string(::getpid());
    if (!ForceDirectories(work)) {
        std::printf("cannot create %s\n", Cp1252ToUtf8(work).c_str());
        return 1;
    }

    Section("text file in");
    const std::vector<TElement> table = ReadTable(std::string(QYX_EXAMPLE_DATA) + "/elements.txt");
    std::printf("read %zu elements, from %s (%d) to %s (%d)\n", table.size(), table.front().Name.c_str(),
                table.front().Z, table.back().Name.c_str(), table.back().Z);

    Section("text file out");
    const std::string report = work + "/Report.txt";
    WriteReport(report, table);
    TextFile rf;
    AssignFile(rf, work + "/REPORT.TXT"); // names are found without regard to case
    Reset(rf);
    std::string line;
    for (int i = 0; i < 4 && !Eof(rf); ++i) {
        Readln(rf, line);
        std::printf("| %s\n", line.c_str());
    }
    std::printf("%lld bytes, every line ended by CR LF\n", static_cast<long long>(GetFileSizeOf(report)));
    CloseFile(rf);

    Section("typed file");
    const std::string records = work + "/elements.dat";
    WriteRecords(records, table);
    FileOf<TElementRec> tf;
    AssignFile(tf, records);
    const int savedMode = FileMode;
    FileMode = 0; // read-only is enough here
    Reset(tf);
    FileMode = savedMode;
    std::printf("%lld records of %d bytes\n", static_cast<long long>(FileSize(tf)), tf.GetRecSize());
    for (int64_t n : {int64_t{16}, int64_t{0}, FileSize(tf) - 1}) {
        TElementRec r;
        Seek(tf, n);
        Read(tf, r);
        std::printf("record %2lld: %-3s Z=%-3d %8.3f\n", static_cast<long long>(n), r.Symbol, r.Z, r.Weight);
    }
    CloseFile(tf);

    Section("streams");
    TMemoryStream mem;
    mem.LoadFromFile(records);
    TElementRec gold;
    mem.SetPosition(19 * static_cast<int64_t>(sizeof gold));
    mem.ReadBuffer(&gold, sizeof gold);
    std::printf("memory stream: %lld bytes, record 19 is %s\n", static_cast<long long>(mem.GetSize()),
                gold.Symbol);
    const std::string copy = work + "/copy.dat";
    {
        TFileStream out(copy, fmCreate);
        out.CopyFrom(&mem, 0);
    }
    TMemoryStream back;
    back.LoadFromFile(copy);
    const bool same = back.GetSize() == mem.GetSize() &&
                      std::memcmp(back.Memory(), mem.Memory(), static_cast<size_t>(mem.GetSize())) == 0;
    std::printf("file stream copy is %s\n", same ? "identical" : "DIFFERENT");
    TStringStream text("");
    text.WriteString("H2O weighs ");
    text.WriteString(FixedDotStr(2 * table[0].Weight + table[5].Weight, 3) + " g/mol");
    std::printf("string stream: \"%s\"\n", text.GetDataString().c_str());

    Section("directory listing");
    TSearchRec sr;
    if (FindFirst(work + "/*", faAnyFile - faDirectory, sr) == 0) {
        do
            std::printf("%-12s %6lld bytes  attributes %02X\n", sr.Name.c_str(),
                        static_cast<long long>(sr.Size), sr.Attr);
        while (FindNext(sr) == 0);
        FindClose(sr);
    }
    for (const char* name : {"/Report.txt", "/elements.dat", "/copy.dat"}) DeleteFile(work + name);
    std::printf("removed %s: %s\n", Cp1252ToUtf8(work).c_str(), RemoveDir(work) ? "yes" : "no");
    return 0;
}
