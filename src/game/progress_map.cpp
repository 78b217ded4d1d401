#include "game/progress_map.h"

#include "game/game.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr char Tag[4] = {'F', 'T', 'G', 'S'};
constexpr uint8_t TagVersion = 1;
constexpr size_t EntrySize = sizeof(ShapeId) + 1;

struct Fnv {
    uint64_t value = 1469598103934665603ull;
    void Add(uint8_t byte) { value = (value ^ byte) * 1099511628211ull; }
    void Add16(int v) {
        Add(static_cast<uint8_t>(v & 0xff));
        Add(static_cast<uint8_t>(v >> 8 & 0xff));
    }
};

void Put16(std::vector<uint8_t>& out, size_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xff));
    out.push_back(static_cast<uint8_t>(v >> 8 & 0xff));
}

size_t Get16(const uint8_t* at) {
    return at[0] | static_cast<size_t>(at[1]) << 8;
}

struct Entries {
    size_t Own = 0; // the first Own entries are the saved game's collection, in order
    std::vector<ShapeProgress> All;
};

// The tag after the progress bytes; false when there is none or it is damaged,
// and the file is then read as an old one.
bool ReadTag(const std::vector<uint8_t>& bytes, Entries& entries) {
    if (bytes.size() < MaxFigures + ProgressTagSize) return false;
    const uint8_t* tag = bytes.data() + MaxFigures;
    if (std::memcmp(tag, Tag, sizeof Tag) != 0 || tag[4] != TagVersion) return false;
    const size_t own = Get16(tag + 5), all = Get16(tag + 7);
    if (own > MaxFigures || own > all || all > MaxShapeEntries) return false;
    if (bytes.size() < MaxFigures + ProgressTagSize + all * EntrySize) return false;
    entries.Own = own;
    entries.All.resize(all);
    const uint8_t* at = tag + ProgressTagSize;
    for (ShapeProgress& entry : entries.All) {
        entry.Shape = 0;
        for (int b = 7; b >= 0; --b)
            entry.Shape = entry.Shape << 8 | at[b];
        entry.Progress = at[8];
        at += EntrySize;
    }
    return true;
}

} // namespace

ShapeId ShapeIdOf(const FigureRecord& figure) {
    return ShapeIdOf(figure, FigureIsValid(figure));
}

ShapeId ShapeIdOf(const FigureRecord& figure, bool onBoard) {
    Fnv hash;
    if (!onBoard) {
        hash.Add(0xff); // no cell value is ever written first
        for (const Placement& p : figure)
            hash.Add(p.Col), hash.Add(p.Row), hash.Add(p.Orient);
        return hash.value;
    }
    Grid grid{};
    for (const Placement& p : figure)
        StampPlacement(grid, p);
    CellPos anchor;
    if (!FindAnchor(grid, anchor)) return hash.value;
    // The scan order of the solution check, relative to its anchor.
    for (int row = anchor.row; row < GridRows; ++row)
        for (int col = 0; col < GridColumns; ++col)
            if (const uint8_t v = grid[col][row]) {
                hash.Add(v);
                hash.Add16(col - anchor.col);
                hash.Add16(row - anchor.row);
            }
    return hash.value;
}

std::vector<ShapeId> CollectionShapes(const GameData& data) {
    std::vector<ShapeId> shapes;
    for (int i = 1; i <= BoundedFigureCount(data); ++i)
        shapes.push_back(ShapeIdOf(data.Figures[i], FigureOnBoard(data, i)));
    return shapes;
}

std::vector<uint8_t> EncodeProgressFile(const GameData& data) {
    const int count = BoundedFigureCount(data);
    std::vector<uint8_t> bytes(MaxFigures, 0);
    std::copy_n(data.Progress.begin() + 1, count, bytes.begin());
    const std::vector<ShapeId> shapes = CollectionShapes(data);
    const size_t others = std::min(data.OtherProgress.size(), MaxShapeEntries - count);
    bytes.insert(bytes.end(), std::begin(Tag), std::end(Tag));
    bytes.push_back(TagVersion);
    Put16(bytes, count);
    Put16(bytes, count + others);
    const auto put = [&](ShapeId shape, uint8_t progress) {
        for (int b = 0; b < 8; ++b)
            bytes.push_back(static_cast<uint8_t>(shape >> (8 * b)));
        bytes.push_back(progress);
    };
    for (int i = 0; i < count; ++i)
        put(shapes[i], data.Progress[i + 1]);
    for (size_t i = 0; i < others; ++i)
        put(data.OtherProgress[i].Shape, data.OtherProgress[i].Progress);
    return bytes;
}

ProgressMapping
DecodeProgressFile(const std::vector<uint8_t>& bytes, GameData& data, int clearCount,
                   const std::vector<ShapeId>& untaggedOrigin,
                   const std::function<std::vector<std::pair<ShapeId, ShapeId>>()>& redrawn) {
    const int count = BoundedFigureCount(data);
    std::fill(data.Progress.begin() + 1,
              data.Progress.begin() + 1 + std::clamp(clearCount, 0, MaxFigures), 0);
    data.OtherProgress.clear();

    Entries entries;
    if (!ReadTag(bytes, entries)) {
        if (bytes.size() != MaxFigures || untaggedOrigin.size() != MaxFigures) {
            std::copy_n(bytes.begin(), std::min<size_t>(bytes.size(), count),
                        data.Progress.begin() + 1);
            return {};
        }
        entries.Own = MaxFigures;
        for (size_t i = 0; i < MaxFigures; ++i)
            entries.All.push_back({untaggedOrigin[i], bytes[i]});
    }

    const std::vector<ShapeId> shapes = CollectionShapes(data);
    ProgressMapping mapping;
    mapping.Moved = entries.Own != shapes.size() ||
                    !std::equal(shapes.begin(), shapes.end(), entries.All.begin(),
                                [](ShapeId s, const ShapeProgress& e) { return s == e.Shape; });
    // Equal shapes within one collection are taken in their order.
    std::unordered_map<ShapeId, std::vector<size_t>> waiting;
    for (size_t i = entries.All.size(); i-- > 0;)
        waiting[entries.All[i].Shape].push_back(i);
    std::vector<bool> taken(entries.All.size(), false);
    std::vector<bool> given(count, false);
    for (int i = 0; i < count; ++i) {
        const auto found = waiting.find(shapes[i]);
        if (found == waiting.end() || found->second.empty()) continue;
        const size_t e = found->second.back();
        found->second.pop_back();
        taken[e] = given[i] = true;
        data.Progress[i + 1] = entries.All[e].Progress;
    }
    bool missing = false;
    for (size_t e = 0; e < entries.All.size(); ++e)
        missing = missing || (entries.All[e].Progress && !taken[e]);
    if (missing && redrawn) {
        std::unordered_map<ShapeId, ShapeId> now;
        for (const auto& [before, after] : redrawn())
            now.emplace(before, after);
        for (size_t e = 0; e < entries.All.size(); ++e) {
            const auto found = now.find(entries.All[e].Shape);
            if (taken[e] || !entries.All[e].Progress || found == now.end()) continue;
            for (int i = 0; i < count; ++i)
                if (!given[i] && shapes[i] == found->second) {
                    taken[e] = given[i] = true;
                    data.Progress[i + 1] = entries.All[e].Progress;
                    break;
                }
        }
    }
    // An unplayed figure left over is kept only beside a played one of its shape:
    // without it, the played one would come back to the first of the equal figures.
    std::unordered_set<ShapeId> playedShapes;
    for (const ShapeProgress& entry : entries.All)
        if (entry.Progress) playedShapes.insert(entry.Shape);
    for (size_t e = 0; e < entries.All.size(); ++e) {
        if (!taken[e] && playedShapes.count(entries.All[e].Shape))
            data.OtherProgress.push_back(entries.All[e]);
        if (!entries.All[e].Progress) continue;
        ++mapping.Played;
        if (taken[e]) ++mapping.Kept;
    }
    return mapping;
}

std::string MovedProgressSentence(const ProgressMapping& mapping, int language) {
    if (!mapping.Moved || mapping.Played == 0) return {};
    const bool german = IsGerman(language);
    const std::string kept = std::to_string(mapping.Kept);
    const std::string played = std::to_string(mapping.Played);
    std::string text =
        german ? "Die Figurensammlung ist eine andere: " : "The figure collection has changed: ";
    if (mapping.Played == 1)
        text += mapping.Kept ? (german ? "die eine Figur, die du gespielt hast, behält ihren Stand."
                                       : "the one figure you played keeps its state.")
                             : (german ? "die eine Figur, die du gespielt hast, ist nicht dabei."
                                       : "the one figure you played is not in it.");
    else if (mapping.Kept == 0)
        text += german ? "keine der " + played + " Figuren, die du gespielt hast, ist dabei."
                       : "none of the " + played + " figures you played is in it.";
    else if (mapping.Kept == 1)
        text += german
                    ? "eine der " + played + " Figuren, die du gespielt hast, behält ihren Stand."
                    : "one of the " + played + " figures you played keeps its state.";
    else
        text += german ? kept + " der " + played +
                             " Figuren, die du gespielt hast, behalten ihren Stand."
                       : kept + " of the " + played + " figures you played keep their state.";
    return text;
}

bool ReadGameFile(const std::string& path, GameData& data, int clearCount,
                  ProgressMapping& mapping) {
    std::vector<uint8_t> bytes;
    if (!ReadFileStart(path, ProgressFileLimit, bytes)) return false;
    // Only a file of one byte a figure can be a game saved without shapes.
    const bool untagged = bytes.size() == MaxFigures && data.UntaggedOrigin;
    mapping = DecodeProgressFile(bytes, data, clearCount,
                                 untagged ? data.UntaggedOrigin() : std::vector<ShapeId>{},
                                 data.RedrawnShapes);
    return true;
}

bool SwitchCollection(const std::string& path, GameData& data, ProgressMapping& mapping) {
    // Through the saved game's own form, so that a switch and a save followed by
    // a load with the other collection give the player the same states.
    const std::vector<uint8_t> bytes = EncodeProgressFile(data);
    if (LoadCollection(path, data) != CollectionResult::Loaded) return false;
    mapping = DecodeProgressFile(bytes, data, MaxFigures, {}, data.RedrawnShapes);
    data.CurrentFigure = ClampFigureNumber(data.CurrentFigure, data.FigureCount);
    if (mapping.Played > 0) data.Dirty = true;
    return true;
}

SaveResult WriteGameFile(const std::string& path, const GameData& data) {
    const std::vector<uint8_t> bytes = EncodeProgressFile(data);
    return ReplaceFile(path, bytes.data(), bytes.size());
}
