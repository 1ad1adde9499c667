// Fuzz target for the clear-text structure readers: the "/CONTAB" reader with its marker search, its
// body reader from the start of the input, and the "/CTABG" reader. Every table read goes through
// ring perception, attributes, formula and weight, and is written in the clear-text format and read
// back. Besides not crashing: the atom count stays within 0..63 and the written table reads back
// with the same atoms.
#include <qyx/QYX_cform.h>
#include <qyx/QYX_cstruct.h>
#include <qyx/platform/Exceptions.h>
#include <qyx/platform/TextFile.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace qyx;

namespace {

char InName[] = "/tmp/qyx-fuzz-cstruct-ct-in-XXXXXX";
char OutName[] = "/tmp/qyx-fuzz-cstruct-ct-out-XXXXXX";

std::string Scratch(char* Name) {
    const int fd = ::mkstemp(Name);
    if (fd < 0) std::abort();
    ::close(fd);
    return Name;
}

void Check(bool Ok) {
    if (!Ok) __builtin_trap();
}

void Exercise(TCTab& T) {
    Check(T.GetNAtoms() >= 0 && T.GetNAtoms() <= MaxCTAtoms);
    TFormulaRec f;
    (void)T.CalcMolecularFormula(f);
    (void)T.CalcChemMolWeight();
    RingListType rings;
    const int n = T.FindSSSR(rings);
    Check(n >= 0 && n == rings.Count);
    (void)T.CalcAttributes();
    if (T.GetNAtoms() == 0) return;

    static const std::string out = OutName;
    TextFile w;
    AssignFile(w, out);
    Rewrite(w);
    T.WriteToClearTextFile(w);
    CloseFile(w);
    TextFile r;
    AssignFile(r, out);
    Reset(r);
    TCTab back(nullptr);
    (void)back.ReadFromClearTextFile(r);
    CloseFile(r);
    Check(back.GetNAtoms() == T.GetNAtoms());
    for (int a = 1; a <= T.GetNAtoms(); ++a) Check(back.GetAtNum(a) == T.GetAtNum(a));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    static const std::string in = [] {
        const std::string name = Scratch(InName);
        Scratch(OutName);
        std::atexit([] {
            ::unlink(InName);
            ::unlink(OutName);
        });
        return name;
    }();
    if (FILE* out = std::fopen(in.c_str(), "wb")) {
        if (Size > 0) std::fwrite(Data, 1, Size, out);
        std::fclose(out);
    } else {
        return 0;
    }

    using Reader = bool (TCTab::*)(TextFile&);
    for (Reader read :
         {&TCTab::ReadFromClearTextFile, &TCTab::ReadConnTabBody, &TCTab::ReadFromClearTextFileCTABG}) {
        try {
            TCTab t(nullptr);
            TextFile f;
            AssignFile(f, in);
            Reset(f);
            (void)(t.*read)(f);
            CloseFile(f);
            Exercise(t);
        } catch (const EInOutError&) {
        }
    }
    return 0;
}
