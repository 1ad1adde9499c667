// TStringArray's XML readers on arbitrary text: LoadFromXMLFile on a file holding the input and
// ReadFromXMLStream on the same bytes. A failed read leaves the array as it was; an array that was read
// is written and read back the same, and survives compacting, sorting and committing. (The two readers
// may differ on a lone CR, which ends a line of a text file but not of a stream.)
#include <qyx/QYX_dstruct.h>
#include <qyx/platform/Streams.h>
#include <qyx/platform/TextFile.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <unistd.h>

using namespace qyx;

namespace {

std::string Snapshot(const TStringArray& A) {
    std::string s = std::to_string(A.GetNrOfColumns()) + "x" + std::to_string(A.GetNrOfRows()) + ":" +
                    std::to_string(A.GetAllocRowsBy()) + ":";
    for (int c = 0; c <= A.GetNrOfColumns(); ++c) s += std::to_string(A.GetColAttrib(c)) + ",";
    for (int r = 1; r <= A.GetNrOfRows(); ++r) {
        s += "|" + std::to_string(A.GetSortOrder(r)) + "," + std::to_string(A.GetRowAttrib(r));
        for (int c = 0; c <= A.GetNrOfColumns(); ++c)
            s += "," + std::to_string(A.GetString(c, r).size()) + ":" + A.GetString(c, r);
    }
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size < 1) return 0;
    // The first byte picks the identifier searched for.
    static const char* const ids[] = {"", "a", "T1", "x y"};
    const std::string id = ids[Data[0] % 4];
    const std::string text(reinterpret_cast<const char*>(Data) + 1, Size - 1);

    static const std::string path = "/tmp/qyx_fuzz_strarray_" + std::to_string(getpid()) + ".xml";
    {
        TMemoryStream m;
        m.WriteBuffer(text.data(), static_cast<int>(text.size()));
        m.SaveToFile(path);
    }
    TStringArray fromFile(nullptr), fromStream(nullptr);
    fromFile.SetString(1, 1, "before");
    fromStream.SetString(1, 1, "before");
    const std::string before = Snapshot(fromFile);
    TStringStream s(text);
    const bool ok[2] = {fromFile.LoadFromXMLFile(path, id), fromStream.ReadFromXMLStream(&s, id)};
    TStringArray* arrays[2] = {&fromFile, &fromStream};
    for (int i = 0; i < 2; ++i) {
        TStringArray& a = *arrays[i];
        if (!ok[i]) {
            if (Snapshot(a) != before) __builtin_trap();
            continue;
        }
        TMemoryStream m;
        a.WriteToXMLStream(&m, true, id);
        m.SetPosition(0);
        TStringArray again(nullptr);
        if (!again.ReadFromXMLStream(&m, id) || Snapshot(again) != Snapshot(a)) __builtin_trap();
        const std::string shown = Snapshot(a);
        a.GarbageCollection();
        if (Snapshot(a) != shown) __builtin_trap();
        a.Sort(0, false);
        a.CommitSorting();
    }
    return 0;
}
