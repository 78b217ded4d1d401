#pragma once

#include "board/board.h"
#include "game/files/read_file.h"
#include "game/files/replace_file.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

inline constexpr int MaxFigures = 222;
inline constexpr int FigureRecordSize = 24;
inline constexpr const char* CollectionFileName = "ftrg2.dat";

// Eight placements, triangle 1 first; a record is also its figure's solution.
using FigureRecord = std::array<Placement, TriangleCount>;
static_assert(sizeof(FigureRecord) == FigureRecordSize);

// Progress byte: value 8 = finished (solved or given up), low three bits = help
// count. Bits 16 and up are kept as read. The saved-game format stores these bytes.
inline constexpr uint8_t FinishedBit = 8;
inline constexpr uint8_t GivenUpByte = 12;
inline constexpr int MaxHelpCount = 4;

inline bool IsFinished(uint8_t progress) {
    return progress & FinishedBit;
}

// The help count brought into range: a finished figure has 0..4 (4 = given up), an
// unfinished one 0..3, since four help steps always finish a figure. A damaged
// byte therefore never asks for more than eight help triangles.
int HelpCount(uint8_t progress);
inline bool IsGivenUp(uint8_t progress) {
    return IsFinished(progress) && HelpCount(progress) == MaxHelpCount;
}

// A figure's progress byte in a collection other than the one being played, by
// its shape (ShapeIdOf in progress_map.h); the saved game keeps these.
struct ShapeProgress {
    uint64_t Shape = 0;
    uint8_t Progress = 0;
    friend bool operator==(const ShapeProgress&, const ShapeProgress&) = default;
};

// A record's bounds verdict, kept beside it in GameData: given by the collection
// reader at load and copied with the record. Whoever puts a record there by other
// means leaves it Unjudged (the default), and the record is judged when asked.
enum class RecordVerdict : uint8_t { Unjudged, OnBoard, OffBoard };

// Shared by every window for the whole run.
struct GameData {
    std::array<FigureRecord, MaxFigures + 1> Figures{}; // [0] = working copy of the current figure
    std::array<RecordVerdict, MaxFigures + 1> Verdicts{}; // of Figures, entry for entry
    int FigureCount = 0;
    int CurrentFigure = 1;
    std::array<uint8_t, MaxFigures + 1> Progress{}; // [1..222]
    std::string SaveFileName;
    std::string ProgramDir; // ends in a path separator
    bool Dirty = false;
    int Language = -1; // 1 German, 0 English, -1 never chosen; every text is German only at 1
    std::vector<ShapeProgress> OtherProgress;
    // The shapes of the collection that games saved without shapes were played
    // with (the shipped second edition); empty when unknown. Asked only when
    // such a game is read: working them out would hold up every start.
    std::function<std::vector<uint64_t>()> UntaggedOrigin;
    // Figures of the shipped collection that an edition redrew: each figure's
    // earlier shape with the shape it has now, so that a game saved before
    // keeps what the player did to it. Asked only when a played figure of a
    // saved game is missing from the collection.
    std::function<std::vector<std::pair<uint64_t, uint64_t>>()> RedrawnShapes;
};

inline bool IsGerman(int language) {
    return language == 1;
}

// True when every placement has an orientation 0..15 and lies wholly on the board,
// so stamping the record can never write outside a grid.
bool FigureIsValid(const FigureRecord& figure);

// Whole 24-byte records in order, at most 222; a short tail is ignored.
std::vector<FigureRecord> ParseCollection(const std::vector<uint8_t>& bytes);

// What the reader saw of a record file as a whole, the first that holds of: not
// opened, no byte at all, more than 222 records, a piece of a record at its end.
enum class CollectionFileShape { Whole, CannotOpen, Empty, TooMany, PartialTail };

// One reading of a record file, for the game, the tool and the designer alike:
// each caller's policy decides what it accepts of it.
struct CollectionReading {
    CollectionFileShape Shape = CollectionFileShape::CannotOpen;
    size_t Size = 0;                   // bytes read: the file's size unless TooMany
    std::vector<FigureRecord> Records; // the whole records, at most the first 222
    std::vector<bool> OnBoard;         // FigureIsValid of each record, decided here once
};

// Reads no more than 222 records and one byte, whatever the file's size.
CollectionReading ReadCollectionFile(const std::string& path);

enum class CollectionResult { Loaded, CannotOpen, Empty };

// Reads the collection into Figures[1..] with their verdicts and sets FigureCount;
// a partial tail and records after the 222nd are ignored, a record off the board
// is kept (it is shown empty and cannot be played). A file without one whole
// record is reported like a missing one by the caller: there is nothing to play.
// Nothing changes unless Loaded.
CollectionResult LoadCollection(const std::string& path, GameData& data);

// Whether Figures[n] (0..222) lies wholly on the board, so that it may be stamped
// and drawn: its stored verdict, or the bounds test for a record that has none.
bool FigureOnBoard(const GameData& data, int n);

// FigureCount brought into 0..222, for every loop over Progress or Figures: the
// tables hold no more, whatever a caller set.
int BoundedFigureCount(const GameData& data);

// Keeps a stored figure number usable: outside 1..FigureCount it becomes 1.
int ClampFigureNumber(int number, int figureCount);
