// The private X server and the helpers of the real-window tests.
#include "QtTestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <qyx/platform/Timers.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qyxtest {

using namespace qyx;

namespace {

bool GHaveDisplay = false;

std::string FindProgram(const char* Name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        const size_t end = dirs.find(':', start);
        const std::string dir =
            dirs.substr(start, end == std::string::npos ? std::string::npos : end - start);
        const std::string full = (dir.empty() ? "." : dir) + "/" + Name;
        if (access(full.c_str(), X_OK) == 0) return full;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return {};
}

/// Starts Xvfb on a display number it picks itself (-displayfd), sets DISPLAY and installs the Qt
/// backend; stops the server at the end of the program.
class TXvfbEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        const std::string xvfb = FindProgram("Xvfb");
        if (xvfb.empty()) return;
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        FPid = fork();
        ASSERT_GE(FPid, 0);
        if (FPid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            execl(xvfb.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0",
                  "1280x1024x24", "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        pollfd p{fds[0], POLLIN, 0};
        while (number.find('\n') == std::string::npos) {
            if (poll(&p, 1, 30000) <= 0) break;
            char buf[32];
            const ssize_t n = read(fds[0], buf, sizeof buf);
            if (n <= 0) break;
            number.append(buf, static_cast<size_t>(n));
        }
        close(fds[0]);
        ASSERT_NE(number.find('\n'), std::string::npos) << "Xvfb did not report its display";
        number.erase(number.find('\n'));
        const std::string display = ":" + number;
        setenv("DISPLAY", display.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("XAUTHORITY");
        GHaveDisplay = true;
        InstallQtBackend();
    }
    void TearDown() override {
        if (FPid <= 0) return;
        kill(FPid, SIGTERM);
        int status = 0;
        waitpid(FPid, &status, 0);
    }

private:
    pid_t FPid = -1;
};

[[maybe_unused]] auto* const GEnvironment = ::testing::AddGlobalTestEnvironment(new TXvfbEnvironment);

std::string MouseName(TMouseButton B) {
    return std::to_string(static_cast<int>(B));
}

} // namespace

bool HaveDisplay() {
    return GHaveDisplay;
}

bool XDoTool(const std::string& Args) {
    const std::string tool = FindProgram("xdotool");
    if (tool.empty()) {
        ADD_FAILURE() << "xdotool is not installed (scripts/deps installs it)";
        return false;
    }
    const std::string cmd = tool + " " + Args;
    return std::system(cmd.c_str()) == 0;
}

std::string WindowId(QWidget* Widget) {
    return std::to_string(static_cast<unsigned long long>(Widget->window()->winId()));
}

bool WaitExposed(QWidget* Widget, int TimeoutMs) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < TimeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QWindow* w = Widget->window()->windowHandle();
        if (w != nullptr && w->isExposed()) {
            QCoreApplication::processEvents();
            return true;
        }
    }
    return false;
}

bool RunLayerLoopUntil(const std::function<bool()>& Done, int TimeoutMs) {
    QElapsedTimer t;
    t.start();
    // A timer of the layer makes sure the loop wakes up to look at the clock.
    TTimer tick(nullptr);
    tick.SetInterval(25);
    tick.OnTimer = [](TObject*) {};
    Application()->RunUntil([&] { return Done() || t.elapsed() > TimeoutMs; });
    return Done();
}

bool RunQtLoopUntil(const std::function<bool()>& Done, int TimeoutMs) {
    QEventLoop loop;
    QTimer check;
    QElapsedTimer t;
    t.start();
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (Done() || t.elapsed() > TimeoutMs) loop.quit();
    });
    check.start(10);
    if (!Done()) loop.exec();
    return Done();
}

// ---- Probes ---------------------------------------------------------------------------------------

TProbe::TProbe(TComponent* AOwner, TColor Fill) : TCustomControl(AOwner), FFill(Fill) {
    SetBounds(0, 0, 160, 60);
    SetTabStop(true);
}

std::vector<std::string> TProbe::Lines(const std::string& Prefix) const {
    std::vector<std::string> out;
    for (const std::string& l : Log)
        if (l.rfind(Prefix, 0) == 0) out.push_back(l);
    return out;
}

void TProbe::Paint() {
    TCanvas* c = GetCanvas();
    c->GetBrush()->SetColor(FFill);
    c->FillRect({0, 0, GetWidth(), GetHeight()});
}

void TProbe::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    Log.push_back("down " + MouseName(Button) + " " + std::to_string(X) + " " + std::to_string(Y) +
                  (Shift.Contains(ssDouble) ? " double" : ""));
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TProbe::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    Log.push_back("up " + MouseName(Button) + " " + std::to_string(X) + " " + std::to_string(Y));
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TProbe::Click() {
    Log.push_back("click");
    if (CanFocus()) SetFocus();
    TCustomControl::Click();
}

void TProbe::DblClick() {
    Log.push_back("dblclick");
    TCustomControl::DblClick();
}

void TProbe::KeyDown(uint16_t& Key, TShiftState Shift) {
    Log.push_back("keydown " + std::to_string(Key) + (Shift.Contains(ssShift) ? " shift" : "") +
                  (Shift.Contains(ssCtrl) ? " ctrl" : ""));
    TCustomControl::KeyDown(Key, Shift);
}

void TProbe::KeyPress(char& Key) {
    Log.push_back("char " + std::to_string(static_cast<uint8_t>(Key)));
    TCustomControl::KeyPress(Key);
}

bool TProbe::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    Log.push_back("wheel " + std::to_string(WheelDelta));
    return TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos);
}

TGraphicProbe::TGraphicProbe(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 120, 40);
}

void TGraphicProbe::Paint() {
    TCanvas* c = GetCanvas();
    c->GetBrush()->SetColor(clFuchsia);
    c->FillRect({0, 0, GetWidth(), GetHeight()});
}

void TGraphicProbe::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    Log.push_back("down " + MouseName(Button) + " " + std::to_string(X) + " " + std::to_string(Y));
    TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TGraphicProbe::Click() {
    Log.push_back("click");
    TGraphicControl::Click();
}

} // namespace qyxtest

// Qt, fontconfig and the X libraries keep allocations for the life of the process; the leak checker
// of sanitizer builds should not count them.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libQt6\nleak:libfontconfig\nleak:libxcb\nleak:libX11\nleak:libglib\nleak:libgobject\nleak:"
           "libdbus\n";
}
