// Timers on the steppable clock: periods, restarts, refusals, merged ticks, exceptions, and controls
// that repaint on a tick.
#include "UiTestSupport.h"

using namespace qyx;
using namespace qyx::test;

namespace {

class TimerTest : public UiTest {
protected:
    void TearDown() override {
        if (Window != 0) DeallocateHWnd(Window);
        UiTest::TearDown();
    }
    /// A private window that records the clock time of each tick of each timer.
    HWND Ticking() {
        Window = AllocateHWnd([this](TMessage& M) {
            if (M.Msg == WM_TIMER) Ticks.emplace_back(M.WParam, Driver.Now() - Start);
        });
        return Window;
    }
    HWND Window = 0;
    uint64_t Start = Driver.Now();
    std::vector<std::pair<uintptr_t, uint64_t>> Ticks;
};

/// A control with a blinking marker: a timer on a private window toggles it and repaints at once.
class TBlinker : public TGraphicControl {
public:
    explicit TBlinker(TComponent* AOwner) : TGraphicControl(AOwner) {
        SetBounds(0, 0, 8, 8);
        FWindow = AllocateHWnd([this](TMessage& M) {
            if (M.Msg != WM_TIMER) return;
            On = !On;
            Paint();
            if (FailNext) {
                FailNext = false;
                throw EInvalidOperation("tick failed");
            }
        });
        if (SetTimer(FWindow, 1, 500) == 0) {
            DeallocateHWnd(FWindow);
            throw EOutOfResources("no timer available");
        }
    }
    ~TBlinker() override { DeallocateHWnd(FWindow); }
    void Paint() override {
        GetCanvas()->GetBrush()->SetColor(On ? clBlack : clWhite);
        GetCanvas()->FillRect({0, 0, 8, 8});
    }
    bool On = false;
    bool FailNext = false;

private:
    HWND FWindow = 0;
};

} // namespace

TEST_F(TimerTest, TicksFollowThePeriodOnTheSteppedClock) {
    const HWND w = Ticking();
    ASSERT_EQ(SetTimer(w, 7, 300), 7u);
    ASSERT_EQ(SetTimer(w, 8, 500), 8u);
    Driver.AdvanceTime(299);
    EXPECT_TRUE(Ticks.empty());
    Driver.AdvanceTime(1201); // to 1500
    using T = std::vector<std::pair<uintptr_t, uint64_t>>;
    EXPECT_EQ(Ticks, (T{{7, 300}, {8, 500}, {7, 600}, {7, 900}, {8, 1000}, {7, 1200}, {7, 1500}, {8, 1500}}));
}

TEST_F(TimerTest, RestartKillAndMinimumPeriod) {
    const HWND w = Ticking();
    SetTimer(w, 1, 100);
    Driver.AdvanceTime(50);
    SetTimer(w, 1, 100); // restarts from now
    Driver.AdvanceTime(99);
    EXPECT_TRUE(Ticks.empty());
    Driver.AdvanceTime(1);
    EXPECT_EQ(Ticks.size(), 1u);
    EXPECT_TRUE(KillTimer(w, 1));
    EXPECT_FALSE(KillTimer(w, 1));
    Driver.AdvanceTime(1000);
    EXPECT_EQ(Ticks.size(), 1u);
    Ticks.clear();
    SetTimer(w, 2, 0); // runs at 10 ms
    Driver.AdvanceTime(30);
    EXPECT_EQ(Ticks.size(), 3u);
}

TEST_F(TimerTest, RefusedStartsAreReported) {
    const HWND w = Ticking();
    EXPECT_EQ(SetTimer(0, 1, 100), 0u); // no such window
    EXPECT_EQ(SetTimer(w + 1000, 1, 100), 0u);
    EXPECT_EQ(SetTimer(w, 0, 100), 0u); // no timer number
    SetTimerRequestHook([](HWND, uintptr_t, uint32_t) { return false; });
    EXPECT_EQ(SetTimer(w, 1, 100), 0u);
    EXPECT_THROW(TBlinker(nullptr), EOutOfResources);
    TTimer* timer = nullptr;
    EXPECT_THROW(timer = new TTimer(nullptr), EOutOfResources);
    EXPECT_EQ(timer, nullptr);
    SetTimerRequestHook(nullptr);
    EXPECT_EQ(SetTimer(w, 1, 100), 1u);
}

TEST_F(TimerTest, TicksMissedWhileTheLoopWasBusyMergeIntoOne) {
    const HWND w = Ticking();
    SetTimer(w, 1, 100);
    static_cast<TManualClock*>(Application()->GetClock())->Advance(450);
    Driver.ProcessMessages();
    Driver.ProcessMessages();
    ASSERT_EQ(Ticks.size(), 1u);
    Driver.AdvanceTime(49); // next due at 500
    EXPECT_EQ(Ticks.size(), 1u);
    Driver.AdvanceTime(1);
    EXPECT_EQ(Ticks.size(), 2u);
}

TEST_F(TimerTest, TickRepaintsAndAnExceptionGoesToTheHandlerWhileTheTimerRuns) {
    TBlinker blinker(nullptr);
    std::vector<std::string> caught;
    Application()->OnException = [&](TObject*, Exception* E) { caught.push_back(E->Message()); };
    Driver.ProcessMessages();
    EXPECT_EQ(Driver.Pixel(&blinker, 4, 4), clWhite);
    Driver.AdvanceTime(500);
    EXPECT_EQ(Driver.Pixel(&blinker, 4, 4), clBlack);
    blinker.FailNext = true;
    Driver.AdvanceTime(500);
    EXPECT_EQ(caught, std::vector<std::string>{"tick failed"});
    EXPECT_EQ(Driver.Pixel(&blinker, 4, 4), clWhite);
    Driver.AdvanceTime(500); // the loop and the timer go on
    EXPECT_EQ(Driver.Pixel(&blinker, 4, 4), clBlack);
}

TEST_F(TimerTest, NestedLoopRunsTimersOnTheSteppedClock) {
    // A loop waiting for a condition that a timer brings about: the idle loop moves the manual clock
    // on to the next due timer instead of waiting.
    const HWND w = Ticking();
    SetTimer(w, 3, 250);
    Application()->RunUntil([this] { return Ticks.size() == 4; });
    EXPECT_EQ(Ticks.back().second, 1000u);
}

TEST_F(TimerTest, TimerComponent) {
    TTimer timer(nullptr);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) { ++ticks; };
    EXPECT_TRUE(timer.GetEnabled());
    EXPECT_EQ(timer.GetInterval(), 1000u);
    Driver.AdvanceTime(3000);
    EXPECT_EQ(ticks, 3);
    timer.SetInterval(100); // restarts
    Driver.AdvanceTime(250);
    EXPECT_EQ(ticks, 5);
    timer.SetEnabled(false);
    Driver.AdvanceTime(1000);
    EXPECT_EQ(ticks, 5);
    timer.SetInterval(0);
    timer.SetEnabled(true); // interval 0: does not run
    Driver.AdvanceTime(1000);
    EXPECT_EQ(ticks, 5);
}

TEST_F(TimerTest, WindowsReleaseTheirTimers) {
    uint64_t due = 0;
    {
        TPad pad(nullptr);
        ASSERT_EQ(SetTimer(pad.GetHandle(), 1, 100), 1u);
        EXPECT_TRUE(Application()->GetNextTimerDue(due));
    }
    EXPECT_FALSE(Application()->GetNextTimerDue(due));
    const HWND w = Ticking();
    SetTimer(w, 1, 100);
    DeallocateHWnd(w);
    Window = 0;
    EXPECT_FALSE(Application()->GetNextTimerDue(due));
}
