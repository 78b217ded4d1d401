#include "shell/wave_clip.h"

#include "shell_support.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace {

const qint16* SamplesOf(const WaveClip& clip) {
    return reinterpret_cast<const qint16*>(clip.Samples.constData());
}

// Unsigned 8-bit samples become signed 16-bit ones, so that silence is zero.
TEST(ParseWave, ReadsEightBitMonoPcmAsSixteenBitSamples) {
    const QByteArray image = WaveImage(2226);
    const WaveClip clip = ParseWave(image);
    EXPECT_EQ(clip.Rate, 22050);
    EXPECT_EQ(clip.Channels, 1);
    ASSERT_EQ(clip.SampleCount(), 2226);
    for (int i = 0; i < 2226; ++i)
        ASSERT_EQ(SamplesOf(clip)[i], (quint8(image[44 + i]) - 128) * 256) << i;
    EXPECT_EQ(SamplesOf(ParseWave(WaveImage(1)))[0], -16 * 256);
}

TEST(ParseWave, IgnoresChunksAfterTheData) {
    EXPECT_EQ(ParseWave(WaveImage(605, 8, true)).SampleCount(), 605);
}

TEST(ParseWave, ReadsSixteenBitPcm) {
    const QByteArray image = WaveImage(100, 16);
    const WaveClip clip = ParseWave(image);
    ASSERT_EQ(clip.SampleCount(), 100);
    EXPECT_EQ(SamplesOf(clip)[0], qFromLittleEndian<qint16>(image.constData() + 44));
    EXPECT_EQ(SamplesOf(clip)[99], qFromLittleEndian<qint16>(image.constData() + 44 + 198));
}

// A byte short of a whole frame would shift every later sample into noise.
TEST(ParseWave, DataEndingInsideAFrameGivesAnEmptyClip) {
    QByteArray oddBytes = WaveImage(100, 16);
    oddBytes[40] = char(199); // the data chunk's length
    EXPECT_TRUE(ParseWave(oddBytes).IsEmpty());
    QByteArray oddStereo = WaveImage(101);
    oddStereo[22] = 2, oddStereo[32] = 2; // two channels, two bytes a frame
    EXPECT_TRUE(ParseWave(oddStereo).IsEmpty());
    oddStereo[40] = 100;
    EXPECT_EQ(ParseWave(oddStereo).Channels, 2);
    EXPECT_EQ(ParseWave(oddStereo).SampleCount(), 100);
}

TEST(ParseWave, DamagedImagesGiveAnEmptyClip) {
    const QByteArray good = WaveImage(50);
    EXPECT_TRUE(ParseWave({}).IsEmpty());
    EXPECT_TRUE(ParseWave("RIFF....WAVE").IsEmpty());
    EXPECT_TRUE(ParseWave(good.left(60)).IsEmpty()); // data chunk cut short
    QByteArray notPcm = good;
    notPcm[20] = 3; // floating point coding
    EXPECT_TRUE(ParseWave(notPcm).IsEmpty());
    QByteArray noWave = good;
    noWave[8] = 'X';
    EXPECT_TRUE(ParseWave(noWave).IsEmpty());
    QByteArray hugeChunk = good;
    hugeChunk[16] = char(0xff), hugeChunk[17] = char(0xff), hugeChunk[19] = char(0x7f);
    EXPECT_TRUE(ParseWave(hugeChunk).IsEmpty());
}

// A rate of 0 would make every length a division by zero further on.
TEST(ParseWave, RatesOutsideWhatADeviceTakesGiveAnEmptyClip) {
    QByteArray image = WaveImage(50);
    const auto withRate = [&](quint32 rate) {
        qToLittleEndian(rate, image.data() + 24);
        return ParseWave(image);
    };
    EXPECT_TRUE(withRate(0).IsEmpty());
    EXPECT_TRUE(withRate(999).IsEmpty());
    EXPECT_TRUE(withRate(192001).IsEmpty());
    EXPECT_EQ(withRate(8000).Rate, 8000);
    EXPECT_EQ(withRate(8000).SampleCount(), 50);
}

} // namespace
