// What the system utilities of qyxcore do: identify the processor (vendor, brand, signature,
// features, clock) and copy a small directory tree with progress output, in a temporary folder that
// is deleted again at the end.
#include <qyx/QYX_cpuid.h>
#include <qyx/QYX_filesys.h>
#include <qyx/platform/CodePage.h>
#include <qyx/platform/FileSystem.h>
#include <qyx/platform/StringList.h>

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace qyx;

namespace {

void Print(const std::string& Cp1252Text) {
    std::printf("%s", Cp1252ToUtf8(Cp1252Text).c_str());
}

void ShowProcessor() {
    if (!CPU_IDSupport()) {
        Print("This processor has no CPUID instruction.\n");
        return;
    }
    try {
        Print("Processor:  " + CPU_MarketName() + "\n");
        Print("Vendor:     " + CPU_VendorString() + "\n");
        std::printf(
            "Signature:  %08X (family %d, extended family %d, model %d, extended model %d, stepping %d)\n",
            CPU_Signature(), CPU_Family(), CPU_ExFamily(), CPU_Model(), CPU_ExModel(), CPU_Stepping());
        std::printf("Processors: %d\n", CPU_Count());
        const uint32_t features = CPU_FeatureSet();
        Print("Features:\n");
        for (int f = cpuft_fpu; f <= cpuft_3dnow; ++f)
            if ((features & (1u << f)) && CPUFeatureNames[f] != "reserved")
                Print("  - " + CPUFeatureNames[f] + "\n");
        std::printf("Division flaw: %s\n", CPU_FDIVBugPresent() ? "present" : "absent");
        std::printf("Clock:      about %.0f MHz (time-stamp counter over 50 ms)\n", CPU_Speed(50));
    } catch (const EQYXCpuIdError& e) {
        Print(std::string("Processor identification failed: ") + e.what() + "\n");
    }
}

void CopyATree() {
    std::string root = GetTempDir() + "qyx-example-XXXXXX";
    if (!::mkdtemp(root.data())) {
        Print("Cannot create a temporary folder.\n");
        return;
    }
    root += "/";
    // A small source tree: a few text files and a larger data file in subfolders.
    ForceDirectories(root + "source/notes");
    ForceDirectories(root + "source/data");
    AppendToTextFile(root + "source/readme.txt", "files copied by CopyFileTree");
    for (int k = 1; k <= 3; ++k)
        AppendToTextFile(root + "source/notes/note" + std::to_string(k) + ".txt", "note");
    TStringList rows;
    for (int k = 0; k < 2000; ++k) rows.Add(std::to_string(k) + "\t" + std::to_string(k * k));
    AppendToTextFile(root + "source/data/squares.asc", &rows);
    Print("\nCopying " + root + "source/ to " + root + "copy/\n");

    // Feedback comes before every block of 8192 bytes and once more after each file.
    int shown = 0;
    CopyFileTree(root + "source", root + "copy", true,
                 [&shown](int64_t Done, int64_t Total, const std::string& Target, int Count) {
                     if (Done == Total && Count > shown)
                         Print("  file " + std::to_string(shown = Count) + " done: " + Target + " (" +
                               std::to_string(Total) + " bytes)\n");
                     else if (Done > 0 && Done < Total)
                         Print("  " + StripPath(Target) + ": " + std::to_string(Done) + " of " +
                               std::to_string(Total) + " bytes\n");
                 });

    TStringList copied;
    ScanFilesToStrList(root + "copy/*.*", true, &copied);
    Print("Files in the copy (found by ScanFilesToStrList): " + std::to_string(copied.GetCount()) + "\n");
    Print("Lines in the copied data file: " +
          std::to_string(CountLinesInTextFile(root + "copy/data/squares.asc")) + "\n");
    const std::string failed = DelDirTree(root);
    Print(failed.empty() ? "Temporary folder deleted.\n" : "Could not delete " + failed + "\n");
}

} // namespace

int main() {
    ShowProcessor();
    CopyATree();
    return 0;
}
