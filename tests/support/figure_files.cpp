#include "support/figure_files.h"

#include "support/test_figures.h"

#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

void AddSquare(std::vector<Placement>& placements, int x, int y) {
    placements.push_back({static_cast<uint8_t>(x + 7), static_cast<uint8_t>(y + 7), 0});
    placements.push_back({static_cast<uint8_t>(x + 3), static_cast<uint8_t>(y + 3), 8});
}

FigureRecord ToRecord(const std::vector<Placement>& placements) {
    FigureRecord record{};
    for (size_t t = 0; t < record.size() && t < placements.size(); ++t)
        record[t] = placements[t];
    return record;
}

FigureRecord BigSquare() {
    std::vector<Placement> p;
    for (int y : {20, 30})
        for (int x : {35, 45})
            AddSquare(p, x, y);
    return ToRecord(p);
}

FigureRecord SoundHouse() {
    // Two squares from (35, 30) to (55, 40) under a roof 30 wide: a square between
    // two halves of squares, from (30, 20) to (60, 30).
    std::vector<Placement> p;
    AddSquare(p, 35, 30);
    AddSquare(p, 45, 30);
    AddSquare(p, 40, 20);
    p.push_back({37, 27, 0}); // right angle at (40, 30), sloping up to (40, 20)
    p.push_back({53, 27, 4}); // its mirror image, right angle at (50, 30)
    return ToRecord(p);
}

std::string TempPath(const std::string& name) {
    // One folder a test, emptied when the test first asks for it.
    static const testing::TestInfo* owner = nullptr;
    static std::string folder;
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    if (folder.empty() || test != owner) {
        owner = test;
        folder = TempDir("files");
    }
    return folder + name;
}

void WriteRecords(const std::string& path, const std::vector<FigureRecord>& records) {
    std::vector<uint8_t> bytes(records.size() * FigureRecordSize);
    if (!records.empty()) std::memcpy(bytes.data(), records.data(), bytes.size());
    WriteBytes(path, bytes);
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
