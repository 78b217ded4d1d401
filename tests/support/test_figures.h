#pragma once

#include "game/data.h"

#include <string>
#include <vector>

#include <sys/resource.h>

// A 10 x 10 block of cells with its top-left cell at (x, y), laid from two
// triangles (orientations 0 and 8, or 4 and 12 for the other diagonal).
std::vector<Placement> Square10(int x, int y, bool otherDiagonal = false);

// Four 10 x 10 squares; `blocks` gives their top-left cells.
FigureRecord FigureOfSquares(const std::vector<std::pair<int, int>>& blocks);

// A 20 x 20 square with its top-left cell at (x, y).
FigureRecord BigSquare(int x, int y);

// Every triangle of `figure` shifted by whole cells.
FigureRecord Shifted(const FigureRecord& figure, int dc, int dr);

// The collection file image of the given figures.
std::vector<uint8_t> CollectionBytes(const std::vector<FigureRecord>& figures);

// A fresh, empty folder for files a test writes, inside a folder of the test
// program's own under $TMPDIR (unique to the run), removed when the program ends.
std::string TempDir(const std::string& name);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// Keeps the process from writing more than `bytes` bytes into any file, for
// any user, while it lives: writes fail with EFBIG.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit old{};
    void (*oldHandler)(int) = nullptr;
};

// A null device node (what /dev/null is) made at `path` inside a test's folder,
// so that a faulty writer can harm nothing outside it; false where this user may
// not make device nodes.
bool MakeNullDevice(const std::string& path);
