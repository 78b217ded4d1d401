// The board logic's hot paths: the fit test on every put-down, the solution
// check after it, and setting up a figure on navigation.
#include "game/game.h"

#include <benchmark/benchmark.h>

namespace {

class SilentView : public GameView, public BoardPainter {
  public:
    void DrawTriangle(int, Rgb, Rgb) override {}
    void DrawOutline(int) override {}
    void EnableHelp(bool) override {}
};

// A 20 x 20 square of four 10 x 10 squares with its top-left cell at (35, 20).
FigureRecord Square() {
    FigureRecord f{};
    int t = 0;
    for (int x : {35, 45})
        for (int y : {20, 30}) {
            f[t++] = {static_cast<uint8_t>(x + 7), static_cast<uint8_t>(y + 7), 0};
            f[t++] = {static_cast<uint8_t>(x + 3), static_cast<uint8_t>(y + 3), 8};
        }
    return f;
}

struct Bench {
    SilentView view;
    Game game{view, view};
    Bench() {
        game.random.seed(7);
        game.data.FigureCount = 1;
        game.data.Figures[1] = Square();
        game.data.CurrentFigure = 1;
        SetupFigure(game);
    }
};

void BM_TriangleFits(benchmark::State& state) {
    Bench b;
    int o = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(TriangleFits(b.game.board, 16, 14, o));
        o = (o + 1) & 15;
    }
}
BENCHMARK(BM_TriangleFits);

void BM_CheckSolutionMismatch(benchmark::State& state) {
    Bench b; // triangles at their starting places: the anchor scan and an early mismatch
    for (auto _ : state)
        benchmark::DoNotOptimize(BoardMatchesTarget(b.game.board, b.game.TargetAnchor));
}
BENCHMARK(BM_CheckSolutionMismatch);

void BM_CheckSolutionFullMatch(benchmark::State& state) {
    Bench b;
    for (int t = 1; t <= 8; ++t)
        RemoveTriangle(b.game.board, t);
    for (int t = 1; t <= 8; ++t) {
        b.game.board.Triangles[t] = b.game.data.Figures[1][t - 1];
        AddTriangle(b.game.board, t);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(BoardMatchesTarget(b.game.board, b.game.TargetAnchor));
}
BENCHMARK(BM_CheckSolutionFullMatch);

void BM_SetupFigure(benchmark::State& state) {
    Bench b;
    for (auto _ : state)
        SetupFigure(b.game);
}
BENCHMARK(BM_SetupFigure);

} // namespace
