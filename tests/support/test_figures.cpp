#include "support/test_figures.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {
uint8_t B(int v) {
    return static_cast<uint8_t>(v);
}

// The test program's own folder under $TMPDIR, named so that no other run can
// have it, and removed when the program ends. A forked child leaves it to the
// process that made it.
class RunFolder {
  public:
    const std::filesystem::path& Path() {
        if (path.empty()) {
            std::string name = std::filesystem::temp_directory_path() / "trigonet-tests.XXXXXX";
            if (::mkdtemp(name.data())) path = name, owner = ::getpid();
        }
        return path;
    }
    ~RunFolder() {
        std::error_code ignored;
        if (!path.empty() && owner == ::getpid()) std::filesystem::remove_all(path, ignored);
    }

  private:
    std::filesystem::path path;
    pid_t owner = 0;
};
} // namespace

std::vector<Placement> Square10(int x, int y, bool otherDiagonal) {
    // Orientation 0 covers offsets -7..2, orientation 8 offsets -3..6, 4 and 12 likewise turned.
    if (otherDiagonal) return {{B(x + 3), B(y + 7), 4}, {B(x + 7), B(y + 3), 12}};
    return {{B(x + 7), B(y + 7), 0}, {B(x + 3), B(y + 3), 8}};
}

FigureRecord FigureOfSquares(const std::vector<std::pair<int, int>>& blocks) {
    FigureRecord figure{};
    int t = 0;
    for (const auto& [x, y] : blocks)
        for (const Placement& p : Square10(x, y))
            figure[t++] = p;
    return figure;
}

FigureRecord BigSquare(int x, int y) {
    return FigureOfSquares({{x, y}, {x + 10, y}, {x, y + 10}, {x + 10, y + 10}});
}

FigureRecord Shifted(const FigureRecord& figure, int dc, int dr) {
    FigureRecord moved = figure;
    for (Placement& p : moved)
        p.Col = B(p.Col + dc), p.Row = B(p.Row + dr);
    return moved;
}

std::vector<uint8_t> CollectionBytes(const std::vector<FigureRecord>& figures) {
    std::vector<uint8_t> bytes(figures.size() * FigureRecordSize);
    if (!figures.empty()) std::memcpy(bytes.data(), figures.data(), bytes.size());
    return bytes;
}

std::string TempDir(const std::string& name) {
    static RunFolder run;
    if (run.Path().empty()) {
        ADD_FAILURE() << "no temporary folder can be made under "
                      << std::filesystem::temp_directory_path();
        return "/proc/trigonet-no-folder/"; // where nothing can be made, even by root
    }
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    std::filesystem::path dir = run.Path() / (std::string(info ? info->test_suite_name() : "") +
                                              "." + (info ? info->name() : "") + "." + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string() + "/";
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

bool MakeNullDevice(const std::string& path) {
    return ::mknod(path.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old);
    oldHandler = std::signal(SIGXFSZ, SIG_IGN); // report EFBIG instead of ending the process
    rlimit limit = old;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
}
