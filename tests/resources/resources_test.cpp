// Loads every picture, cursor and sound the game takes from its resources, in a
// program that only links trigonet_resources: so the resources really travel
// with the library, and each one has the shape the windows rely on.

#include "support/test_home.h"

#include <QColor>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

const char* const SvgPictures[] = {
    ":/icons/program.svg",     ":/toolbar/newgame.svg",  ":/toolbar/load.svg",
    ":/toolbar/save.svg",      ":/toolbar/sound.svg",    ":/toolbar/stat.svg",
    ":/toolbar/select.svg",    ":/toolbar/tip.svg",      ":/toolbar/up.svg",
    ":/toolbar/down.svg",      ":/toolbar/exit.svg",     ":/toolbar/tongue.svg",
    ":/toolbar/rules.svg",     ":/toolbar/info.svg",     ":/buttons/ok.svg",
    ":/buttons/yes_arrow.svg", ":/buttons/yes_door.svg", ":/buttons/no_cross.svg",
    ":/buttons/cancel.svg",
};

int OpaquePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 0;
    return count;
}

TEST(Pictures, EverySvgRendersAtToolbarSizeAndThroughQIcon) {
    for (const char* path : SvgPictures) {
        SCOPED_TRACE(path);
        QSvgRenderer svg{QString(path)};
        ASSERT_TRUE(svg.isValid());
        QImage image(18, 18, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        svg.render(&painter);
        painter.end();
        EXPECT_GT(OpaquePixels(image), 18 * 18 / 5);

        const QIcon icon{QString(path)};
        EXPECT_FALSE(icon.pixmap(18, 18).isNull());
        EXPECT_FALSE(icon.pixmap(18, 18, QIcon::Disabled).isNull());
    }
}

TEST(Pictures, ProgramIconBitmapIs32By32) {
    const QImage icon(":/icons/program32.png");
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_GT(OpaquePixels(icon), 32 * 32 / 2);
}

TEST(Cursors, AreMonochrome32By32WithTheCrossCentreAtTheHotSpot) {
    for (const char* path : {":/cursors/crturn2.png", ":/cursors/crmove1.png"}) {
        SCOPED_TRACE(path);
        const QImage cursor = QImage(path).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(cursor.size(), QSize(32, 32));
        int black = 0, white = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const QRgb p = cursor.pixel(x, y);
                black += p == 0xFF000000u;
                white += p == 0xFFFFFFFFu;
                EXPECT_TRUE(p == 0xFF000000u || p == 0xFFFFFFFFu || qAlpha(p) == 0)
                    << "pixel " << x << "," << y;
            }
        EXPECT_GT(black, 40);
        EXPECT_GT(white, 40);
        // The hot spot (15, 15) sits where the cross's arms meet: black with black
        // straight neighbours and white diagonal ones.
        EXPECT_EQ(cursor.pixel(15, 15), 0xFF000000u);
        for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
            EXPECT_EQ(cursor.pixel(15 + dx, 15 + dy), 0xFF000000u);
        for (auto [dx, dy] : {std::pair{1, 1}, {-1, 1}, {1, -1}, {-1, -1}})
            EXPECT_NE(cursor.pixel(15 + dx, 15 + dy), 0xFF000000u);
    }
}

// Mean brightness step between each pixel and its right (or lower) neighbour,
// taken once inside the tile and once across the seam to the next copy.
struct Steps {
    double inside = 0, acrossSeam = 0;
};

Steps NeighbourSteps(const QImage& tile, bool horizontal) {
    const int n = tile.width();
    Steps steps;
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b) {
            const int next = (b + 1) % n;
            const QRgb p = horizontal ? tile.pixel(b, a) : tile.pixel(a, b);
            const QRgb q = horizontal ? tile.pixel(next, a) : tile.pixel(a, next);
            const double step = std::abs(qGray(p) - qGray(q));
            (next == 0 ? steps.acrossSeam : steps.inside) += step;
        }
    steps.inside /= n * (n - 1);
    steps.acrossSeam /= n;
    return steps;
}

TEST(MarbleTile, IsA96SquareOfTextureInGreysWithAtMost256Colours) {
    const QImage tile(":/textures/marble.png");
    ASSERT_EQ(tile.size(), QSize(96, 96));
    EXPECT_LE(tile.colorCount(), 256);
    EXPECT_GT(tile.colorCount(), 0) << "expected a palette image";
    int darkest = 255, lightest = 0;
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 96; ++x) {
            const QColor c = tile.pixelColor(x, y);
            EXPECT_LE(std::abs(c.red() - c.blue()), 8);
            EXPECT_LE(std::abs(c.red() - c.green()), 8);
            darkest = std::min(darkest, c.green());
            lightest = std::max(lightest, c.green());
        }
    EXPECT_GT(lightest - darkest, 40) << "a flat tile is no marble";
}

TEST(MarbleTile, TilesWithoutVisibleSeams) {
    for (const char* path : {":/textures/marble.png", ":/textures/marble@2x.png"}) {
        const QImage tile(path);
        ASSERT_FALSE(tile.isNull()) << path;
        for (bool horizontal : {true, false}) {
            const Steps steps = NeighbourSteps(tile, horizontal);
            EXPECT_GT(steps.inside, 0.5) << path;
            EXPECT_LT(steps.acrossSeam, 1.5 * steps.inside)
                << path << (horizontal ? " left/right" : " top/bottom");
        }
    }
}

// The fine tile is the same marble at twice the pixels, not another stone:
// each 2 x 2 block of it is close to the plain tile's pixel, veins included.
TEST(MarbleTile, TheFineTileIsTheSameMarbleAtTwiceThePixels) {
    const QImage plain(":/textures/marble.png");
    const QImage fine(":/textures/marble@2x.png");
    ASSERT_EQ(fine.size(), QSize(192, 192));
    EXPECT_LE(fine.colorCount(), 256);
    double off = 0;
    int darkest = 255, lightest = 0;
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 96; ++x) {
            const int block =
                (qGray(fine.pixel(2 * x, 2 * y)) + qGray(fine.pixel(2 * x + 1, 2 * y)) +
                 qGray(fine.pixel(2 * x, 2 * y + 1)) + qGray(fine.pixel(2 * x + 1, 2 * y + 1))) /
                4;
            off += std::abs(block - qGray(plain.pixel(x, y)));
            darkest = std::min(darkest, block);
            lightest = std::max(lightest, block);
        }
    EXPECT_LT(off / (96 * 96), 6.0);
    EXPECT_GT(lightest - darkest, 40);
}

struct Clip {
    const char* path;
    quint32 samples;
};

quint32 Le32(const QByteArray& b, int at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}
quint16 Le16(const QByteArray& b, int at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}

TEST(SoundClips, AreMono8BitPcmWaveImagesWithTheExactSampleCounts) {
    const Clip clips[] = {{":/sounds/cue1.wav", 2226},  {":/sounds/cue2.wav", 2820},
                          {":/sounds/cue3.wav", 606},   {":/sounds/cue4.wav", 1156},
                          {":/sounds/cue5.wav", 50752}, {":/sounds/cue6.wav", 5512}};
    for (const Clip& clip : clips) {
        SCOPED_TRACE(clip.path);
        QFile file(clip.path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray wav = file.readAll();
        ASSERT_EQ(wav.size(), qsizetype(44 + clip.samples));
        EXPECT_EQ(wav.left(4), "RIFF");
        EXPECT_EQ(Le32(wav, 4), quint32(wav.size() - 8));
        EXPECT_EQ(wav.mid(8, 8), "WAVEfmt ");
        EXPECT_EQ(Le32(wav, 16), 16u);
        EXPECT_EQ(Le16(wav, 20), 1u);     // PCM
        EXPECT_EQ(Le16(wav, 22), 1u);     // mono
        EXPECT_EQ(Le32(wav, 24), 22050u); // samples per second
        EXPECT_EQ(Le32(wav, 28), 22050u); // bytes per second
        EXPECT_EQ(Le16(wav, 32), 1u);     // block alignment
        EXPECT_EQ(Le16(wav, 34), 8u);     // bits per sample
        EXPECT_EQ(wav.mid(36, 4), "data");
        EXPECT_EQ(Le32(wav, 40), clip.samples);

        const auto* pcm = reinterpret_cast<const uchar*>(wav.constData() + 44);
        int loudest = 0;
        for (quint32 i = 0; i < clip.samples; ++i)
            loudest = std::max(loudest, std::abs(pcm[i] - 128));
        EXPECT_GT(loudest, 20) << "too quiet to hear";
        EXPECT_LT(loudest, 110) << "too loud or clipping";
        // Starting and ending at the centre line is what keeps a cue from clicking.
        for (quint32 i = 0; i < 8; ++i) {
            EXPECT_LE(std::abs(pcm[i] - 128), 2) << "sample " << i;
            EXPECT_LE(std::abs(pcm[clip.samples - 1 - i] - 128), 2) << "sample from end " << i;
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    // Test discovery runs this program at build time, where there may be no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home; // font caches and the like
    if (!home.isValid()) return 1;
    UseHomeOf(home);
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
