#include "shell/sound_cues.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QMediaDevices>
#include <QtEndian>

namespace {

quint32 Le32(const char* p) {
    return qFromLittleEndian<quint32>(p);
}
quint16 Le16(const char* p) {
    return qFromLittleEndian<quint16>(p);
}

// Plays from memory through Qt's audio sink: no file access and no conversion
// while a drag asks for cue after cue.
class AudioSinkOutput : public CueOutput {
  public:
    AudioSinkOutput() : devices(std::make_unique<QMediaDevices>()) {
        ReadDevice();
        QObject::connect(devices.get(), &QMediaDevices::audioOutputsChanged,
                         [this] { ReadDevice(); });
    }
    ~AudioSinkOutput() override { Stop(); }

    bool HasDevice() const override { return !device.isNull(); }

    void Stop() override {
        if (sink) sink->stop();
        buffer.close();
    }

    void Play(const WaveClip& clip) override {
        if (!sink || sink->format() != clip.Format) {
            sink.reset();
            if (!device.isFormatSupported(clip.Format)) return;
            sink = std::make_unique<QAudioSink>(device, clip.Format);
        }
        buffer.close();
        buffer.setData(clip.Samples); // shares the clip's bytes
        buffer.open(QIODevice::ReadOnly);
        sink->start(&buffer);
    }

  private:
    void ReadDevice() {
        if (sink) sink->stop();
        sink.reset(); // a sink belongs to the device it was made for
        device = QMediaDevices::defaultAudioOutput();
    }

    std::unique_ptr<QMediaDevices> devices;
    QAudioDevice device;
    std::unique_ptr<QAudioSink> sink;
    QBuffer buffer;
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
    return std::make_unique<AudioSinkOutput>();
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
}

void SoundCues::PlayCue(int cue) {
    if (!soundOn) return;
    output->Stop();
    if (cue < 1 || cue > CueCount) return;
    const WaveClip& clip = clips[cue - 1];
    if (clip.IsEmpty() || !output->HasDevice()) return;
    output->Play(clip);
}
