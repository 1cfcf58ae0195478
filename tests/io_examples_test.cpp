// The built-in examples: their tables, method rows and session settings.
#include "io_support.h"
#include "state/numbers.h"

namespace kurvo::test {
namespace {

struct ExampleRow {
    int number;
    const char* title;
    std::vector<std::string> titles;
    int samples, combinations;
    std::vector<std::string> lastRow;     // the data grid's last sample row
    std::vector<std::string> firstMethod;  // method grid row 1, columns 1..7
};

TEST(Examples, LoadTheirTablesAndMethods) {
    const ExampleRow rows[] = {
        {1, "例題－１", {"X-1", "Y-1(1)", "Y-1(2)"}, 10, 2, {"100", "50", "0.02"}, {"Y-1(1)", "0", "0", "X-1", "0", "0", "3"}},
        {2, "例題－２", {"X-2", "Y-2(1)"}, 8, 1, {"8", "162"}, {"Y-2(1)", "0", "0", "X-2", "0", "0", "5"}},
        {3, "例題－３", {"X-3", "Y-3(1)", "Y-3(2)", "Y-3(3)", "Y-3(4)"}, 5, 4, {"64.51", "760", "7", "7200", "760000"},
         {"Y-3(1)", "1", "0", "X-3", "0", "0", "2"}},
        {4, "例題－４", {"X-4", "Y-4(1)"}, 7, 1, {"300", "9000"}, {"Y-4(1)", "1", "0", "X-4", "1", "0", "2"}},
    };
    for (const ExampleRow& row : rows) {
        Workbench wb;
        wb.app.LoadExample(1 + row.number % 4);  // something else first: nothing of it may stay
        wb.app.LoadExample(row.number);
        const Session& s = wb.app.session;
        const int m = static_cast<int>(row.titles.size());
        SCOPED_TRACE(row.title);
        EXPECT_EQ(s.str_Title, row.title);
        EXPECT_EQ(s.int_DataCount, row.samples);
        EXPECT_EQ(s.int_VarCount, m);
        EXPECT_EQ(s.int_CombCount, row.combinations);
        for (int i = 1; i <= 5; ++i) {
            EXPECT_EQ(wb.data.Text(i, 0), i <= m ? row.titles[static_cast<std::size_t>(i - 1)] : std::string(1, char(64 + i)));
            EXPECT_EQ(wb.data.Text(i, row.samples), i <= m ? row.lastRow[static_cast<std::size_t>(i - 1)] : "");
            EXPECT_EQ(wb.data.Text(i, row.samples + 1), "");
        }
        for (int col = 1; col <= 7; ++col) EXPECT_EQ(wb.methodGrid.Text(col, 1), row.firstMethod[static_cast<std::size_t>(col - 1)]);
        for (int c = 1; c <= 4; ++c) {
            EXPECT_EQ(wb.methodGrid.Items(1, c), SplitItems(VariableList(s, m)));
            EXPECT_EQ(wb.methodGrid.FreeText(1, c), false);
            EXPECT_EQ(wb.methodGrid.Text(1, c), c <= row.combinations ? row.titles[static_cast<std::size_t>(c)] : "");
            if (c > row.combinations) {
                EXPECT_EQ(wb.methodGrid.Text(7, c), "2");
            }
            EXPECT_EQ(s.int_XVar(c), 1);
            EXPECT_EQ(s.int_YVar(c), c + 1);
        }
        for (int c = row.combinations + 1; c <= 5; ++c) {
            EXPECT_EQ(s.int_Degree(c), 2);
            EXPECT_EQ(s.int_YLog(c) | s.int_YRecip(c) | s.int_XLog(c) | s.int_XRecip(c), 0);
        }
        EXPECT_EQ(s.int_Estimated, kFalse);
        EXPECT_EQ(wb.est0, MakeEstimateGrid(0));
    }
}

TEST(Examples, ColumnCOfExample1IsTheExactQuotient) {
    Workbench wb;
    wb.app.LoadExample(1);
    const double b[] = {5, 12, 18, 25, 50, 80, 90, 80, 70, 50};
    for (int r = 1; r <= 10; ++r) {
        EXPECT_EQ(wb.app.session.dbl_YData(r, 2), 1.0 / b[r - 1]);
        EXPECT_EQ(wb.data.Text(3, r), FormatGeneral(1.0 / b[r - 1]));
    }
    EXPECT_EQ(wb.data.Text(3, 6), wb.data.Text(3, 8));
    EXPECT_EQ(wb.methodGrid.Text(3, 2), "1");  // combination 2 fits the reciprocal
}

}  // namespace
}  // namespace kurvo::test
