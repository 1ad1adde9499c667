// Text-file reader: arbitrary bytes read through a mix of line, character, fixed-count and number
// reads chosen by the input itself. Checks that lines never contain line-end bytes and that reading
// always comes to the end.
#include <qyx/platform/Exceptions.h>
#include <qyx/platform/TextFile.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace qyx;

namespace {

char ScratchName[] = "/tmp/qyx-fuzz-textfile-XXXXXX";

std::string ScratchFile() {
    const int fd = ::mkstemp(ScratchName);
    if (fd < 0) std::abort();
    ::close(fd);
    std::atexit([] { ::unlink(ScratchName); });
    return ScratchName;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    static const std::string name = ScratchFile();
    if (FILE* out = std::fopen(name.c_str(), "wb")) {
        if (Size > 0) std::fwrite(Data, 1, Size, out);
        std::fclose(out);
    } else {
        return 0;
    }
    TextFile f;
    AssignFile(f, name);
    Reset(f);
    std::string s;
    size_t step = 0, budget = 4 * Size + 16;
    try {
        while (!Eof(f)) {
            if (budget-- == 0) std::abort(); // every operation below consumes or ends the file
            const int op = Size > 0 ? Data[step++ % Size] % 8 : 0;
            switch (op) {
            case 0:
            case 1:
                Readln(f, s);
                if (s.find_first_of("\r\n") != std::string::npos) std::abort();
                break;
            case 2: {
                char c;
                Read(f, c);
                break;
            }
            case 3:
                Read(f, s, 3);
                if (s.size() > 3 || s.find_first_of("\r\n") != std::string::npos) std::abort();
                if (s.empty()) Readln(f);
                break;
            case 4:
            case 5: {
                TIOChecksOff off;
                double d;
                Read(f, d);
                IOResult();
                break;
            }
            case 6: {
                int i = 0;
                try {
                    Read(f, i);
                } catch (const EInOutError& e) {
                    if (e.ErrorCode != 106) std::abort();
                }
                break;
            }
            default:
                if (SeekEoln(f))
                    Readln(f);
                else
                    Read(f, s);
                break;
            }
        }
    } catch (const EInOutError&) {
        std::abort(); // nothing but a bad number may fail here
    }
    CloseFile(f);
    return 0;
}
