// What the shared vocabulary of qyxcore holds: the language tables, the XML names of an enumeration,
// the date/time label settings and the four forms of error messages.
//
// Texts in the libraries are code page 1252; they are converted to UTF-8 only for the terminal.
#include <qyx/QYX_qyxbase.h>
#include <qyx/platform/CodePage.h>

#include <cstdio>
#include <string>

using namespace qyx;

namespace {

void Print(const std::string& Cp1252Text) {
    std::printf("%s", Cp1252ToUtf8(Cp1252Text).c_str());
}

std::string Pad(const std::string& S, size_t Width) {
    return S.size() >= Width ? S : S + std::string(Width - S.size(), ' ');
}

void PrintLanguageTables() {
    for (int lg = lgEnglish; lg <= lgSpanish; ++lg) {
        // LanguageID[written in][named]: the language's own name, then its English name.
        Print("\n== " + LanguageID[lg][lg] + " / " + LanguageID[lgEnglish][lg] + " (ISO 639: " +
              ISO639_2Char[lg] + ", " + ISO639_3Char[lg] + "; XML name " + xmlLanguage[lg] + ") ==\n");
        Print("months:   ");
        for (int m = 1; m <= 12; ++m) Print("[" + MonthLong[lg][m] + "] ");
        Print("\nshort:    ");
        for (int m = 1; m <= 12; ++m) Print(Pad(MonthShort[lg][m], 5));
        Print("\nweekdays: ");
        for (int d = 1; d <= 7; ++d) Print(WeekDayLong[lg][d] + " (" + WeekDayShort[lg][d] + ") ");
        Print("\nnumbers:  ");
        for (int n = 0; n <= 12; ++n) Print(NumWords[lg][n] + " ");
        Print("\n");
    }
    Print("\nNeutral placeholders for lgUnknown: " + MonthShort[lgUnknown][1] + ".." +
          MonthShort[lgUnknown][12] + ", " + WeekDayShort[lgUnknown][1] + ".." + WeekDayShort[lgUnknown][7] +
          ", " + NumWords[lgUnknown][0] + ".." + NumWords[lgUnknown][12] + ", " +
          LanguageID[lgUnknown][lgEnglish] + ", " + ISO639_2Char[lgUnknown] + "\n");
    Print("(The brackets show the stored texts exactly: the French February keeps its trailing blank.)\n");
}

void PrintNames() {
    Print("\nXML names of TFrameStyle: ");
    for (const std::string& name : xmlFrameStyle) Print(name + " ");
    Print("\nXML names of TVarKind:    ");
    for (const std::string& name : xmlVarKind) Print(name + " ");
    Print("\n");
}

void ShowDateTimeLabel() {
    TDTLabel settings;
    int changes = 0;
    settings.OnChange = [&changes](TObject*) { ++changes; };
    settings.SetDateSeparator('.');
    settings.SetDateSeparator('.'); // unchanged: no notification
    settings.SetDateOrder(doDDMMYY);
    settings.SetDateOrder(doDDMMYY); // DateOrder notifies on every assignment
    std::printf("\nTDTLabel: four assignments, %d change notifications\n", changes);
}

void ShowMessageForms() {
    TComponent grid(nullptr);
    grid.SetName("Grid1");
    TComponent unnamed(nullptr);
    Print("\nThe four message forms:\n");
    try {
        RaiseComponentError(&grid, "not enough memory on heap");
    } catch (const EQYXError& e) {
        Print("  component: " + e.Message() + "\n");
    }
    Print("  unnamed:   " + ComponentMsg(&unnamed, "index out of range") + "\n");
    Print("  class:     " + ClassMsg("TStringArray", "failed to initialize (out of memory)") + "\n");
    Print("  routine:   " + RoutineMsg("ParseCalibData", "unexpected end of data") + "\n");
    try {
        RaiseError("Cannot acquire CPU information (CPUID not supported)");
    } catch (const Exception& e) {
        Print("  plain:     " + e.Message() + "\n");
    }
}

} // namespace

int main() {
    std::printf("qyxcore vocabulary (ProcStat = %d after start-up)\n", ProcStat);
    PrintLanguageTables();
    PrintNames();
    ShowDateTimeLabel();
    ShowMessageForms();
    return 0;
}
