#include "ui/centre_over_main.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMoveEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

// Runs `place` again on the first exposure of the window, before anything is
// painted, and again whenever the window manager moves the window or its frame
// becomes known while it settles: openbox under load may frame or place a window
// after its first exposure. It goes once nothing happened for a moment, so the
// player's own moves later are left alone, and after a few placements at most,
// so a window manager that insists cannot make it loop.
class PlaceWhenFramed : public QObject {
  public:
    PlaceWhenFramed(QWidget* widget, QWindow* window, std::function<void()> place)
        : QObject(window), widget(widget), place(std::move(place)) {
        setObjectName("PlaceWhenFramed");
        settled.setSingleShot(true);
        settled.setInterval(SettleMilliseconds);
        connect(&settled, &QTimer::timeout, this, &QObject::deleteLater);
        window->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Expose:
            if (!exposed && static_cast<QWindow*>(watched)->isExposed()) {
                exposed = true;
                PlaceAgain(); // now, so the first paint is already in its place
            }
            break;
        case QEvent::Move:
            // Our own moves arrive where the widget already is; others did not.
            if (static_cast<QMoveEvent*>(event)->pos() != widget->geometry().topLeft()) Later();
            break;
        default:
            if (exposed && FrameMargins(widget) != margins) Later();
            break;
        }
        return false;
    }

  private:
    static constexpr int SettleMilliseconds = 500;
    static constexpr int MostPlacements = 4;

    // After the event has reached the widget, so the placement sees its geometry.
    void Later() {
        if (!pending) {
            pending = true;
            QTimer::singleShot(0, this, [this] {
                pending = false;
                PlaceAgain();
            });
        }
    }

    void PlaceAgain() {
        if (placements == MostPlacements) return deleteLater();
        ++placements;
        place();
        margins = FrameMargins(widget);
        if (exposed) settled.start();
    }

    QWidget* widget;
    std::function<void()> place;
    QTimer settled;
    QMargins margins;
    int placements = 0;
    bool exposed = false;
    bool pending = false;
};

} // namespace

void CreateNativeWindow(QWidget* window) {
    if (!window->isWindow() || window->windowHandle()) return;
    const bool siblingsBefore =
        QCoreApplication::testAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    window->winId();
    QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings, siblingsBefore);
}

QMargins FrameMargins(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                    frame.right() - client.right(), frame.bottom() - client.bottom());
}

void PlaceNowAndWhenFramed(QWidget* window, const std::function<void()>& place) {
    place();
    // A window manager may drop the frame of a hidden window, so every showing
    // gets its second placement; when nothing changed it moves nowhere.
    CreateNativeWindow(window);
    if (QWindow* handle = window->windowHandle()) {
        // One at a time: a window shown again before its frame came keeps one.
        const QString marker = "PlaceWhenFramed";
        for (QObject* pending : handle->findChildren<QObject*>(marker, Qt::FindDirectChildrenOnly))
            delete pending;
        new PlaceWhenFramed(window, handle, place);
    }
}

void CentreOverMain(QWidget* dialog, const QWidget* mainWindow) {
    if (!mainWindow) return;
    PlaceNowAndWhenFramed(dialog, [dialog, mainWindow] {
        const QRect main = mainWindow->frameGeometry();
        QSize own = dialog->frameGeometry().size();
        // Before its first showing a dialog has no frame yet; the main window's is
        // the best guess until the real one is known.
        if (own == dialog->size()) own = own.grownBy(FrameMargins(mainWindow));
        const int left = main.left() + (main.width() - own.width()) / 2;
        const int top = main.top() + main.height() - (mainWindow->height() + own.height()) / 2;
        dialog->move(left, top); // move() places the frame's top-left corner
    });
}
