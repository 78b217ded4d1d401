// The board's costs on a 1920 x 1080 window, offscreen: one move step and one
// turn step of a held triangle against a full repaint of the board, and the
// start-up to the first painted frame. A step must cost well under a repaint,
// a tenth of it or less. The window is drawn at 2x, as on a 3840 x 2160 screen,
// unless QT_SCALE_FACTOR says otherwise (QT_SCALE_FACTOR=1 for a plain screen).
#include "shell/board_box.h"
#include "shell/main_form.h"
#include "ui/dialog_seam.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

// Sound as on a machine without a device: every cue is silent.
struct NoSound : CueOutput {
    bool HasDevice() const override { return false; }
    void Stop() override {}
    void Play(const WaveClip&) override {}
};

// One square figure (two triangles in each of four 10 x 10 squares).
void WriteCollection(const QString& dir) {
    QByteArray bytes;
    for (int dy : {0, 10})
        for (int dx : {0, 10}) {
            const char x = char(35 + dx), y = char(20 + dy);
            const char record[] = {char(x + 7), char(y + 7), 0, char(x + 3), char(y + 3), 8};
            bytes.append(record, sizeof record);
        }
    QFile file(dir + "/ftrg2.dat");
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

// Notices the board box's first paint.
struct PaintWatch : QObject {
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override {
        painted = painted || event->type() == QEvent::Paint;
        return false;
    }
};

struct Window {
    QTemporaryDir dir;
    std::unique_ptr<TMainForm> form;

    // Returns once the board has been painted on the screen.
    Window() {
        WriteCollection(dir.path());
        form = std::make_unique<TMainForm>(dir.path(), dir.filePath("settings.ini"),
                                           std::make_unique<NoSound>());
        form->FormCreate();
        form->CreateSecondaryWindows();
        PaintWatch watch;
        form->box->installEventFilter(&watch);
        form->resize(1920, 1080);
        form->show();
        while (!watch.painted)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        form->box->removeEventFilter(&watch);
        form->FormActivate();
    }

    // Paints what the last step asked to repaint, as the event loop would.
    void Flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest); }

    void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        BoardBox* box = form->box;
        QMouseEvent event(type, at, box->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(box, &event);
    }

    QPoint Anchor(int t) const {
        const Placement& p = form->game.board.Triangles[t];
        return {p.Col * form->box->Unit(), p.Row * form->box->Unit()};
    }
};

void MoveStep(benchmark::State& state) {
    Window w;
    const int unit = w.form->box->Unit();
    const QPoint grip = w.Anchor(3);
    w.Send(QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    w.Flush();
    const Placement& held = w.form->game.board.Triangles[3];
    int i = 0, steps = 0;
    for (auto _ : state) {
        const int before = held.Col;
        const QPoint to = grip + QPoint(++i % 2 ? unit : 0, 0); // one cell, back and forth
        w.Send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        w.Flush();
        steps += held.Col != before;
    }
    state.counters["unit"] = unit;
    state.counters["scale"] = w.form->box->Scale();
    state.counters["stepped"] = double(steps) / double(state.iterations());
}

void TurnStep(benchmark::State& state) {
    Window w;
    const QPoint anchor = w.Anchor(3);
    w.Send(QEvent::MouseButtonPress, anchor, Qt::LeftButton, Qt::LeftButton); // pick up
    w.Send(QEvent::MouseButtonRelease, anchor, Qt::LeftButton, Qt::NoButton);
    // Five units out from the anchor point, in whatever direction is inside.
    const int unit = w.form->box->Unit();
    QPoint grip;
    for (int k = 0; k < 16 && !grip.manhattanLength(); ++k) {
        const double a = k * M_PI / 8;
        const QPoint at =
            anchor + QPoint(int(std::cos(a) * 5 * unit), int(-std::sin(a) * 5 * unit));
        if (HitZone(w.form->game.board, unit, at.x(), at.y(), 3) == ZoneTurn) grip = at;
    }
    w.Send(QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    w.Flush();
    // Back and forth by one step of 22.5 degrees about the anchor point.
    const QPoint d = grip - anchor;
    const double c = std::cos(M_PI / 8), s = std::sin(M_PI / 8);
    const QPoint turned = anchor + QPoint(int(std::lround(d.x() * c + d.y() * s)),
                                          int(std::lround(-d.x() * s + d.y() * c)));
    const Placement& held = w.form->game.board.Triangles[3];
    int i = 0, steps = 0;
    for (auto _ : state) {
        const int before = held.Orient;
        w.Send(QEvent::MouseMove, ++i % 2 ? turned : grip, Qt::NoButton, Qt::LeftButton);
        w.Flush();
        steps += held.Orient != before;
    }
    state.counters["stepped"] = double(steps) / double(state.iterations());
}

void FullRepaint(benchmark::State& state) {
    Window w;
    for (auto _ : state) {
        w.form->box->boxPaint();
        w.Flush();
    }
}

// Creation, the first showing and the board's first paint.
void StartUpToFirstFrame(benchmark::State& state) {
    for (auto _ : state) {
        auto w = std::make_unique<Window>();
        state.PauseTiming();
        w.reset();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(MoveStep);
BENCHMARK(TurnStep);
BENCHMARK(FullRepaint);
BENCHMARK(StartUpToFirstFrame)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qgetenv("QT_SCALE_FACTOR").isEmpty()) qputenv("QT_SCALE_FACTOR", "2");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication app(argc, argv);
    // The first activation's language and info dialogs close at once.
    DialogSeam::SetResponder({[](QDialog*) { return 2; }, {}, {}});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
