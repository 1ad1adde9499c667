#include "ConvertTestUtil.h"

#include <qyx/platform/DateTime.h>
#include <qyx/platform/Exceptions.h>
#include <qyx/platform/Variant.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace qyx;

namespace {

template <typename F> void ExpectVariantError(F Call, const std::string& Message) {
    try {
        Call();
        ADD_FAILURE() << "no EVariantError, expected: " << Message;
    } catch (const EVariantError& e) {
        EXPECT_EQ(e.Message(), Message);
    }
}

} // namespace

TEST(Variant, TypesAndTexts) {
    const struct {
        TVariant V;
        TVarType Type;
        const char* Text;
    } cases[] = {
        {TVariant(), varEmpty, ""},
        {TVariant::Null(), varNull, ""},
        {TVariant(int8_t{-5}), varShortInt, "-5"},
        {TVariant(uint8_t{200}), varByte, "200"},
        {TVariant(int16_t{-300}), varSmallint, "-300"},
        {TVariant(uint16_t{60000}), varWord, "60000"},
        {TVariant(7), varInteger, "7"},
        {TVariant(4000000000u), varLongWord, "4000000000"},
        {TVariant(INT64_MIN), varInt64, "-9223372036854775808"},
        {TVariant(UINT64_MAX), varUInt64, "18446744073709551615"},
        {TVariant(0.1f), varSingle, "0.1"},
        {TVariant(0.1), varDouble, "0.1"},
        {TVariant(1e20), varDouble, "1E+20"},
        {TVariant(TCurrency::FromScaled(125000)), varCurrency, "12.5"},
        {TVariant(TCurrency::FromScaled(-1)), varCurrency, "-0.0001"},
        {TVariant(TCurrency::FromScaled(30000)), varCurrency, "3"},
        {TVariant(TCurrency::FromScaled(INT64_MIN)), varCurrency, "-922337203685477.5808"},
        {TVariant(true), varBoolean, "True"},
        {TVariant(false), varBoolean, "False"},
        {TVariant::FromDate(EncodeDateTime(2024, 3, 5, 14, 7, 9, 0)), varDate, "2024-03-05 14:07:09"},
        {TVariant::FromDate(EncodeDate(2024, 3, 5)), varDate, "2024-03-05"},
        {TVariant("abc"), varString, "abc"},
        {TVariant('x'), varString, "x"},
        {TVariant(std::string("1,5")), varString, "1,5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(VarType(c.V), c.Type);
        EXPECT_EQ(VarToStr(c.V), c.Text);
    }
    EXPECT_TRUE(VarIsNull(TVariant::Null()));
    EXPECT_TRUE(VarIsEmpty(TVariant()));
    EXPECT_FALSE(VarIsEmpty(TVariant("")));
}

TEST(Variant, TextsFollowTheDecimalSeparator) {
    test::TSeparatorScope comma(',');
    EXPECT_EQ(VarToStr(TVariant(1.5)), "1,5");
    EXPECT_EQ(VarToStr(TVariant(TCurrency::FromScaled(15000))), "1,5");
    EXPECT_EQ(TVariant("2,5").AsDouble(), 2.5);
}

TEST(Variant, NumberConversions) {
    EXPECT_EQ(TVariant("12").AsInteger(), 12);
    EXPECT_EQ(TVariant(" $10").AsInteger(), 16);
    EXPECT_EQ(TVariant("1.5").AsDouble(), 1.5);
    EXPECT_EQ(TVariant("2.5").AsInteger(), 2);
    EXPECT_EQ(TVariant(2.5).AsInteger(), 2);
    EXPECT_EQ(TVariant(3.5).AsInt64(), 4);
    EXPECT_EQ(TVariant().AsInteger(), 0);
    EXPECT_EQ(TVariant(true).AsInteger(), 1);
    EXPECT_EQ(TVariant(uint8_t{200}).AsDouble(), 200);
    EXPECT_EQ(TVariant(TCurrency::FromScaled(123456)).AsDouble(), 12.3456);
    EXPECT_EQ(TVariant(TCurrency::FromScaled(125000)).AsInteger(), 12);
    EXPECT_EQ(TVariant(12).AsCurrency().Scaled, 120000);
    EXPECT_EQ(TVariant(1.23456).AsCurrency().Scaled, 12346);
    EXPECT_EQ(TVariant(INT64_MAX).AsInt64(), INT64_MAX);
    EXPECT_EQ(TVariant::FromDate(1.5).AsDouble(), 1.5);
    EXPECT_EQ(TVariant(36585).AsDate(), 36585.0);
}

TEST(Variant, ImpossibleConversionsRaise) {
    ExpectVariantError([] { TVariant("abc").AsDouble(); },
                       "Could not convert variant of type (String) into type (Double)");
    ExpectVariantError([] { TVariant::Null().AsInteger(); },
                       "Could not convert variant of type (Null) into type (Integer)");
    ExpectVariantError([] { TVariant::Null().AsString(); },
                       "Could not convert variant of type (Null) into type (String)");
    ExpectVariantError([] { TVariant(1e20).AsInt64(); },
                       "Could not convert variant of type (Double) into type (Int64)");
    ExpectVariantError([] { TVariant(std::nan("")).AsInt64(); },
                       "Could not convert variant of type (Double) into type (Int64)");
    ExpectVariantError([] { TVariant(UINT64_MAX).AsInt64(); },
                       "Could not convert variant of type (UInt64) into type (Int64)");
    ExpectVariantError([] { TVariant(4000000000u).AsInteger(); },
                       "Could not convert variant of type (LongWord) into type (Integer)");
    ExpectVariantError([] { TVariant(1e300).AsCurrency(); },
                       "Could not convert variant of type (Double) into type (Currency)");
    ExpectVariantError([] { TVariant("maybe").AsBoolean(); },
                       "Could not convert variant of type (String) into type (Boolean)");
    ExpectVariantError([] { TVariant(true).AsDate(); },
                       "Could not convert variant of type (Boolean) into type (Date)");
    ExpectVariantError([] { TVariant("someday").AsDate(); },
                       "Could not convert variant of type (String) into type (Date)");
}

TEST(Variant, BooleansAndDatesFromText) {
    EXPECT_TRUE(TVariant("TRUE").AsBoolean());
    EXPECT_FALSE(TVariant("false").AsBoolean());
    EXPECT_FALSE(TVariant("0").AsBoolean());
    EXPECT_TRUE(TVariant(-3).AsBoolean());
    EXPECT_FALSE(TVariant().AsBoolean());
    EXPECT_EQ(TVariant("2024-03-05 14:07:09").AsDate(), EncodeDateTime(2024, 3, 5, 14, 7, 9, 0));
}

TEST(Variant, Equality) {
    EXPECT_EQ(TVariant(1), TVariant(1.0));
    EXPECT_EQ(TVariant(int64_t{1}), TVariant(uint8_t{1}));
    EXPECT_EQ(TVariant(TCurrency::FromScaled(15000)), TVariant(1.5));
    EXPECT_EQ(TVariant(), TVariant());
    EXPECT_EQ(TVariant::Null(), TVariant::Null());
    EXPECT_EQ(TVariant(true), TVariant(true));
    EXPECT_EQ(TVariant("a"), TVariant(std::string("a")));
    EXPECT_NE(TVariant(1), TVariant("1"));
    EXPECT_NE(TVariant::Null(), TVariant());
    EXPECT_NE(TVariant(), TVariant(0));
    EXPECT_NE(TVariant(true), TVariant(1));
    EXPECT_NE(TVariant(UINT64_MAX), TVariant(int64_t{-1}));
    EXPECT_NE(TVariant(0.1), TVariant(0.1f));
    EXPECT_NE(TVariant("a"), TVariant("A"));
    const TVariant copy = TVariant("text");
    TVariant other;
    other = copy;
    EXPECT_EQ(other, copy);
}

TEST(Currency, FromRealRoundsToFourDecimals) {
    EXPECT_EQ(TCurrency::FromReal(1.23456).Scaled, 12346);
    EXPECT_EQ(TCurrency::FromReal(-1.23454).Scaled, -12345);
    EXPECT_EQ(TCurrency::FromReal(922337203685477.0).Scaled, 9223372036854770000);
    for (long double bad : {1e15L, -1e15L, std::nanl(""), std::numeric_limits<long double>::infinity()}) {
        TCurrency c = TCurrency::FromScaled(7);
        EXPECT_FALSE(TCurrency::TryFromReal(bad, c));
        EXPECT_EQ(c.Scaled, 7);
    }
    try {
        TCurrency::FromReal(1e15);
        ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'1E+15' is not a valid currency value");
    }
    EXPECT_LT(TCurrency::FromScaled(1), TCurrency::FromScaled(2));
}
