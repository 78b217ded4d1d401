#include "ui/centre_over_main.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace {

// Runs `place` again on the first exposure of the window, when the window
// manager has put its frame around it but nothing is painted yet; then it goes.
class PlaceWhenFramed : public QObject {
  public:
    PlaceWhenFramed(QWindow* window, std::function<void()> place)
        : QObject(window), place(std::move(place)) {
        setObjectName("PlaceWhenFramed");
        window->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            place();
            deleteLater();
        }
        return false;
    }

  private:
    std::function<void()> place;
};

} // namespace

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
    if (!window->windowHandle()) window->winId();
    if (QWindow* handle = window->windowHandle()) {
        // One at a time: a window shown again before its frame came keeps one.
        const QString marker = "PlaceWhenFramed";
        for (QObject* pending : handle->findChildren<QObject*>(marker, Qt::FindDirectChildrenOnly))
            delete pending;
        new PlaceWhenFramed(handle, place);
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
