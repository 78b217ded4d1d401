#include "shell/cue_stream.h"

#include <QCoreApplication>

#include <pulse/context.h>
#include <pulse/mainloop.h>
#include <pulse/stream.h>
#include <pulse/timeval.h>

#include <dlfcn.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

namespace {

// The client library is opened by the sound thread, not linked to the
// program: linked, it and the dozen codec libraries it pulls in would be
// loaded and bound ahead of the game's first frame.
// clang-format off
#define TRIGONET_PULSE_FUNCTIONS(X) \
    X(bytes_to_usec) X(context_connect) X(context_disconnect) X(context_get_state) \
    X(context_new_with_proplist) X(context_set_state_callback) X(context_unref) X(frame_size) \
    X(gettimeofday) X(mainloop_free) X(mainloop_get_api) X(mainloop_new) X(mainloop_run) \
    X(operation_unref) X(proplist_free) X(proplist_new) X(proplist_sets) \
    X(stream_begin_write) X(stream_cancel_write) X(stream_connect_playback) X(stream_cork) \
    X(stream_disconnect) X(stream_flush) X(stream_get_buffer_attr) X(stream_get_state) \
    X(stream_new_with_proplist) X(stream_set_state_callback) X(stream_unref) X(stream_write) \
    X(timeval_add) X(usec_to_bytes)
// clang-format on

struct PulseLibrary {
#define TRIGONET_PULSE_POINTER(name) decltype(&::pa_##name) name = nullptr;
    TRIGONET_PULSE_FUNCTIONS(TRIGONET_PULSE_POINTER)
#undef TRIGONET_PULSE_POINTER
    bool loaded = false;
};

// Once for the process, by the first sound thread; never closed, as the
// library keeps threads and handlers of its own.
const PulseLibrary& Pulse() {
    static PulseLibrary library;
    static std::once_flag once;
    std::call_once(once, [] {
        void* handle = dlopen("libpulse.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!handle) return;
        bool all = true;
#define TRIGONET_PULSE_LOOKUP(name)                                                                \
    library.name = reinterpret_cast<decltype(library.name)>(dlsym(handle, "pa_" #name));           \
    all = all && library.name;
        TRIGONET_PULSE_FUNCTIONS(TRIGONET_PULSE_LOOKUP)
#undef TRIGONET_PULSE_LOOKUP
        library.loaded = all;
    });
    return library;
}

// The samples of one cue, shared with the clip they came from. The window
// thread makes one for each cue and hands it over; from then on the sound
// thread owns it.
struct Voice {
    QByteArray samples;
    std::chrono::steady_clock::time_point asked = std::chrono::steady_clock::now();
};

// What the window thread and the sound thread share. Both hold it, so that a
// sound thread left behind at the end still finds it.
struct Mailbox {
    std::atomic<Voice*> pending = nullptr;
    // No server at the moment: cues are dropped, not kept for later.
    std::atomic<bool> failed = false;
    std::atomic<bool> quit = false;
    Voice stop; // marks a stop request; never freed
    // Counts the requests, so no wake-up is ever lost between a look at
    // pending and the sound thread's next sleep.
    const int wake = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    std::mutex lock;
    std::condition_variable ended;
    bool done = false;

    ~Mailbox() {
        Discard(pending.exchange(nullptr));
        if (wake >= 0) close(wake);
    }
    void Discard(Voice* voice) {
        if (voice != &stop) delete voice;
    }
    // From the window thread: a system call of a microsecond, never a wait.
    void Post(Voice* voice) {
        Discard(pending.exchange(voice));
        Wake();
    }
    void Wake() {
        const quint64 one = 1;
        if (write(wake, &one, sizeof one) < 0) return; // the counter is full: a wake-up is due
    }
};

// The sound thread's connection to the server: every call into the client
// library happens here, so a slow or missing server never holds up the
// window. A cue flushes what the stream still holds, which cuts off the clip
// before, and writes its whole clip at once: from then on the server plays it
// to its end however late this thread or the game gets the processor. Once a
// clip has played out and a moment has passed, the stream is corked, so the
// server may let the sink sleep; the next cue uncorks it behind its samples.
// A server that fails or goes away is tried again, sooner at first, and the
// cues asked for meanwhile are dropped.
class PulseStream {
  public:
    // The server's share of the stream, and how much it asks for at a time,
    // which under PipeWire sets how often its PulseAudio service must keep up:
    // enough for a loaded desktop, short enough that a cue follows its move
    // (10 ms at a time left the 2.3 s clip with gaps on a busy machine).
    static constexpr int BufferMs = 40;
    static constexpr int RequestMs = 20;
    // Silence after a clip before the stream is corked: a drag's cues come
    // closer together than this, so they never wait for an uncork.
    static constexpr int IdleMs = 1000;
    // Between attempts to reach the server: doubling from the first, never
    // longer than the last, so a server that is back is heard within 2 s.
    static constexpr int RetryFirstMs = 100;
    static constexpr int RetryLastMs = 500;
    // An attempt that a server accepts and never answers is given up.
    static constexpr int AttemptMs = 3000;
    // A cue that waited for the stream to open is not worth playing later.
    static constexpr int WaitMs = 1000;

    PulseStream(std::shared_ptr<Mailbox> box, const pa_sample_spec& format, std::string name,
                std::string server)
        : box(std::move(box)), format(format), name(std::move(name)), server(std::move(server)) {}

    void Run() {
        if (!pa.loaded) return Fail(); // no client library: silence, as without a server
        loop = pa.mainloop_new();
        if (!loop) return Fail();
        api = pa.mainloop_get_api(loop);
        pa_io_event* wakeEvent =
            box->wake < 0 ? nullptr : api->io_new(api, box->wake, PA_IO_EVENT_INPUT, OnWake, this);
        retryTimer = api->time_new(api, nullptr, OnRetry, this);
        idleTimer = api->time_new(api, nullptr, OnIdle, this);
        attemptTimer = api->time_new(api, nullptr, OnAttemptTimeout, this);
        if (wakeEvent && retryTimer && idleTimer && attemptTimer) {
            Connect();
            pa.mainloop_run(loop, nullptr);
        } else {
            Fail();
        }
        Drop();
        for (pa_time_event* timer : {retryTimer, idleTimer, attemptTimer})
            if (timer) api->time_free(timer);
        if (wakeEvent) api->io_free(wakeEvent);
        pa.mainloop_free(loop);
        box->Discard(waiting);
    }

  private:
    void Fail() {
        box->failed = true;
        ready = false;
    }

    void Arm(pa_time_event* timer, int ms) {
        timeval when;
        pa.timeval_add(pa.gettimeofday(&when), static_cast<pa_usec_t>(ms) * 1000);
        api->time_restart(timer, &when);
    }
    void Disarm(pa_time_event* timer) { api->time_restart(timer, nullptr); }

    void Connect() {
        pa_proplist* props = pa.proplist_new();
        pa.proplist_sets(props, PA_PROP_APPLICATION_NAME, name.c_str());
        context = pa.context_new_with_proplist(api, name.c_str(), props);
        pa.proplist_free(props);
        if (!context) return Lost();
        pa.context_set_state_callback(context, OnContextState, this);
        Arm(attemptTimer, AttemptMs);
        // Never start a server of our own: no server means no sound.
        if (pa.context_connect(context, server.empty() ? nullptr : server.c_str(),
                               PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
            Lost();
    }

    // The server failed, went away or never answered: silence until the
    // next attempt. The old context is let go from the retry, outside its
    // own callbacks.
    void Lost() {
        Fail();
        Disarm(attemptTimer);
        Disarm(idleTimer);
        box->Discard(std::exchange(waiting, nullptr));
        Arm(retryTimer, retryMs);
        retryMs = std::min(2 * retryMs, RetryLastMs);
    }

    void Drop() {
        if (stream) {
            pa.stream_set_state_callback(stream, nullptr, nullptr);
            pa.stream_disconnect(stream);
            pa.stream_unref(stream);
            stream = nullptr;
        }
        if (context) {
            pa.context_set_state_callback(context, nullptr, nullptr);
            pa.context_disconnect(context);
            pa.context_unref(context);
            context = nullptr;
        }
        corked = false;
    }

    void OpenStream() {
        pa_proplist* props = pa.proplist_new();
        pa.proplist_sets(props, PA_PROP_MEDIA_ROLE, "game");
        stream = pa.stream_new_with_proplist(context, "Sound cues", &format, nullptr, props);
        pa.proplist_free(props);
        if (!stream) return Lost();
        pa.stream_set_state_callback(stream, OnStreamState, this);
        pa_buffer_attr attr;
        attr.maxlength = static_cast<quint32>(-1);
        attr.tlength = static_cast<quint32>(pa.usec_to_bytes(BufferMs * 1000, &format));
        attr.prebuf = static_cast<quint32>(-1);
        attr.minreq = static_cast<quint32>(pa.usec_to_bytes(RequestMs * 1000, &format));
        attr.fragsize = static_cast<quint32>(-1);
        // Corked until the first cue: a stream with nothing to play keeps
        // the sink awake.
        corked = true;
        if (pa.stream_connect_playback(
                stream, nullptr, &attr,
                static_cast<pa_stream_flags_t>(PA_STREAM_ADJUST_LATENCY | PA_STREAM_START_CORKED),
                nullptr, nullptr) < 0)
            Lost();
    }

    void Cork(bool on) {
        if (corked == on) return;
        corked = on;
        if (pa_operation* cork = pa.stream_cork(stream, on, nullptr, nullptr))
            pa.operation_unref(cork);
    }

    // Cuts off what plays and starts voice (nullptr: nothing more).
    void Start(Voice* voice) {
        if (pa_operation* flush = pa.stream_flush(stream, nullptr, nullptr))
            pa.operation_unref(flush);
        if (!voice) return;
        pa.stream_write(stream, voice->samples.constData(), voice->samples.size(), nullptr, 0,
                        PA_SEEK_RELATIVE);
        // Silence behind it: a clip shorter than what the server gathers
        // before it starts a stream still plays, and whole.
        const pa_buffer_attr* attr = pa.stream_get_buffer_attr(stream);
        const size_t tail = attr ? std::max<size_t>(attr->prebuf, attr->minreq) : 4096;
        void* zeros = nullptr;
        size_t bytes = tail - tail % pa.frame_size(&format);
        if (bytes > 0 && pa.stream_begin_write(stream, &zeros, &bytes) == 0 && zeros) {
            bytes -= bytes % pa.frame_size(&format);
            std::memset(zeros, 0, bytes);
            if (bytes > 0)
                pa.stream_write(stream, zeros, bytes, nullptr, 0, PA_SEEK_RELATIVE);
            else
                pa.stream_cancel_write(stream);
        }
        // Uncorked behind the samples, so the server finds the clip there.
        Cork(false);
        const auto playMs = static_cast<int>(
            pa.bytes_to_usec(voice->samples.size() + static_cast<quint64>(tail), &format) / 1000);
        Arm(idleTimer, playMs + IdleMs);
        delete voice;
    }

    void Take() {
        quint64 count = 0;
        [[maybe_unused]] const ssize_t none = read(box->wake, &count, sizeof count); // resets it
        if (box->quit) {
            api->quit(api, 0);
            return;
        }
        Voice* voice = box->pending.exchange(nullptr);
        if (!voice) return;
        if (ready) return Start(voice == &box->stop ? nullptr : voice);
        box->Discard(std::exchange(waiting, nullptr));
        // The first cue may come while the stream is being opened: it plays
        // as soon as the stream is there, if that is soon.
        if (!box->failed && voice != &box->stop)
            waiting = voice;
        else
            box->Discard(voice);
    }

    static void OnWake(pa_mainloop_api*, pa_io_event*, int, pa_io_event_flags_t, void* self) {
        static_cast<PulseStream*>(self)->Take();
    }
    static void OnRetry(pa_mainloop_api*, pa_time_event*, const timeval*, void* data) {
        auto* self = static_cast<PulseStream*>(data);
        self->Disarm(self->retryTimer);
        self->Drop();
        self->Connect();
    }
    static void OnIdle(pa_mainloop_api*, pa_time_event*, const timeval*, void* data) {
        auto* self = static_cast<PulseStream*>(data);
        self->Disarm(self->idleTimer);
        if (self->ready) self->Cork(true);
    }
    static void OnAttemptTimeout(pa_mainloop_api*, pa_time_event*, const timeval*, void* data) {
        static_cast<PulseStream*>(data)->Lost();
    }
    static void OnContextState(pa_context* context, void* data) {
        auto* self = static_cast<PulseStream*>(data);
        switch (self->pa.context_get_state(context)) {
        case PA_CONTEXT_READY:
            self->OpenStream();
            break;
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED:
            self->Lost();
            break;
        default:
            break;
        }
    }
    static void OnStreamState(pa_stream* stream, void* data) {
        auto* self = static_cast<PulseStream*>(data);
        switch (self->pa.stream_get_state(stream)) {
        case PA_STREAM_READY:
            self->Found();
            break;
        case PA_STREAM_FAILED:
        case PA_STREAM_TERMINATED:
            self->Lost();
            break;
        default:
            break;
        }
    }

    void Found() {
        Disarm(attemptTimer);
        retryMs = RetryFirstMs;
        ready = true;
        box->failed = false;
        Voice* voice = std::exchange(waiting, nullptr);
        if (voice &&
            std::chrono::steady_clock::now() - voice->asked < std::chrono::milliseconds(WaitMs))
            Start(voice);
        else
            delete voice;
    }

    const PulseLibrary& pa = Pulse();
    std::shared_ptr<Mailbox> box;
    pa_sample_spec format;
    std::string name;
    std::string server; // empty: the default one
    pa_mainloop* loop = nullptr;
    pa_mainloop_api* api = nullptr;
    pa_time_event* retryTimer = nullptr;
    pa_time_event* idleTimer = nullptr;
    pa_time_event* attemptTimer = nullptr;
    int retryMs = RetryFirstMs;
    pa_context* context = nullptr;
    pa_stream* stream = nullptr;
    bool ready = false;
    bool corked = false;
    Voice* waiting = nullptr; // a cue that came before the stream was ready
};

class PulseOutput : public CueOutput {
  public:
    ~PulseOutput() override {
        if (!thread.joinable()) return;
        box->quit = true;
        box->Wake();
        // A server that never answers must not keep the game from ending:
        // the thread is then left to the end of the process.
        std::unique_lock<std::mutex> lock(box->lock);
        if (box->ended.wait_for(lock, std::chrono::seconds(1), [&] { return box->done; })) {
            lock.unlock();
            thread.join();
        } else {
            lock.unlock();
            thread.detach();
        }
    }

    explicit PulseOutput(std::string server) : server(std::move(server)) {}

    void Open(int clipRate, int clipChannels) override {
        if (thread.joinable()) return;
        rate = clipRate;
        channels = clipChannels;
        const pa_sample_spec format{PA_SAMPLE_S16NE, static_cast<quint32>(rate),
                                    static_cast<quint8>(channels)};
        std::string name = QCoreApplication::applicationName().toStdString();
        if (name.empty()) name = "Fribo Trigonet";
        thread = std::thread([box = box, format, name, server = server] {
            // A cue waits for this thread: ahead of compilers and the like,
            // where the system lets us; without the right it keeps its share.
            setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), -10);
            pthread_setname_np(pthread_self(), SoundThreadName);
            PulseStream(box, format, name, server).Run();
            const std::lock_guard<std::mutex> lock(box->lock);
            box->done = true;
            box->ended.notify_all();
        });
    }

    // Until the server has answered, a cue waits for the stream.
    bool HasDevice() const override { return thread.joinable() && !box->failed; }
    void Stop() override {
        if (thread.joinable()) box->Post(&box->stop);
    }
    void Play(const WaveClip& clip) override {
        if (thread.joinable() && clip.Rate == rate && clip.Channels == channels)
            box->Post(new Voice{clip.Samples});
    }

  private:
    std::shared_ptr<Mailbox> box = std::make_shared<Mailbox>();
    std::string server;
    std::thread thread;
    int rate = 0;
    int channels = 0;
};

} // namespace

std::unique_ptr<CueOutput> MakeAudioOutput(const QString& server) {
    return std::make_unique<PulseOutput>(server.toStdString());
}
