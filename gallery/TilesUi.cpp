// qyxui tiles: the example counter control, the way a newcomer writes a control on the layer.
#include "Gallery.h"

#define QYX_UI_COUNTER_NO_MAIN
#include "ui_counter.cpp"

namespace qyxgallery {

namespace {

using namespace qyx;

TControl* MakeCounter() {
    auto* c = new demo::TCounter(nullptr);
    c->SetBounds(0, 0, 200, 64);
    c->SetColor(RGB(255, 250, 225));
    c->GetFont()->SetName("Arial");
    c->GetFont()->SetSize(16);
    c->GetFont()->SetStyle({fsBold});
    c->SetColorBar(clTeal);
    c->SetValue(40);
    c->SetInterval(1000);
    c->OnDblClick = [c](TObject*) { c->SetAutoCount(!c->GetAutoCount()); };
    return c;
}

const TRegistration counter{
    {"qyxui", "ui_counter",
     "The example counter control: a framed face with its value (43 after a click, the Up key "
     "and a timer tick) and a teal bar showing the last digit",
     MakeCounter,
     [](TControl* C, TTestDriver& D) {
         auto* counter = static_cast<demo::TCounter*>(C);
         D.Click(C, 100, 30); // 41, and the counter takes the focus
         D.PressKey(VK_UP);   // 42
         counter->SetAutoCount(true);
         D.AdvanceTime(1000); // 43
         counter->SetAutoCount(false);
     },
     "click to count, Up/Down keys, double-click to start or stop counting by itself"}};

} // namespace

} // namespace qyxgallery
