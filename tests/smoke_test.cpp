#include <gtest/gtest.h>

#include "workbench.h"

TEST(Smoke, StraightLine) {
    kurvo::test::Workbench wb;
    wb.SetColumn(1, {1, 2, 3, 4, 5});
    wb.SetColumn(2, {2.1, 3.9, 6.2, 7.8, 10.1});
    wb.SetMethod(1, 'B', 'A', 0, 0, 0, 0, "1");
    wb.app.RunEstimation();
    EXPECT_TRUE(wb.dialogs.messages.empty()) << wb.dialogs.messages[0].text;
    EXPECT_NEAR(wb.app.session.dbl_Coeff(1, 0), 0.05, 1e-12);
    EXPECT_NEAR(wb.app.session.dbl_Coeff(1, 1), 1.99, 1e-12);
}
