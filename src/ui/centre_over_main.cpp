#include "ui/centre_over_main.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMoveEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstring>

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

namespace {

// Qt on X11 learns a window's frame only at a configure event after the window
// manager framed it. Openbox under load may set the frame's extents after the
// last one, and Qt then takes the window as frameless for as long as it stays
// where it is; the window manager's own word is asked for instead.
QMargins FrameExtentsOnX11(const QWidget* window) {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    // The offscreen platform answers as an X11 application too, without a
    // connection of its own.
    // A frameless window has none to ask for, and the round trip would come at
    // every look at its frame.
    if (!x11 || QGuiApplication::platformName() != QLatin1String("xcb") ||
        !window->windowHandle() || !window->isVisible() ||
        window->windowFlags().testFlag(Qt::FramelessWindowHint))
        return {};
    xcb_connection_t* connection = x11->connection();
    if (!connection) return {};
    static const xcb_atom_t extents = [connection] {
        constexpr const char* Name = "_NET_FRAME_EXTENTS";
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, true, std::strlen(Name), Name), nullptr);
        xcb_atom_t atom = XCB_ATOM_NONE;
        if (reply) atom = reply->atom;
        free(reply);
        return atom;
    }();
    if (extents == XCB_ATOM_NONE) return {};
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection,
        xcb_get_property(connection, false, static_cast<xcb_window_t>(window->winId()), extents,
                         XCB_ATOM_CARDINAL, 0, 4),
        nullptr);
    QMargins margins;
    if (reply && reply->type == XCB_ATOM_CARDINAL && reply->format == 32 &&
        xcb_get_property_value_length(reply) == 16) {
        const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(reply));
        // left, right, top, bottom; a frame beyond any screen is no frame
        if (v[0] < 1000 && v[1] < 1000 && v[2] < 1000 && v[3] < 1000)
            margins = QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
    }
    free(reply);
    // The property counts device pixels; Qt's geometry is in its own.
    const qreal ratio = window->devicePixelRatioF();
    return ratio == 1 ? margins
                      : QMargins(qRound(margins.left() / ratio), qRound(margins.top() / ratio),
                                 qRound(margins.right() / ratio), qRound(margins.bottom() / ratio));
}

} // namespace

QMargins FrameMargins(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    const QMargins margins(client.left() - frame.left(), client.top() - frame.top(),
                           frame.right() - client.right(), frame.bottom() - client.bottom());
    // Qt on X11 reads the frame off the window manager's frame window, which a
    // loaded openbox may not have sized yet: a frame smaller than the window is
    // none known, and a placement by it lands half a window off.
    const bool unsized =
        margins.left() < 0 || margins.top() < 0 || margins.right() < 0 || margins.bottom() < 0;
    if (!window->isWindow() || !(margins.isNull() || unsized)) return margins;
    return FrameExtentsOnX11(window);
}

QRect FrameGeometry(const QWidget* window) {
    return window->geometry().marginsAdded(FrameMargins(window));
}

QMargins FrameOrGuess(const QWidget* window, const QWidget* framedLike) {
    const QMargins frame = FrameMargins(window);
    return frame.isNull() && framedLike ? FrameMargins(framedLike) : frame;
}

void MoveFrameTo(QWidget* window, QPoint topLeft, QMargins frame) {
    window->setGeometry(QRect(topLeft + QPoint(frame.left(), frame.top()), window->size()));
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
        const QRect main = FrameGeometry(mainWindow);
        const QMargins frame = FrameOrGuess(dialog, mainWindow);
        const QSize own = dialog->size().grownBy(frame);
        const int left = main.left() + (main.width() - own.width()) / 2;
        const int top = main.top() + main.height() - (mainWindow->height() + own.height()) / 2;
        MoveFrameTo(dialog, {left, top}, frame);
    });
}
