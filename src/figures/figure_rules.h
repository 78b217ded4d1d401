#pragma once

#include "figures/figure_shape.h"
#include "figures/region_search.h"
#include "game/data.h"

#include <array>
#include <map>
#include <span>
#include <string>
#include <vector>

// The rules every figure of the shipped collection passes:
//  1 every placement is on the board with an orientation 0..15;
//  2 its cells stay in columns 16..73, clear of the triangles waiting at their
//    starting places, and its vertices in rows 1..59, inside the target window;
//  3 the eight triangles can be put down one after another with the fit test;
//  4 its cells form one region connected through cell sides;
//  5 no other figure has the same cells with the same values after a shift;
//  5 no other figure covers the same region, even turned or mirrored, after a shift;
//  6 the centre of its cells' bounding box is within 2 of (45, 30) in grid units;
//  7 every triangle shares a piece of edge of positive length with the rest, and
//    cut only along shared edges the figure stays in one piece: a triangle that
//    hangs on by a corner is a single pixel in the target window;
//  8 the solution check recognises exactly this figure: every set of placements
//    whose cell sums equal the figure's covers the figure's region, and every
//    set that covers exactly that region, however cut inside, has its sums;
//  9 no two figures share 7 of their 8 triangles after the best turn, mirror and
//    shift (figures/look_alike.h);
// 10 no two silhouettes overlap by 90 % or more, on any lattice, but for a few
//    pairs named as paradoxes.
enum FigureRule {
    RuleOnBoard = 1,
    RulePlayingArea,
    RuleLayable,
    RuleConnected,
    RuleDistinct,
    RuleCentred,
    RuleEdgeJoined,
    RuleRecognised,
    RuleNearCopy,
    RuleLookAlike,
};

inline constexpr int FirstFreeColumn = 16;
inline constexpr int LastFreeColumn = 73;
inline constexpr int FirstVisibleRow = 1;
inline constexpr int LastVisibleRow = 59;
inline constexpr double CentreCol = 45.0;
inline constexpr double CentreRow = 30.0;
inline constexpr double CentreTolerance = 2.0;

struct RuleProblem {
    int Figure = 0; // 1-based; 0 for the collection as a whole
    int Rule = 0;
    std::string Detail;
};

// The verdict on one record, rule by rule, for the collection tool and for a
// designer that checks a figure after every put-down. Each rule has its own
// entry; the detail numbers let the caller word its own message.
enum class RuleId {
    Bounds,       // Detail[0]: the first triangle (1-based) off the board or badly turned
    StartAreas,   // Detail[0..1]: the columns the cells reach
    TargetWindow, // Detail[0..1]: the rows the vertices reach
    Centred,      // Detail[0..1]: twice the centre's column and row, in grid units
    OnePiece,     // Detail[0]: the regions the cells form
    EdgeJoined,   // Detail[0]: a triangle (1-based) not joined along an edge; 0 if all
                  // are but the figure falls apart; Detail[1]: pieces
    Layable,      // no detail
    Distinct,     // Detail[0]: the index in `others` of the same shape; Detail[1]: the
                  // turn or mirror (0 the same, 1..3 quarter turns, 4..7 mirrored)
    Recognised,   // Detail[0]: arrangements with the figure's sums; Detail[1]: the
                  // first (1-based) that covers another region. When all of them
                  // cover it but the region can be laid with other sums: Detail[0]
                  // the arrangements of the region, Detail[1] minus the first
                  // (1-based) with other sums; Detail[1] RegionSearchCutOff when
                  // that search hit its node limit (Detail[0] then 0)
};
inline constexpr int RegionSearchCutOff = -1'000'000'000;
inline constexpr int RuleIdCount = 9;

enum class RuleState { Passed, Failed, NotChecked }; // NotChecked: an earlier rule failed

struct RuleResult {
    RuleId Id = RuleId::Bounds;
    RuleState State = RuleState::NotChecked;
    std::array<int, 2> Detail{};
    bool Passed() const { return State == RuleState::Passed; }
};

struct FigureVerdict {
    std::array<RuleResult, RuleIdCount> Results{};
    const RuleResult& operator[](RuleId id) const { return Results[static_cast<int>(id)]; }
    bool Passed() const;
};

// Judges `figure` as a member of a collection that holds `others` besides it.
// Any bytes are safe in both: a record of `others` that fails FigureIsValid is
// passed over, since it covers no region.
// Bounds failing leaves the rest unchecked; overlapping triangles (not layable)
// leave the cells' rules unchecked, since their sums are no figure's; a figure
// in more than one piece is not judged on its edges; recognition waits for the
// figure to be layable.
FigureVerdict JudgeFigure(const FigureRecord& figure, std::span<const FigureRecord> others);

// Distinctness alone, as JudgeFigure judges it: quick enough for a window's event.
RuleResult JudgeDistinct(const FigureRecord& figure, std::span<const FigureRecord> others);

// The same verdicts for one record after another against a collection that
// changes, as the designer judges after every put-down: what depends on a record
// alone (the exhaustive search above all) is judged once per record and kept,
// so only distinctness is judged again. One caller at a time. Under a
// SearchStop that is set, the verdicts are incomplete (the collection's may be
// short) and nothing judged meanwhile is kept.
class FigureJudge {
  public:
    // A smaller `regionNodeLimit` than the region search's own makes it give up
    // sooner (tests); a figure whose search gives up breaks rule 8.
    explicit FigureJudge(int64_t regionNodeLimit = RegionNodeLimit)
        : regionNodeLimit(regionNodeLimit) {}
    FigureVerdict Judge(const FigureRecord& figure, std::span<const FigureRecord> others);
    // Each record against those before it, as CheckCollection judges them.
    std::vector<FigureVerdict> JudgeCollection(std::span<const FigureRecord> records);

  private:
    int64_t regionNodeLimit;
    struct Known {
        FigureVerdict Alone;                          // every rule but distinctness
        std::array<ShapeKey, SymmetryCount> Turned{}; // empty for a damaged record
    };
    const Known& Know(const FigureRecord& figure);
    // The region as it lies, for comparing with; empty for a damaged record.
    const ShapeKey& RegionOf(const FigureRecord& figure);
    void JudgeDistinct(const Known& own, std::span<const FigureRecord> others,
                       FigureVerdict& verdict);
    // By the record's 24 bytes.
    std::map<std::string, Known> known;
    std::map<std::string, ShapeKey> regions;
    Known unfinished;
};

// Whether `a` and `b` cover the same part of cell (col, row), sampled off its
// edges: where their pieces there differ, the sums may agree while the regions do
// not (two quarters that add up to a seven-twelfth), or the regions agree (the
// two diagonals). Both must pass FigureIsValid.
bool SameRegionInCell(const FigureRecord& a, const FigureRecord& b, int col, int row);

// The first (1-based) of `arrangements` that covers another region than
// `figure`, or 0 when every one covers it. Rule 8 hands it every arrangement with
// the figure's sums: any one left out could be the one the check mistakes.
// `figure` and each arrangement must pass FigureIsValid.
size_t FirstOfAnotherRegion(const FigureRecord& figure, std::span<const FigureRecord> arrangements);

// Problems of one record, every rule but 5; rule 1 failing stops the rest.
std::vector<RuleProblem> CheckFigure(int number, const FigureRecord& figure);

// Every record, each judged against those before it, then its size (the game reads
// 222 records at most).
std::vector<RuleProblem> CheckCollection(const std::vector<FigureRecord>& figures);

// "figure 7: rule 4 (one piece): ..."
std::string FormatProblem(const RuleProblem& problem);
