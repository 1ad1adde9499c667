#include <qyx/QYX_qyxbase.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace qyx;

namespace {

class EQYXProbeError : public EQYXError {
public:
    using EQYXError::EQYXError;
};

std::string TwoDigits(const char* Prefix, int N) {
    return Prefix + std::string(N < 10 ? "0" : "") + std::to_string(N);
}

} // namespace

// ---- message forms ------------------------------------------------------------------------------

TEST(QyxBase, MessageForms) {
    TComponent named(nullptr);
    named.SetName("Grid1");
    TComponent unnamed(nullptr);
    EXPECT_EQ(ComponentMsg(&named, "not enough memory on heap"),
              "Component \"Grid1\": not enough memory on heap");
    EXPECT_EQ(ComponentMsg(&unnamed, "bad"), "Component \"\": bad");
    EXPECT_EQ(ComponentMsg(nullptr, "bad"), "Component \"\": bad");
    EXPECT_EQ(ClassMsg("TStringArray", "failed to initialize (out of memory)"),
              "Class TStringArray: failed to initialize (out of memory)");
    TDTLabel label;
    EXPECT_EQ(ClassMsg(&label, "x"), "Class TDTLabel: x");
    EXPECT_EQ(RoutineMsg("ParseCalibData", "syntax error"), "ParseCalibData: syntax error");
}

TEST(QyxBase, RaiseHelpersThrowTheRequestedClass) {
    TComponent c(nullptr);
    try {
        RaiseComponentError<EQYXProbeError>(&c, "index out of range");
        FAIL();
    } catch (const EQYXProbeError& e) {
        EXPECT_EQ(e.Message(), "Component \"\": index out of range");
    }
    // Every library error is caught as EQYXError, and as the platform's Exception.
    EXPECT_THROW(RaiseClassError<EQYXProbeError>("TX", "t"), EQYXError);
    EXPECT_THROW(RaiseRoutineError("R", "t"), Exception);
    try {
        RaiseError("Cannot acquire CPU information (CPUID not supported)");
    } catch (const EQYXError& e) {
        EXPECT_STREQ(e.what(), "Cannot acquire CPU information (CPUID not supported)");
    }
}

// ---- enumerations and name tables -----------------------------------------------------------------

TEST(QyxBase, NameTablesSpellEveryIdentifier) {
    struct Entry {
        const std::string& Name;
        const char* Identifier;
    };
    // The identifier next to the table entry at the enumerator's own value: a table whose order or
    // spelling differs from the enumeration shows up here.
// clang-format off
#define QYX_NAME(Table, Value) Entry{Table[Value], #Value}
    const Entry entries[] = {
        QYX_NAME(xmlBkgFill, bfSimple), QYX_NAME(xmlBkgFill, bfStretch), QYX_NAME(xmlBkgFill, bfTile),
        QYX_NAME(xmlBoundingBox, bbNone), QYX_NAME(xmlBoundingBox, bbFrame), QYX_NAME(xmlBoundingBox, bbFaces),
        QYX_NAME(xmlColorScheme, csBWG), QYX_NAME(xmlColorScheme, csSystem),
        QYX_NAME(xmlFigType, ftNoFigs), QYX_NAME(xmlFigType, ftNum), QYX_NAME(xmlFigType, ftTime),
        QYX_NAME(xmlFigType, ftDateTime), QYX_NAME(xmlFigType, ftUserText),
        QYX_NAME(xmlScaleType, sctXB), QYX_NAME(xmlScaleType, sctXT), QYX_NAME(xmlScaleType, sctYL),
        QYX_NAME(xmlScaleType, sctYR),
        QYX_NAME(xmlVerticalAlignment, vaTop), QYX_NAME(xmlVerticalAlignment, vaCenter),
        QYX_NAME(xmlVerticalAlignment, vaBottom),
        QYX_NAME(xmlYearLength, ylNone), QYX_NAME(xmlYearLength, ylYY), QYX_NAME(xmlYearLength, ylYYYY),
        QYX_NAME(xmlDateOrder, doMMDDYY), QYX_NAME(xmlDateOrder, doDDMMYY), QYX_NAME(xmlDateOrder, doYYMMDD),
        QYX_NAME(xmlDateForTime, dtNone), QYX_NAME(xmlDateForTime, dtOnePerChart),
        QYX_NAME(xmlDateForTime, dtOnePerDay), QYX_NAME(xmlDateForTime, dtAllTicks),
        QYX_NAME(xmlShadowStyle, ssFlying), QYX_NAME(xmlShadowStyle, ssBox),
        QYX_NAME(xmlFrameStyle, fsNone), QYX_NAME(xmlFrameStyle, fsSimple), QYX_NAME(xmlFrameStyle, fsLowered),
        QYX_NAME(xmlFrameStyle, fsRaised), QYX_NAME(xmlFrameStyle, fsEmbossed),
        QYX_NAME(xmlFrameStyle, fsEngraved),
        QYX_NAME(xmlTimeFormat, tfHHMMSS), QYX_NAME(xmlTimeFormat, tfHHhMM), QYX_NAME(xmlTimeFormat, tfAMPM),
        QYX_NAME(xmlDirection, dirUpward), QYX_NAME(xmlDirection, dirDownward),
        QYX_NAME(xmlDirection, dirLeftward), QYX_NAME(xmlDirection, dirRightward),
        QYX_NAME(xmlCrossHMode, chOff), QYX_NAME(xmlCrossHMode, chHoriz), QYX_NAME(xmlCrossHMode, chVert),
        QYX_NAME(xmlCrossHMode, chBoth),
        QYX_NAME(xmlTxtLblAttachMode, tlamNone), QYX_NAME(xmlTxtLblAttachMode, tlamXOnly),
        QYX_NAME(xmlTxtLblAttachMode, tlamYOnly), QYX_NAME(xmlTxtLblAttachMode, tlamBoth),
        QYX_NAME(xmlTxtLblMode, tlOff), QYX_NAME(xmlTxtLblMode, tlsimple), QYX_NAME(xmlTxtLblMode, tlBox),
        QYX_NAME(xmlTxtLblMode, tlUnderline), QYX_NAME(xmlTxtLblMode, tlShadow),
        QYX_NAME(xmlLanguage, lgUnknown), QYX_NAME(xmlLanguage, lgEnglish), QYX_NAME(xmlLanguage, lgGerman),
        QYX_NAME(xmlLanguage, lgFrench), QYX_NAME(xmlLanguage, lgSpanish),
        QYX_NAME(xmlVarKind, rnum), QYX_NAME(xmlVarKind, dnum), QYX_NAME(xmlVarKind, snum),
        QYX_NAME(xmlVarKind, inum), QYX_NAME(xmlVarKind, lnum), QYX_NAME(xmlVarKind, strg),
        QYX_NAME(xmlMouseBoxState, msNormal), QYX_NAME(xmlMouseBoxState, msFirstCorner),
        QYX_NAME(xmlMouseBoxState, msRectDraw), QYX_NAME(xmlMouseBoxState, msFinished),
        QYX_NAME(xmlMouseActMode, maNone), QYX_NAME(xmlMouseActMode, maPan),
        QYX_NAME(xmlMouseActMode, maPanHoriz), QYX_NAME(xmlMouseActMode, maPanVert),
        QYX_NAME(xmlMouseActMode, maRubberBand), QYX_NAME(xmlMouseActMode, maZoom),
        QYX_NAME(xmlMouseActMode, maZoomWind), QYX_NAME(xmlMouseActMode, maZoomWindPos),
        QYX_NAME(xmlMouseActMode, maZoomDrag), QYX_NAME(xmlMouseActMode, maDragCrossH),
        QYX_NAME(xmlMouseActMode, maDragLabel), QYX_NAME(xmlMouseActMode, maRotate),
        QYX_NAME(xmlMouseActMode, maRotAndZoom), QYX_NAME(xmlMouseActMode, maRotXOnly),
        QYX_NAME(xmlMouseActMode, maRotZOnly),
        QYX_NAME(xmlZoomState, zsNormal), QYX_NAME(xmlZoomState, zsDrawWin),
        QYX_NAME(xmlAlignment, taLeftJustify), QYX_NAME(xmlAlignment, taRightJustify),
        QYX_NAME(xmlAlignment, taCenter),
        QYX_NAME(xmlFontStyle, fsBold), QYX_NAME(xmlFontStyle, fsItalic), QYX_NAME(xmlFontStyle, fsUnderline),
        QYX_NAME(xmlFontStyle, fsStrikeOut),
    };
#undef QYX_NAME
    // clang-format on
    for (const Entry& e : entries) EXPECT_EQ(e.Name, e.Identifier);
    // The one exception.
    EXPECT_EQ(xmlVarKind[Bool], "bool");

    // Together with Bool, the entries above cover every slot of the 23 tables.
    const size_t slots =
        xmlBkgFill.size() + xmlBoundingBox.size() + xmlColorScheme.size() + xmlFigType.size() +
        xmlScaleType.size() + xmlVerticalAlignment.size() + xmlYearLength.size() + xmlDateOrder.size() +
        xmlDateForTime.size() + xmlShadowStyle.size() + xmlFrameStyle.size() + xmlTimeFormat.size() +
        xmlDirection.size() + xmlCrossHMode.size() + xmlTxtLblAttachMode.size() + xmlTxtLblMode.size() +
        xmlLanguage.size() + xmlVarKind.size() + xmlMouseBoxState.size() + xmlMouseActMode.size() +
        xmlZoomState.size() + xmlAlignment.size() + xmlFontStyle.size();
    EXPECT_EQ(slots, std::size(entries) + 1);
}

TEST(QyxBase, EnumerationsAreOneByteWithValuesInOrder) {
    static_assert(sizeof(TFrameStyle) == 1 && sizeof(TMouseActMode) == 1 && sizeof(TDecPSep) == 1);
    static_assert(fsEngraved == 5 && maRotZOnly == 14 && dsBoth == 3 && dfNumeric == 3 && strg == 6);
    static_assert(lgSpanish == 4 && tlShadow == 4 && zsDrawWin == 1);
    SUCCEED();
}

// ---- TDTLabel ------------------------------------------------------------------------------------

TEST(QyxBase, FreshDTLabelIsAllZero) {
    TDTLabel l;
    EXPECT_EQ(l.GetTimeFormat(), tfHHMMSS);
    EXPECT_EQ(l.GetYearLength(), ylNone);
    EXPECT_EQ(l.GetDateOrder(), doMMDDYY);
    EXPECT_EQ(l.GetDateForTime(), dtNone);
    EXPECT_FALSE(l.GetMonthName());
    EXPECT_EQ(l.GetDateSeparator(), '\0');
    EXPECT_EQ(l.GetTimeSeparator(), '\0');
}

TEST(QyxBase, DTLabelNotifications) {
    struct Case {
        const char* Property;
        std::function<void(TDTLabel&)> SetSame;  // assigns the current (initial) value
        std::function<void(TDTLabel&)> SetOther; // assigns a different value
        bool AlwaysFires;
    };
    const Case cases[] = {
        {"TimeFormat", [](TDTLabel& l) { l.SetTimeFormat(tfHHMMSS); },
         [](TDTLabel& l) { l.SetTimeFormat(tfAMPM); }, true},
        {"DateOrder", [](TDTLabel& l) { l.SetDAteOrder(doMMDDYY); },
         [](TDTLabel& l) { l.SetDateOrder(doYYMMDD); }, true},
        {"DateSeparator", [](TDTLabel& l) { l.SetDateSeparator('\0'); },
         [](TDTLabel& l) { l.SetDateSeparator('.'); }, false},
        {"TimeSeparator", [](TDTLabel& l) { l.SetTimeSeparator('\0'); },
         [](TDTLabel& l) { l.SetTimeSeparator(':'); }, false},
        {"YearLength", [](TDTLabel& l) { l.SetYearLength(ylNone); },
         [](TDTLabel& l) { l.SetYearLength(ylYYYY); }, false},
        {"MonthName", [](TDTLabel& l) { l.SetMonthName(false); }, [](TDTLabel& l) { l.SetMonthName(true); },
         false},
        {"DateForTime", [](TDTLabel& l) { l.SetDateForTime(dtNone); },
         [](TDTLabel& l) { l.SetDateForTime(dtAllTicks); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Property);
        TDTLabel l;
        int fired = 0;
        l.OnChange = [&](TObject* Sender) {
            EXPECT_EQ(Sender, &l);
            ++fired;
        };
        c.SetSame(l);
        EXPECT_EQ(fired, c.AlwaysFires ? 1 : 0);
        fired = 0;
        c.SetOther(l);
        EXPECT_EQ(fired, 1);
        fired = 0;
        c.SetOther(l); // the new value again
        EXPECT_EQ(fired, c.AlwaysFires ? 1 : 0);
    }
    // Without a handler the setters still store, and Changed does nothing.
    TDTLabel l;
    l.SetDateSeparator('/');
    l.SetDateOrder(doDDMMYY);
    l.Changed();
    EXPECT_EQ(l.GetDateSeparator(), '/');
    EXPECT_EQ(l.GetDateOrder(), doDDMMYY);
}

// ---- language tables -----------------------------------------------------------------------------

TEST(QyxBase, LanguageTablesAsPrinted) {
    EXPECT_EQ(MonthLong[lgFrench][2], "f\xE9vrier ");
    EXPECT_EQ(MonthLong[lgSpanish][5], "mai");
    EXPECT_EQ(MonthLong[lgGerman][1], "J\xE4nner");
    EXPECT_EQ(MonthShort[lgFrench][12], "d\xE9"
                                        "c");
    EXPECT_EQ(MonthShort[lgEnglish][1], "Jan");
    EXPECT_EQ(WeekDayShort[lgGerman][1], "Mo");
    EXPECT_EQ(WeekDayLong[lgSpanish][3], "mi\xE9rcoles");
    EXPECT_EQ(WeekDayLong[lgEnglish][7], "Sunday");
    EXPECT_EQ(NumWords[lgFrench][1], "celui");
    EXPECT_EQ(NumWords[lgGerman][12], "zw\xF6lf");
    EXPECT_EQ(NumWords[lgEnglish][0], "zero");
    EXPECT_EQ(LanguageID[lgGerman][lgFrench], "franz\xF6sisch");
    EXPECT_EQ(LanguageID[lgSpanish][lgSpanish], "espa\xF1ol");
    EXPECT_EQ(ISO639_2Char[lgGerman], "de");
    EXPECT_EQ(ISO639_3Char[lgFrench], "fre");
    EXPECT_EQ(ISO639_2Char[lgUnknown], "??");
    EXPECT_EQ(ISO639_3Char[lgUnknown], "???");
}

TEST(QyxBase, LanguageTablesPlaceholdersAndLengths) {
    for (int lg = lgUnknown; lg <= lgSpanish; ++lg) {
        SCOPED_TRACE(lg);
        for (int m = 1; m <= 12; ++m) {
            EXPECT_LE(MonthShort[lg][m].size(), 4u);
            EXPECT_LE(MonthLong[lg][m].size(), 10u);
            EXPECT_FALSE(MonthLong[lg][m].empty());
        }
        for (int d = 1; d <= 7; ++d) {
            EXPECT_LE(WeekDayShort[lg][d].size(), 3u);
            EXPECT_LE(WeekDayLong[lg][d].size(), 10u);
            EXPECT_FALSE(WeekDayShort[lg][d].empty());
        }
        for (int n = 0; n <= 12; ++n) {
            EXPECT_LE(NumWords[lg][n].size(), 6u);
            EXPECT_FALSE(NumWords[lg][n].empty());
        }
        for (int named = lgUnknown; named <= lgSpanish; ++named) {
            EXPECT_LE(LanguageID[lg][named].size(), 15u);
            if (lg == lgUnknown || named == lgUnknown) {
                EXPECT_EQ(LanguageID[lg][named], "???");
            }
        }
    }
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(MonthShort[lgUnknown][m], TwoDigits("M", m));
        EXPECT_EQ(MonthLong[lgUnknown][m], TwoDigits("M", m));
    }
    for (int d = 1; d <= 7; ++d) {
        EXPECT_EQ(WeekDayShort[lgUnknown][d], TwoDigits("D", d));
        EXPECT_EQ(WeekDayLong[lgUnknown][d], TwoDigits("D", d));
    }
    for (int n = 0; n <= 12; ++n) EXPECT_EQ(NumWords[lgUnknown][n], TwoDigits("N", n));
}

// ---- globals -------------------------------------------------------------------------------------

TEST(QyxBase, GlobalsAfterStartUp) {
    EXPECT_EQ(ProcStat, 0);
    EXPECT_EQ(MathFeedBackProc, nullptr);
    TRectDouble r;
    EXPECT_EQ(r, (TRectDouble{0, 0, 0, 0}));
    TPDblArray pairs(2);
    EXPECT_EQ(sizeof(pairs[0]), 16u);
}
