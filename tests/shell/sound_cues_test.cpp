#include "shell/sound_cues.h"

#include "shell_support.h"

#include <QFile>
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

struct SoundCuesTest : ::testing::Test {
    FakeCueOutput* output = new FakeCueOutput;
    std::shared_ptr<std::vector<QString>> log = output->log;
    SoundCues waves{std::unique_ptr<CueOutput>(output)};

    void SetUp() override {
        for (int i = 0; i < CueCount; ++i)
            waves.SetClip(i, WaveImage(100 + i)); // clip i has 100 + i samples
    }
};

TEST_F(SoundCuesTest, CueNPlaysClipNMinusOneCuttingOffTheOneBefore) {
    for (int cue = 1; cue <= CueCount; ++cue)
        waves.PlayCue(cue);
    EXPECT_EQ(*log,
              (std::vector<QString>{"stop", "play 100", "stop", "play 101", "stop", "play 102",
                                    "stop", "play 103", "stop", "play 104", "stop", "play 105"}));
}

TEST_F(SoundCuesTest, WithSoundOffNothingPlaysAndNothingIsCutOff) {
    waves.SetOn(false);
    waves.PlayCue(2);
    EXPECT_TRUE(log->empty());
    waves.SetOn(true);
    waves.PlayCue(2);
    EXPECT_EQ(log->back(), "play 101");
}

TEST_F(SoundCuesTest, NoDeviceOrNoClipIsSilent) {
    output->device = false;
    waves.PlayCue(1);
    EXPECT_EQ(*log, std::vector<QString>{"stop"});
    output->device = true;
    waves.SetClip(3, "not a wave");
    waves.PlayCue(4);
    waves.PlayCue(0);
    waves.PlayCue(7);
    EXPECT_EQ(*log, (std::vector<QString>{"stop", "stop", "stop", "stop"}));
}

// The stream is opened once, in the clips' format, before the first cue.
struct OpeningOutput : FakeCueOutput {
    std::shared_ptr<std::vector<std::pair<int, int>>> opened =
        std::make_shared<std::vector<std::pair<int, int>>>();
    void Open(int rate, int channels) override { opened->push_back({rate, channels}); }
};

TEST(SoundCuesOutput, IsOpenedOnceWithTheFirstClipThatLoads) {
    auto* output = new OpeningOutput;
    const auto opened = output->opened;
    SoundCues waves{std::unique_ptr<CueOutput>(output)};
    waves.SetClip(0, "not a wave");
    EXPECT_TRUE(opened->empty());
    waves.SetClip(1, WaveImage(100, 16));
    waves.SetClip(2, WaveImage(100));
    waves.PlayCue(2);
    waves.PlayCue(3);
    EXPECT_EQ(*opened, (std::vector<std::pair<int, int>>{{22050, 1}}));
}

TEST(ShippedClips, HaveTheirFormatAndLength) {
    if (!QFile::exists(":/sounds/cue1.wav")) GTEST_SKIP() << "built without the resources";
    SoundCues waves{std::make_unique<FakeCueOutput>()};
    waves.LoadClips();
    const int samples[CueCount] = {2226, 2820, 606, 1156, 50752, 5512};
    for (int i = 0; i < CueCount; ++i) {
        const WaveClip& clip = waves.Clip(i);
        EXPECT_EQ(clip.SampleCount(), samples[i]) << i;
        EXPECT_EQ(clip.Rate, 22050) << i;
        EXPECT_EQ(clip.Channels, 1) << i;
    }
}

} // namespace
