// The sound cues through a real PulseAudio server of the test's own: what the
// player would hear is read back from the null sink's monitor.
#include "support/private_pulse.h"
#include "shell/sound_cues.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int ClipMs = 1000;

struct Stretch {
    int clip;
    int samples;
};

// Stretches of one clip in order. Silence inside a clip (the feeding thread
// kept from the processor on a crowded machine) is counted as a stutter, not as
// the end of the clip.
std::vector<Stretch> Stretches(const std::vector<qint16>& recording, int* stutterSamples) {
    std::vector<Stretch> runs;
    int silence = 0;
    for (const qint16 sample : recording) {
        const int clip = ClipOf(sample);
        if (clip < 0) {
            ++silence;
            continue;
        }
        if (!runs.empty() && runs.back().clip == clip && silence < PrivatePulse::Rate / 10) {
            *stutterSamples += silence;
            runs.back().samples += silence + 1;
        } else {
            runs.push_back({clip, 1});
        }
        silence = 0;
    }
    return runs;
}

class SoundPulseTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        server = new PrivatePulse;
        if (!server->Running()) return;
        // Before the first use of the sound output, which reads it once.
        qputenv("PULSE_SERVER", server->Address().toUtf8());
        waves = new SoundCues(MakeAudioOutput());
        for (int i = 0; i < CueCount; ++i)
            waves->SetClip(i, LevelWave(i, ClipMs));
        // The stream opens on its own thread, and an idle null sink takes up
        // to two seconds to notice it.
        warmedUp = server->StartRecording(true, 5);
        QElapsedTimer clock;
        clock.start();
        waves->PlayCue(1);
        while (warmedUp && !clock.hasExpired(8000)) {
            const std::vector<qint16> samples = server->ReadLive(100);
            if (std::any_of(samples.begin(), samples.end(),
                            [](qint16 s) { return ClipOf(s) == 0; }))
                break;
        }
        warmedUp = warmedUp && !clock.hasExpired(8000);
        server->StopRecording();
    }
    static void TearDownTestSuite() {
        delete waves;
        delete server;
    }
    void SetUp() override {
        if (!server) GTEST_SKIP() << "the server was stopped by an earlier test";
        if (!server->Running())
            GTEST_SKIP() << "no private PulseAudio server: " << server->Failure().toStdString();
        ASSERT_TRUE(warmedUp) << "the first cue was never heard";
        waves->SetOn(true);
    }

    // Plays 20 cues of mixed kinds paceMs apart, switches sound off while the
    // last one sounds and asks for more cues; answers how many were heard in
    // order, each cut off by the next.
    int PlayTwentyCues(int paceMs) {
        static const int order[] = {1, 4, 3, 4, 2, 6, 1, 3, 4, 3, 2, 1, 4, 6, 1, 3, 4, 2, 1, 5};
        waves->PlayCue(4); // the player has been at it for a while
        QThread::msleep(50);
        EXPECT_TRUE(server->StartRecording());
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 20; ++i) {
            while (clock.elapsed() < i * paceMs)
                QThread::usleep(200);
            waves->PlayCue(order[i]);
        }
        waves->SetOn(false);
        for (const int cue : {1, 2, 3})
            waves->PlayCue(cue);
        QThread::msleep(ClipMs + 500);
        int stutters = 0;
        const std::vector<Stretch> runs = Stretches(server->StopRecording(), &stutters);

        int heard = 0;
        if (runs.size() != 21 || stutters > 0)
            for (const Stretch& run : runs)
                std::printf("clip %d: %d samples\n", run.clip, run.samples);
        const int spare = !runs.empty() && runs.front().clip == 3 ? 1 : 0; // the cue before
        for (int i = 0; i < 20 && spare + i < int(runs.size()); ++i) {
            const Stretch& run = runs[spare + i];
            if (run.clip != order[i] - 1) break;
            const int ms = run.samples * 1000 / PrivatePulse::Rate;
            if (i < 19) { // cut off by the next cue, about one pace later
                EXPECT_LT(ms, std::max(3 * paceMs, paceMs + 60)) << "cue " << i;
                EXPECT_LT(ms, ClipMs - 50) << "cue " << i;
            } else { // sound off leaves it playing to its end
                EXPECT_GT(ms, ClipMs - 20);
            }
            ++heard;
        }
        EXPECT_EQ(int(runs.size()), spare + 20) << "nothing after the last cue";
        std::printf("[ pace %d ms ] %d of 20 cues heard, %.1f ms of stutter\n", paceMs, heard,
                    stutters * 1000.0 / PrivatePulse::Rate);
        // A loaded machine may delay the feeding thread now and then, but not often.
        EXPECT_LT(stutters, PrivatePulse::Rate / 10);
        return heard;
    }

    static inline PrivatePulse* server = nullptr;
    static inline SoundCues* waves = nullptr;
    static inline bool warmedUp = false;
};

TEST_F(SoundPulseTest, EveryCueOfAFastDragIsHeardCuttingOffTheOneBefore) {
    EXPECT_EQ(PlayTwentyCues(40), 20);
}

TEST_F(SoundPulseTest, CuesFarApartAreAllHeardToo) {
    EXPECT_EQ(PlayTwentyCues(700), 20);
}

// Run on its own with PULSE_SERVER pointing nowhere: the game plays on silently
// and neither starting nor ending waits for a server.
TEST(SoundWithoutServer, IsSilentAndNeverHoldsUpTheGame) {
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<CueOutput> output = MakeAudioOutput();
    const CueOutput* device = output.get();
    auto waves = std::make_unique<SoundCues>(std::move(output));
    for (int i = 0; i < CueCount; ++i)
        waves->SetClip(i, LevelWave(i, 100));
    EXPECT_LT(clock.elapsed(), 100) << "opening waited for the server";
    for (int cue = 1; cue <= CueCount; ++cue)
        waves->PlayCue(cue);
    QThread::msleep(1000); // the output finds out on its own thread
    EXPECT_FALSE(device->HasDevice());
    clock.restart();
    for (int i = 0; i < 100; ++i)
        waves->PlayCue(1 + i % CueCount);
    waves.reset();
    EXPECT_LT(clock.elapsed(), 500) << "cues or the end waited for the server";
}

// Last of the suite: the server goes away under a live stream.
TEST_F(SoundPulseTest, ServerGoingAwayLeavesTheGameSilentAndFree) {
    delete server;
    server = nullptr;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 50; ++i) {
        waves->PlayCue(1 + i % CueCount);
        QThread::msleep(10);
    }
    EXPECT_LT(clock.elapsed(), 1500) << "cues waited for the vanished server";
    clock.restart();
    delete waves;
    waves = nullptr;
    EXPECT_LT(clock.elapsed(), 500) << "the end waited for the vanished server";
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
