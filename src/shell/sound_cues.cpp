#include "shell/sound_cues.h"

#include <QAbstractEventDispatcher>
#include <QAudioDevice>
#include <QAudioSink>
#include <QDeadlineTimer>
#include <QFile>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>
#include <QtEndian>

#include <algorithm>
#include <atomic>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

quint32 Le32(const char* p) {
    return qFromLittleEndian<quint32>(p);
}
quint16 Le16(const char* p) {
    return qFromLittleEndian<quint16>(p);
}

// The samples of one cue, shared with the clip it came from. The window thread
// makes one for each cue and hands it over; from then on the feeding thread
// owns it.
struct Voice {
    QByteArray samples;
};

// One stream for the whole run, fed from a thread of its own. Restarting a Qt
// 6.4 sink for every cue shrank its server buffer until it fell silent for
// good, and a busy window thread would starve a stream it fed itself. The
// mixer is just the current voice and a read position; a cue swaps in a new
// voice at position 0, which cuts off the one before.
class StreamFeeder : public QThread {
  public:
    explicit StreamFeeder(const QAudioFormat& format) : format(format) {}
    ~StreamFeeder() override { Discard(pending.exchange(nullptr)); }

    bool Failed() const { return state.load() == State::Failed; }
    // From the window thread: nullptr stops the current voice.
    void Push(Voice* voice) {
        Discard(pending.exchange(voice ? voice : &silence));
        // A busy feeder finds the voice on its next tick; only a sleeping one
        // needs the system call.
        if (!sleeping.load()) return;
        if (QAbstractEventDispatcher* loop = dispatcher.load()) loop->wakeUp();
    }

  private:
    enum class State { Opening, Live, Failed };
    static constexpr int BufferMs = 15;
    static constexpr int TickMs = 2;

    void Discard(Voice* voice) {
        if (voice != &silence) delete voice;
    }

    void run() override {
#ifdef Q_OS_LINUX
        // Ahead of compilers and the like, where the system lets us: a few
        // milliseconds late and the stream runs dry. Without the right to it
        // the thread just keeps its share.
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), -10);
#endif
        // Everything that talks to the sound server happens here, so that a
        // slow or missing server never holds up the window.
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull() || !device.isFormatSupported(format)) {
            state = State::Failed;
            return;
        }
        QAudioSink sink(device, format);
        sink.setBufferSize(format.bytesForDuration(BufferMs * 1000));
        QIODevice* stream = sink.start();
        if (!stream || sink.error() == QAudio::OpenError || sink.error() == QAudio::FatalError) {
            state = State::Failed;
            return;
        }
        state = State::Live;
        quiet.fill(format.sampleFormat() == QAudioFormat::UInt8 ? char(0x80) : 0,
                   format.bytesForDuration(BufferMs * 1000));
        // The timer runs while there is something to write; an idle stream sleeps
        // until a cue wakes the loop.
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        tick.setInterval(TickMs);
        const auto feed = [&] {
            if (state == State::Failed) return;
            if (!Feed(sink, *stream)) {
                state = State::Failed;
                tick.stop();
            } else if (Idle()) {
                tick.stop();
                // Asleep first, then one more look: a cue pushed in between is
                // either seen here or wakes the loop.
                sleeping = true;
                if (pending.load()) {
                    sleeping = false;
                    tick.start();
                }
            } else if (!tick.isActive()) {
                sleeping = false;
                tick.start();
            }
        };
        QObject::connect(&tick, &QTimer::timeout, feed);
        QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance();
        QObject::connect(loop, &QAbstractEventDispatcher::awake, [&] {
            if (!tick.isActive() && pending.load()) feed();
        });
        dispatcher = loop;
        feed();
        exec();
        dispatcher = nullptr;
        sink.stop();
        delete current;
        current = nullptr;
    }

    bool Idle() const {
        return !pending.load() && padding == 0 && (!current || position >= current->samples.size());
    }

    // Writes what the stream takes: the rest of the current voice, then one
    // buffer of silence that pushes its last samples out. Then nothing, so an
    // idle stream costs the server nothing. False once the device has failed.
    bool Feed(QAudioSink& sink, QIODevice& stream) {
        if (Voice* next = pending.exchange(nullptr)) {
            delete current;
            current = next == &silence ? nullptr : next;
            position = 0;
            padding = quiet.size();
        }
        if (sink.error() == QAudio::FatalError || sink.state() == QAudio::StoppedState)
            return false;
        qint64 room = sink.bytesFree();
        while (room > 0) {
            qint64 written = 0;
            if (current && position < current->samples.size()) {
                const qint64 length = std::min(room, current->samples.size() - position);
                written = stream.write(current->samples.constData() + position, length);
                position += std::max<qint64>(written, 0);
            } else if (padding > 0) {
                written = stream.write(quiet.constData(), std::min(room, padding));
                padding -= std::max<qint64>(written, 0);
            }
            if (written <= 0) break;
            room -= written;
        }
        return true;
    }

    QAudioFormat format;
    std::atomic<State> state = State::Opening;
    std::atomic<Voice*> pending = nullptr;
    std::atomic<QAbstractEventDispatcher*> dispatcher = nullptr;
    std::atomic<bool> sleeping = false;
    Voice silence; // marks a stop request; never freed
    // The feeding thread's own.
    Voice* current = nullptr;
    qint64 position = 0;
    qint64 padding = 0;
    QByteArray quiet;
};

class StreamOutput : public CueOutput {
  public:
    ~StreamOutput() override {
        if (!feeder) return;
        feeder->quit();
        // A sound server that never answers must not keep the game from
        // ending: the thread is then left to the end of the process.
        if (feeder->wait(QDeadlineTimer(2000))) delete feeder;
    }

    void Open(const QAudioFormat& clipFormat) override {
        if (feeder) return;
        format = clipFormat;
        feeder = new StreamFeeder(format);
        feeder->start();
    }

    bool HasDevice() const override { return feeder && !feeder->Failed(); }
    void Stop() override {
        if (feeder) feeder->Push(nullptr);
    }
    void Play(const WaveClip& clip) override {
        if (feeder && clip.Format == format) feeder->Push(new Voice{clip.Samples});
    }

  private:
    QAudioFormat format;
    StreamFeeder* feeder = nullptr;
};

} // namespace

WaveClip ParseWave(const QByteArray& image) {
    const char* bytes = image.constData();
    const qsizetype size = image.size();
    if (size < 12 || image.left(4) != "RIFF" || image.mid(8, 4) != "WAVE") return {};
    QAudioFormat format;
    bool haveFormat = false;
    qsizetype at = 12;
    while (at + 8 <= size) {
        const QByteArray id = image.mid(at, 4);
        const quint32 length = Le32(bytes + at + 4);
        const qsizetype body = at + 8;
        if (length > static_cast<quint64>(size - body)) return {};
        if (id == "fmt ") {
            if (length < 16 || Le16(bytes + body) != 1) return {}; // PCM only
            const int channels = Le16(bytes + body + 2);
            const int rate = static_cast<int>(Le32(bytes + body + 4));
            const int bits = Le16(bytes + body + 14);
            if (channels < 1 || channels > 2 || rate < 1000 || rate > 192000) return {};
            if (bits != 8 && bits != 16) return {};
            format.setChannelCount(channels);
            format.setSampleRate(rate);
            format.setSampleFormat(bits == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat || length == 0) return {};
            return {format, image.mid(body, length)};
        }
        at = body + length + (length & 1); // chunks are padded to even sizes
    }
    return {};
}

std::unique_ptr<CueOutput> MakeAudioOutput() {
    return std::make_unique<StreamOutput>();
}

SoundCues::SoundCues(std::unique_ptr<CueOutput> output) : output(std::move(output)) {}

void SoundCues::LoadClips() {
    for (int i = 0; i < CueCount; ++i) {
        QFile file(QString(":/sounds/cue%1.wav").arg(i + 1));
        SetClip(i, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
}

void SoundCues::SetClip(int index, const QByteArray& image) {
    if (index < 0 || index >= CueCount) return;
    clips[index] = ParseWave(image);
    if (!outputOpen && !clips[index].IsEmpty()) {
        output->Open(clips[index].Format);
        outputOpen = true;
    }
}

void SoundCues::PlayCue(int cue) {
    if (!soundOn) return;
    output->Stop();
    if (cue < 1 || cue > CueCount) return;
    const WaveClip& clip = clips[cue - 1];
    if (clip.IsEmpty() || !output->HasDevice()) return;
    output->Play(clip);
}
