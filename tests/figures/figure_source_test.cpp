#include "figures/figure_source.h"

#include "support/figure_files.h"

#include <gtest/gtest.h>

namespace {

const char* const TwoFigures =
    "# header line\n"
    "\n"
    "House: 42 37 0, 38 33 8, 52 37 0, 48 33 8, 47 27 0, 43 23 8, 37 27 0, 53 27 4\n"
    "# a comment between figures\n"
    "Big square :42 27 0,38 23 8,52 27 0,48 23 8,42 37 0,38 33 8,52 37 0,48 33 8\n";

} // namespace

TEST(FigureSource, ReadsNamesPlacementsAndTheHeader) {
    FigureSource source;
    std::string error;
    ASSERT_TRUE(ParseFigureSource(TwoFigures, source, error)) << error;
    EXPECT_EQ(source.Header, "# header line\n\n");
    ASSERT_EQ(source.Figures.size(), 2u);
    EXPECT_EQ(source.Figures[0].Name, "House");
    EXPECT_EQ(source.Figures[0].Line, 3);
    EXPECT_EQ(source.Figures[0].Record[7], (Placement{53, 27, 4}));
    EXPECT_EQ(source.Figures[1].Name, "Big square");
    EXPECT_EQ(source.Figures[1].Record, BigSquare());
}

TEST(FigureSource, WritesWhatItReads) {
    FigureSource source;
    std::string error;
    ASSERT_TRUE(ParseFigureSource(TwoFigures, source, error));
    FigureSource again;
    ASSERT_TRUE(ParseFigureSource(FormatFigureSource(source), again, error)) << error;
    ASSERT_EQ(again.Figures.size(), 2u);
    EXPECT_EQ(again.Header, source.Header);
    EXPECT_EQ(again.Figures[1].Record, source.Figures[1].Record);
    EXPECT_EQ(FormatSourceLine(again.Figures[1]),
              "Big square: 42 27 0, 38 23 8, 52 27 0, 48 23 8, 42 37 0, 38 33 8, 52 37 0, 48 33 8");
}

TEST(FigureSource, NamesTheLineAndTheFaultOfABadEntry) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"# x\nSeven: 1 2 3, 1 2 3, 1 2 3, 1 2 3, 1 2 3, 1 2 3, 1 2 3\n",
         "2: expected eight placements, found 7"},
        {"Big: 1 2 3, 1 2 3, 1 2 3, 1 2 3, 1 2 3, 1 2 3, 1 2 3, 1 2 256\n",
         "1: placement 8 is not three numbers 0..255 ('1 2 256')"},
        {"Odd: 1 2 3, 1 2, 1 2 3, 1 2 3, 1 2 3, 1 2 3, 1 2 3, 1 2 3\n",
         "1: placement 2 is not three numbers 0..255 ('1 2')"},
        {"Four: 1 2 3, 1 2 3, 1 2 3 4, 1 2 3, 1 2 3, 1 2 3, 1 2 3, 1 2 3\n",
         "1: placement 3 is not three numbers 0..255 ('1 2 3 4')"},
        {"Minus: -1 2 3, 1 2 3, 1 2 3, 1 2 3, 1 2 3, 1 2 3, 1 2 3, 1 2 3\n",
         "1: placement 1 is not three numbers 0..255 ('-1 2 3')"},
        {": 1 2 3, 1 2 3, 1 2 3, 1 2 3, 1 2 3, 1 2 3, 1 2 3, 1 2 3\n", "1: the figure has no name"},
        {"\n\nno colon here\n", "3: expected 'Name: col row orient, ...'"},
    };
    for (const auto& c : cases) {
        FigureSource source;
        std::string error;
        EXPECT_FALSE(ParseFigureSource(c.text, source, error)) << c.text;
        EXPECT_EQ(error, c.error);
    }
}
