// Constants of QYX_univconst.
#include <qyx/QYX_univconst.h>

#include <gtest/gtest.h>

#include <cfloat>

using namespace qyx;

TEST(UnivConst, MaxDoubleIsTheDoubleNearest1Point7E308) {
    static_assert(sizeof(uc_MaxDouble) == sizeof(long double));
    EXPECT_EQ(uc_MaxDouble, static_cast<long double>(1.7e308));
    EXPECT_NE(uc_MaxDouble, 1.7e308L); // not the extended value nearest 1.7E308
    EXPECT_LT(uc_MaxDouble, static_cast<long double>(DBL_MAX));
    EXPECT_EQ(static_cast<double>(uc_MaxDouble), 1.7e308);
    // 1.6999999999999999388E+308
    EXPECT_NEAR(static_cast<double>(uc_MaxDouble / 1e308L), 1.6999999999999999388, 1e-15);
    EXPECT_LT(uc_MaxDouble, 1.7e308L);
    // A reader limiting to it turns 1.75E308 into 1.7E308.
    EXPECT_EQ(std::min(1.75e308L, uc_MaxDouble), static_cast<long double>(1.7e308));
}
