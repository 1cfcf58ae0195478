// Edits of the method grid: variables are recorded at once, a degree below 7
// re-runs an existing estimation, transform check boxes wait for the next run.
#include "state/numbers.h"
#include "window/app.h"

namespace kurvo {

void App::OnSpecCellChanged(int col, int row) {
    if (row < 1 || row > kMaxCombinations) return;
    IGrid& methodGrid = views_.spdSpec;
    switch (col) {
    case kColYVar:
        session_.int_YVar(row) = static_cast<std::int16_t>(methodGrid.SelectedIndex(col, row) + 1);
        break;
    case kColXVar:
        session_.int_XVar(row) = static_cast<std::int16_t>(methodGrid.SelectedIndex(col, row) + 1);
        break;
    case kColDegree:
        try {
            const double degree = NumberOf(methodGrid.Text(col, row));
            if (degree < 7 && session_.int_Estimated) {
                session_.int_Degree(row) = RoundToInt16(degree);
                RunEstimation();
            }
        } catch (const RuntimeError& error) {
            ReportError(error.Description());
        }
        break;
    default:
        break;
    }
}

}  // namespace kurvo
