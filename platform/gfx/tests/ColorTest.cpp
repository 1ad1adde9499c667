// Colours: system colour table, RGB resolution, names and their parsing.
#include <qyx/platform/Color.h>
#include <qyx/platform/Exceptions.h>

#include <gtest/gtest.h>

namespace qyx {
namespace {

TEST(Color, SystemColoursResolveThroughTheClassicTable) {
    EXPECT_EQ(ColorToRGB(clBtnFace), 0xC0C0C0);
    EXPECT_EQ(ColorToRGB(clBtnShadow), 0x808080);
    EXPECT_EQ(ColorToRGB(clBtnHighlight), 0xFFFFFF);
    EXPECT_EQ(ColorToRGB(clWindow), 0xFFFFFF);
    EXPECT_EQ(ColorToRGB(clWindowText), 0x000000);
    EXPECT_EQ(ColorToRGB(clHighlight), 0x800000);
    EXPECT_EQ(ColorToRGB(clHighlightText), 0xFFFFFF);
    EXPECT_EQ(ColorToRGB(clInfoBk), 0xE1FFFF);
    EXPECT_EQ(ColorToRGB(static_cast<TColor>(0x80000000u + 99)), clBlack); // beyond the table
    EXPECT_EQ(GetSysColor(15), 0xC0C0C0);
    EXPECT_EQ(GetSysColor(-1), clBlack);
}

TEST(Color, OtherHighBytesUseTheLowThreeBytes) {
    EXPECT_EQ(ColorToRGB(0x6088FFF0), 0x88FFF0);
    EXPECT_EQ(ColorToRGB(clNone), 0xFFFFFF);
    EXPECT_EQ(ColorToRGB(clDefault), 0x000000);
    EXPECT_EQ(ColorToRGB(0x123456), 0x123456);
    EXPECT_EQ(GetRValue(0x6088FFF0), 0xF0);
    EXPECT_EQ(GetGValue(0x6088FFF0), 0xFF);
    EXPECT_EQ(GetBValue(0x6088FFF0), 0x88);
    EXPECT_EQ(RGB(0xF0, 0xFF, 0x88), 0x88FFF0);
}

TEST(Color, ApplicationsMayOverrideSystemColours) {
    SetSysColor(15, 0x123456);
    EXPECT_EQ(ColorToRGB(clBtnFace), 0x123456);
    SetSysColor(99, 0x123456); // ignored
    ResetSysColors();
    EXPECT_EQ(ColorToRGB(clBtnFace), 0xC0C0C0);
}

TEST(Color, EveryPredefinedColourHasANameThatReadsBack) {
    const TColor predefined[] = {0x000000,
                                 0x000080,
                                 0x008000,
                                 0x008080,
                                 0x800000,
                                 0x800080,
                                 0x808000,
                                 0x808080,
                                 0xC0C0C0,
                                 0x0000FF,
                                 0x00FF00,
                                 0x00FFFF,
                                 0xFF0000,
                                 0xFF00FF,
                                 0xFFFF00,
                                 0xFFFFFF,
                                 0xC0DCC0,
                                 0xF0CAA6,
                                 0xF0FBFF,
                                 0xA4A0A0,
                                 clActiveBorder,
                                 clActiveCaption,
                                 clAppWorkSpace,
                                 clBackground,
                                 clBtnFace,
                                 clBtnHighlight,
                                 clBtnShadow,
                                 clBtnText,
                                 clCaptionText,
                                 clDefault,
                                 clGrayText,
                                 clHighlight,
                                 clHighlightText,
                                 clInactiveBorder,
                                 clInactiveCaption,
                                 clInactiveCaptionText,
                                 clInfoBk,
                                 clInfoText,
                                 clMenu,
                                 clMenuText,
                                 clNone,
                                 clScrollBar,
                                 cl3DDkShadow,
                                 cl3DLight,
                                 clWindow,
                                 clWindowFrame,
                                 clWindowText};
    static_assert(std::size(predefined) == 47);
    for (TColor c : predefined) {
        const std::string name = ColorToString(c);
        SCOPED_TRACE(name);
        EXPECT_EQ(name.substr(0, 2), "cl");
        EXPECT_EQ(StringToColor(name), c);
    }
    EXPECT_EQ(ColorToString(clSilver), "clSilver");
    EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
    EXPECT_EQ(StringToColor("CLBTNFACE"), clBtnFace);
    EXPECT_EQ(StringToColor("clLtGray"), clSilver);
}

TEST(Color, OtherColoursAreWrittenInHex) {
    EXPECT_EQ(ColorToString(0x0088FFF0), "$0088FFF0");
    EXPECT_EQ(ColorToString(0x6088FFF0), "$6088FFF0");
    EXPECT_EQ(StringToColor("$0088FFF0"), 0x0088FFF0);
    EXPECT_EQ(StringToColor("0x10"), 16);
    EXPECT_EQ(StringToColor("255"), 255);
    EXPECT_EQ(StringToColor("-16777201"), -16777201);
    EXPECT_EQ(StringToColor("$80000005"), clWindow);
    for (const char* bad : {"", "clNoSuchColour", "$", "$123456789", "12x", "99999999999"}) {
        SCOPED_TRACE(bad);
        try {
            StringToColor(bad);
            FAIL();
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), std::string("'") + bad + "' is not a valid integer value");
        }
    }
    TColor c = 0;
    std::string ident;
    EXPECT_FALSE(IdentToColor("clWhatever", c));
    EXPECT_FALSE(ColorToIdent(0x010203, ident));
}

} // namespace
} // namespace qyx
