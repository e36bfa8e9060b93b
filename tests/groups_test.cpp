// Groups by the leading integers of the labels; the reference runs pin the
// lookups of their own age, sentence and jail labels.
#include "input/groups.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

namespace kov {
namespace {

TEST(Groups, CategoriesFromTheLeadingIntegersOfTheLabels) {
    const struct {
        const char* what;
        int count;
        std::vector<const char*> labels;
        std::vector<std::pair<int, int>> lookups; ///< value, category
    } cases[] = {
        {"label k holds the lower bound of category k + 1; the last text is never read",
         3, {"0", "18", "99"}, {{5, 1}, {0, 1}, {18, 2}, {40, 2}, {99, 2}, {-1, 3}}},
        // Small values are looked up in a table made once: thresholds inside and past it agree with comparing.
        {"thresholds either side of the small-value table", 5, {"0", "100", "255", "300", "x"},
         {{0, 1}, {99, 1}, {100, 2}, {254, 2}, {255, 3}, {256, 3}, {299, 3}, {300, 4}, {INT_MAX, 4}, {-1, 5}, {INT_MIN, 5}}},
        {"no leading number reads as 0, leading blanks are skipped", 3, {"x", "  7 days", "rest"},
         {{7, 2}, {6, 1}, {0, 1}, {-6, 3}}},
        {"one label, one category", 1, {"50"}, {{0, 1}, {100, 1}}},
        {"no labels", 0, {}, {{5, 0}}},
        {"a count beyond the labels reads the missing texts as 0, never past the list", 3, {"10"}, {{5, 2}, {-5, 3}}},
    };
    for (const auto& c : cases) {
        std::vector<LabelEntry> labels;
        for (const char* t : c.labels) labels.push_back({t, 1.0});
        const Groups g(c.count, labels);
        labels.clear(); // the groups keep no reference to the labels
        const Groups copy = g;
        EXPECT_EQ(g.count(), c.count) << c.what;
        for (const auto& [x, category] : c.lookups) {
            EXPECT_EQ(g.lookup(x), category) << c.what << ": " << x;
            EXPECT_EQ(copy.lookup(x), category) << c.what << ": " << x << " in a copy";
        }
    }
    EXPECT_EQ(Groups().lookup(5), 0);
}

} // namespace
} // namespace kov
