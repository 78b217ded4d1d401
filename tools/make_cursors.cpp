// Writes the two board cursors as 32 x 32 PNGs with alpha, drawn here as pixel
// art: '#' black, '.' white, ' ' transparent. Both have the centre of their
// small cross at pixel (15, 15), the hot spot the game registers them with.
//   make-cursors OUTDIR   ->  OUTDIR/crturn2.png (turn), OUTDIR/crmove1.png (move)

#include <QImage>
#include <QString>

#include <cstdio>
#include <cstring>

namespace {

constexpr int Size = 32;

// clang-format off
// Two curved arrows chasing each other round the cross: turn.
const char* const TurnArt[Size] = {
    "                                ",
    "              ...               ",
    "              .#..              ",
    "              .##..             ",
    "            ...###..            ",
    "         ....######.            ",
    "        ..#########.            ",
    "       ..###...###..            ",
    "      ..###.. .##..  ....       ",
    "     ..##...  .#..   .##..      ",
    "     .###.    ...    .###.      ",
    "     .##..    ...    ..##.      ",
    "    ..#..     .#.     ..#..     ",
    "    .##.      .#.      .##.     ",
    "    .##.   ....#....   .##.     ",
    "    .##.   .#######.   .##.     ",
    "    .##.   ....#....   .##.     ",
    "    .##.      .#.      .##.     ",
    "    ..#..     .#.     ..#..     ",
    "     .##..    ...    ..##.      ",
    "     .###.    ...    .###.      ",
    "     ..##.   ..#.  ...##..      ",
    "      ....  ..##. ..###..       ",
    "           ..###...###..        ",
    "           .#########..         ",
    "           .######....          ",
    "           ..###...             ",
    "            ..##.               ",
    "             ..#.               ",
    "              ...               ",
    "                                ",
    "                                ",
};

// Four arrow heads pointing away from the cross: move.
const char* const MoveArt[Size] = {
    "                                ",
    "                                ",
    "              ...               ",
    "             ..#..              ",
    "            ..###..             ",
    "           ..#####..            ",
    "          ..#######..           ",
    "          .#########.           ",
    "          ...........           ",
    "                                ",
    "      ...             ...       ",
    "     ..#.     ...     .#..      ",
    "    ..##.     .#.     .##..     ",
    "   ..###.     .#.     .###..    ",
    "  ..####.  ....#....  .####..   ",
    "  .#####.  .#######.  .#####.   ",
    "  ..####.  ....#....  .####..   ",
    "   ..###.     .#.     .###..    ",
    "    ..##.     .#.     .##..     ",
    "     ..#.     ...     .#..      ",
    "      ...             ...       ",
    "                                ",
    "          ...........           ",
    "          .#########.           ",
    "          ..#######..           ",
    "           ..#####..            ",
    "            ..###..             ",
    "             ..#..              ",
    "              ...               ",
    "                                ",
    "                                ",
    "                                ",
};
// clang-format on

bool WriteCursor(const char* const art[Size], const QString& path) {
    QImage image(Size, Size, QImage::Format_ARGB32);
    for (int y = 0; y < Size; ++y) {
        if (std::strlen(art[y]) != Size) return false;
        for (int x = 0; x < Size; ++x) {
            const char c = art[y][x];
            image.setPixel(x, y, c == '#' ? 0xFF000000u : c == '.' ? 0xFFFFFFFFu : 0x00000000u);
        }
    }
    return image.save(path, "PNG");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-cursors OUTDIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    if (!WriteCursor(TurnArt, dir + "/crturn2.png") ||
        !WriteCursor(MoveArt, dir + "/crmove1.png")) {
        std::fprintf(stderr, "make-cursors: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
