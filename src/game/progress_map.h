#pragma once

// progress_map: a saved game that knows its figures by shape, so that progress
// follows a figure into another collection or another edition.

#include "game/data.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What the solution check sees of a figure, the same for every shift of it: two
// figures with equal ShapeIds cannot be told apart on the board. A record that
// is not wholly on the board gets an id of its own bytes.
using ShapeId = uint64_t;
ShapeId ShapeIdOf(const FigureRecord& figure);
// The same with the record's verdict already known (FigureOnBoard).
ShapeId ShapeIdOf(const FigureRecord& figure, bool onBoard);
// Figures[1..FigureCount] in order.
std::vector<ShapeId> CollectionShapes(const GameData& data);

// The file is the old one, MaxFigures progress bytes (Progress[1..FigureCount],
// then zeros, so that a reader of any collection size sees no stray bytes),
// followed by a tag: "FTGS", version 1, two 16-bit counts K and M, then M
// entries of (64-bit ShapeId, progress byte), all little-endian. The first K
// entries are the collection the game was saved with, in order; the rest are
// figures played in other collections, kept for when the player goes back.
inline constexpr size_t MaxShapeEntries = 2048;
inline constexpr size_t ProgressTagSize = 9;
inline constexpr size_t ProgressFileLimit =
    MaxFigures + ProgressTagSize + MaxShapeEntries * (sizeof(ShapeId) + 1);

std::vector<uint8_t> EncodeProgressFile(const GameData& data);

struct ProgressMapping {
    bool Moved = false; // the game was played with another collection
    int Played = 0;     // figures with any progress in the file
    int Kept = 0;       // of them, those found in this collection
};

// Progress[1..clearCount] := 0 and OtherProgress emptied, then the file's
// progress given to the figures of this collection. A tagged file, or one of
// exactly MaxFigures bytes when `untaggedOrigin` names the collection such
// games were played with, moves by shape; any other file is read by the old
// rule, byte n to figure n. A played shape that this collection lacks goes to
// the figure that `redrawn` (data.RedrawnShapes) says it became, unless that
// figure has a state of its own in the file.
ProgressMapping
DecodeProgressFile(const std::vector<uint8_t>& bytes, GameData& data, int clearCount,
                   const std::vector<ShapeId>& untaggedOrigin,
                   const std::function<std::vector<std::pair<ShapeId, ShapeId>>()>& redrawn = {});

// The player's one sentence after a move: how many played figures kept their
// state. Empty when nothing moved or nothing had been played.
std::string MovedProgressSentence(const ProgressMapping& mapping, int language);

// The saved game at `path` read (at most ProgressFileLimit bytes, regular files
// only) and decoded as above; false, with nothing changed, when it cannot be read.
bool ReadGameFile(const std::string& path, GameData& data, int clearCount,
                  ProgressMapping& mapping);

// The collection at `path` played from now on: the progress moves with its
// figures by shape, as a saved game's would, and what the old collection's
// figures had stays in OtherProgress for when the player comes back; a figure
// of the new one starts with what the player did to that very shape. The
// current figure is kept in range, and the game marked for saving when any
// progress moved. False, with nothing changed, when the file holds no figure.
bool SwitchCollection(const std::string& path, GameData& data, ProgressMapping& mapping);

// The game written in the form above, replacing the file atomically (ReplaceFile).
SaveResult WriteGameFile(const std::string& path, const GameData& data);
