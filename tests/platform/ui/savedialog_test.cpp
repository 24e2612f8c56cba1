#include "platform/ui/savedialog.h"

#include <gtest/gtest.h>

#include <vector>

#include "sheet/error.h"

namespace lattora {
namespace {

struct FilterCase {
    const char* name;
    const char* kept;
    std::vector<const char*> expected;
};

void PrintTo(const FilterCase& c, std::ostream* os) {
    *os << c.name;
}

class DialogFiltersTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(DialogFiltersTest, ReadsTheKeptText) {
    QStringList expected;
    for (const char* filter : GetParam().expected) {
        expected << QString::fromUtf8(filter);
    }
    EXPECT_EQ(dialogFilters(QString::fromUtf8(GetParam().kept)), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DialogFiltersTest,
    ::testing::Values(
        FilterCase{"DescriptionShowsThePattern", "BMP File (*.bmp)|*.bmp|", {"BMP File (*.bmp)"}},
        FilterCase{"WithoutTrailingSeparator", "BMP File (*.bmp)|*.bmp", {"BMP File (*.bmp)"}},
        FilterCase{"PatternAddedWhenNotShown", "Bitmaps|*.bmp|", {"Bitmaps (*.bmp)"}},
        FilterCase{"SeveralPatterns", "JPEG File|*.jpg;*.jpeg|", {"JPEG File (*.jpg *.jpeg)"}},
        FilterCase{"SeveralPairs",
                   "BMP File (*.bmp)|*.bmp|All Files|*.*|",
                   {"BMP File (*.bmp)", "All Files (*.*)"}},
        FilterCase{"Nothing", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DialogFiltersTest, RefusesADescriptionWithoutPatterns) {
    for (const char* kept :
         {"BMP File (*.bmp)|", "BMP File|*.bmp|PNG File|", "|*.bmp|", "BMP File||"}) {
        SCOPED_TRACE(kept);
        EXPECT_THROW(dialogFilters(QString::fromUtf8(kept)), Error);
    }
}

TEST(DialogFiltersTest, TheKeptBitmapFilterIsTheFirstOfItsKind) {
    // The dialog shows the same text for the kept filter as for the others.
    EXPECT_EQ(dialogFilters(kBmpFilter), QStringList{QStringLiteral("BMP File (*.bmp)")});
    EXPECT_TRUE(kBmpFilter.endsWith(QLatin1Char('|')));
}

}  // namespace
}  // namespace lattora
