#include "shell/sound_cues.h"

#include "shell_support.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

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
