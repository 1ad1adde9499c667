// Fuzz target for the MDL structure readers: the connection-table and molfile readers from a string
// stream and from a text file, and the SD reader record by record until the file ends. Every table
// read then goes through ring perception, attributes, formula and weight, chain stripping and a
// substructure search, and is written back and read again. Besides not crashing: the atom count stays
// within 0..63, the smallest rings equal those of a plain search from every atom, the SD reader
// always moves on, and what the writer produces reads back to the same atoms.
#include <qyx/QYX_cform.h>
#include <qyx/QYX_cstruct.h>
#include <qyx/platform/Exceptions.h>
#include <qyx/platform/Streams.h>
#include <qyx/platform/TextFile.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace qyx;

namespace {

char ScratchName[] = "/tmp/qyx-fuzz-cstruct-mdl-XXXXXX";

std::string ScratchFile() {
    const int fd = ::mkstemp(ScratchName);
    if (fd < 0) std::abort();
    ::close(fd);
    std::atexit([] { ::unlink(ScratchName); });
    return ScratchName;
}

void Check(bool Ok) {
    if (!Ok) __builtin_trap();
}

// A benzene ring as the substructure query.
const TCTab& Benzene() {
    static TCTab* t = [] {
        auto* b = new TCTab(nullptr);
        TStringStream s("   6  6  0  0  0  0  0  0  0  0999 V2000\n"
                        "    1.0000    0.0000    0.0000 C   0  0\n"
                        "    0.5000    0.8660    0.0000 C   0  0\n"
                        "   -0.5000    0.8660    0.0000 C   0  0\n"
                        "   -1.0000    0.0000    0.0000 C   0  0\n"
                        "   -0.5000   -0.8660    0.0000 C   0  0\n"
                        "    0.5000   -0.8660    0.0000 C   0  0\n"
                        "  1  2  2\n  2  3  1\n  3  4  2\n  4  5  1\n  5  6  2\n  6  1  1\n");
        b->ReadFromMDLCTabStream(&s);
        return b;
    }();
    return *t;
}

// The algorithms on whatever was read, then the writer read back.
void Exercise(TCTab& T) {
    Check(T.GetNAtoms() >= 0 && T.GetNAtoms() <= MaxCTAtoms);
    TFormulaRec f;
    (void)T.CalcMolecularFormula(f);
    (void)T.CalcChemMolWeight();
    (void)T.CalcMissingH();
    RingListType rings;
    const int n = T.FindSSSR(rings);
    Check(n >= 0 && n == rings.Count && n <= 100);
    // The same rings as a plain search from every atom.
    RingListType plain, through;
    bool done[MaxCTAtoms + 1] = {};
    for (int a = 1; a <= T.GetNAtoms(); ++a) {
        if (done[a] || T.FindShortestRings(static_cast<uint16_t>(a), through) == 0) continue;
        for (int r = 1; r <= through.Count; ++r) {
            const RingType& ring = through.Rings[r];
            if (RingInRingList(ring, plain) || plain.Count >= 100) continue;
            plain.Rings[++plain.Count] = ring;
            for (int i = 1; i <= ring.Count; ++i)
                if (T.GetNBonds(ring.Atoms[i]) <= 2) done[ring.Atoms[i]] = true;
        }
    }
    Check(plain.Count == n);
    for (int r = 1; r <= n; ++r) {
        Check(plain.Rings[r].Count == rings.Rings[r].Count);
        for (int i = 1; i <= rings.Rings[r].Count; ++i)
            Check(plain.Rings[r].Atoms[i] == rings.Rings[r].Atoms[i]);
    }
    (void)T.CalcAttributes();
    TMatchFlags matched{};
    (void)T.SearchSubStruc(&Benzene(), matched, false);

    if (T.GetNAtoms() > 0) {
        TStringStream out;
        T.WriteToMDLCTabStream(&out);
        out.Seek(0, soFromBeginning);
        TCTab back(nullptr);
        (void)back.ReadFromMDLCTabStream(&out);
        Check(back.GetNAtoms() == T.GetNAtoms());
        for (int a = 1; a <= T.GetNAtoms(); ++a) Check(back.GetAtNum(a) == T.GetAtNum(a));
    }

    const int before = T.GetNAtoms();
    const int left = T.StripfromChains();
    Check(left >= 0 && left <= before && left == T.GetNAtoms());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    static const std::string name = ScratchFile();
    const std::string s(reinterpret_cast<const char*>(Data), Size);

    // Streams.
    {
        TCTab t(nullptr);
        TStringStream st(s);
        (void)t.ReadFromMDLCTabStream(&st);
        Exercise(t);
        TStringStream sm(s);
        (void)t.ReadFromMDLMolStream(&sm);
        Exercise(t);
    }

    if (FILE* out = std::fopen(name.c_str(), "wb")) {
        if (Size > 0) std::fwrite(Data, 1, Size, out);
        std::fclose(out);
    } else {
        return 0;
    }

    // Files: the connection table and the molfile, then every SD record.
    try {
        TCTab t(nullptr);
        TextFile f;
        AssignFile(f, name);
        Reset(f);
        (void)t.ReadFromMDLCTabFile(f);
        Exercise(t);
        Reset(f);
        (void)t.ReadFromMDLMolFile(f);
        Exercise(t);
        Reset(f);
        // Each record consumes at least one line, so there are no more records than line ends + 1.
        int records = 0;
        while (!Eof(f)) {
            Check(++records <= static_cast<int>(Size) + 1);
            TPropRec props{};
            (void)t.ReadFromMDLSDFile(f, props);
            Exercise(t);
        }
        CloseFile(f);
    } catch (const EInOutError&) {
    }
    return 0;
}
