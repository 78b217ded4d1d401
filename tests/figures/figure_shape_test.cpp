#include "figures/figure_shape.h"

#include "support/figure_files.h"

#include <gtest/gtest.h>

TEST(FigureShape, BigSquareIsFourHundredWholeCellsInScanOrder) {
    const std::vector<FigureCell> cells = FigureCells(TargetGrid(BigSquare()));
    ASSERT_EQ(cells.size(), 400u);
    EXPECT_EQ(cells.front(), (FigureCell{35, 20, 64}));
    EXPECT_EQ(cells[20], (FigureCell{35, 21, 64})); // the second row starts after the first
    for (const FigureCell& c : cells)
        EXPECT_EQ(c.Value, 64);
    const CellBox box = BoundingBox(cells);
    EXPECT_EQ(box.MinCol, 35);
    EXPECT_EQ(box.MaxCol, 54);
    EXPECT_EQ(box.MinRow, 20);
    EXPECT_EQ(box.MaxRow, 39);
}

TEST(FigureShape, RegionsAreCountedThroughCellSidesOnly) {
    std::vector<Placement> apart;
    AddSquare(apart, 20, 20);
    AddSquare(apart, 40, 20);
    AddSquare(apart, 60, 20);
    AddSquare(apart, 60, 30);
    EXPECT_EQ(RegionCount(FigureCells(TargetGrid(ToRecord(apart)))), 3);
    EXPECT_EQ(RegionCount(FigureCells(TargetGrid(SoundHouse()))), 1);

    // Squares that meet at a corner only are two regions.
    std::vector<Placement> corner;
    AddSquare(corner, 30, 20);
    AddSquare(corner, 40, 30);
    AddSquare(corner, 30, 40);
    AddSquare(corner, 40, 50);
    EXPECT_EQ(RegionCount(FigureCells(TargetGrid(ToRecord(corner)))), 4);
}

TEST(FigureShape, ShiftedFigureHasTheSameShapeKey) {
    FigureRecord moved = SoundHouse();
    ASSERT_TRUE(ShiftRecord(moved, 7, -3));
    EXPECT_NE(TargetGrid(moved), TargetGrid(SoundHouse()));
    EXPECT_EQ(ShapeKeyOf(moved), ShapeKeyOf(SoundHouse()));
    EXPECT_NE(ShapeKeyOf(BigSquare()), ShapeKeyOf(SoundHouse()));
}

TEST(FigureShape, ShiftRefusesToLeaveTheBoard) {
    FigureRecord figure = BigSquare();
    EXPECT_FALSE(ShiftRecord(figure, -40, 0));
    EXPECT_EQ(figure, BigSquare());
}

TEST(FigureShape, LayingOrderPassesTheFitTestOrIsNone) {
    const FigureRecord house = SoundHouse();
    const auto order = LayingOrder(house);
    ASSERT_TRUE(order.has_value());
    BoardState state;
    for (int t : *order) {
        const Placement& p = house[t];
        ASSERT_TRUE(TriangleFits(state, p.Col, p.Row, p.Orient));
        StampPlacement(state.Board, p);
    }

    FigureRecord stacked = BigSquare();
    stacked[1] = stacked[0]; // the same triangle twice can never be put down
    EXPECT_FALSE(LayingOrder(stacked).has_value());
}

TEST(FigureShape, MirrorSymmetryIsFoundOnAnyOfTheFourLines) {
    EXPECT_TRUE(IsMirrorSymmetric(SoundHouse())); // left and right
    EXPECT_TRUE(IsMirrorSymmetric(BigSquare()));

    // An L of four squares has no mirror line at all.
    std::vector<Placement> l;
    AddSquare(l, 40, 10);
    AddSquare(l, 40, 20);
    AddSquare(l, 40, 30);
    AddSquare(l, 50, 30);
    EXPECT_FALSE(IsMirrorSymmetric(ToRecord(l)));

    // Three squares in an L with a half square at each end: symmetric about the
    // diagonal through the L's corner, and about no other line.
    std::vector<Placement> p;
    AddSquare(p, 30, 10);
    AddSquare(p, 40, 10);
    AddSquare(p, 30, 20);
    p.push_back({53, 17, 4});  // right angle at (50, 20)
    p.push_back({37, 33, 12}); // right angle at (40, 30)
    const FigureRecord diagonal = ToRecord(p);
    const Grid grid = TargetGrid(diagonal);
    EXPECT_TRUE(IsMirrorSymmetric(diagonal));
    EXPECT_NE(TargetGrid(*Reflected(diagonal, MirrorLine::Vertical)), grid);
    EXPECT_NE(TargetGrid(*Reflected(diagonal, MirrorLine::Horizontal)), grid);
    EXPECT_EQ(TargetGrid(*Reflected(diagonal, MirrorLine::Diagonal)), grid);
    EXPECT_FALSE(Reflected(SoundHouse(), MirrorLine::Diagonal).has_value()); // box not square
}

TEST(FigureShape, CentringPutsTheBoxMiddleOnTheBoardMiddle) {
    FigureRecord figure = BigSquare();
    ASSERT_TRUE(ShiftRecord(figure, -15, 8));
    ASSERT_TRUE(CentreFigure(figure));
    EXPECT_EQ(figure, BigSquare());
}
