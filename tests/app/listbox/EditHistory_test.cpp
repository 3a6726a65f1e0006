#include "EditHistory.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velkrant {
namespace {

using test::PrintTo;

struct BudgetCase {
    const char* name;
    std::size_t budget;
    std::vector<std::size_t> replaced;  // units each recorded step replaced
    int undoable;
};

class EditHistoryBudgetTest : public testing::TestWithParam<BudgetCase> {};

// The history keeps what its steps replaced up to its budget, dropping the
// oldest steps first, but always keeps the last one.
TEST_P(EditHistoryBudgetTest, OldestStepsGoBeyondTheBudget) {
    const BudgetCase& c = GetParam();
    EditHistory history(c.budget);
    std::size_t at = 0;
    for (const std::size_t units : c.replaced) {
        history.Record({at, std::u16string(units, u'x'), 1}, EditHistory::Kind::Other);
        at += 10;
    }
    int undone = 0;
    std::vector<std::size_t> order;
    while (history.Undo([&](Edit& edit) { order.push_back(edit.at); })) ++undone;
    EXPECT_EQ(undone, c.undoable);
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(order[i], (c.replaced.size() - 1 - i) * 10) << "undone newest first";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, EditHistoryBudgetTest,
    testing::Values(BudgetCase{"AllWithinBudget", 100, {30, 30, 40}, 3},
                    BudgetCase{"OldestDroppedBeyondBudget", 100, {60, 30, 40}, 2},
                    BudgetCase{"LastKeptEvenAboveBudget", 100, {10, 500}, 1},
                    BudgetCase{"EmptyStepsCostNothing", 10, {0, 0, 0, 0, 10}, 5}),
    test::RowName);

}  // namespace
}  // namespace velkrant
