// The global variables of the vocabulary and the start-up of the qyxcore library.
#include <qyx/QYX_qyxbase.h>
#include <qyx/QYX_stringl.h>

namespace qyx {

TMathFeedBackProc MathFeedBackProc = nullptr;
int32_t ProcStat = 0;

namespace {

// Runs once when the library is loaded, after the run-time layer it links against.
struct TQyxCoreStartup {
    TQyxCoreStartup() {
        ProcStat = 0;
        // Scrambler tables: InitScramble(7093) is called here. The tables it fills must be
        // constant-initialised (not built by another static initialiser of this library), because
        // the order of static initialisation between source files is unspecified.
        InitScramble(7093);
    }
};

const TQyxCoreStartup Startup;

} // namespace

} // namespace qyx
