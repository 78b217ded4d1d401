#include "dialogs/pattern.h"

#include "ui/centre_over_main.h"
#include "ui/figure_drawing.h"
#include "ui/palette_colours.h"
#include "ui/settings.h"
#include "ui/texts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <algorithm>

QString PatternCaption(const GameData& data) {
    QString caption = QString("Trigonet %1").arg(data.CurrentFigure);
    const int figure = data.CurrentFigure;
    if (figure < 1 || figure > MaxFigures) return caption;
    const uint8_t progress = data.Progress[figure];
    if (!IsFinished(progress)) return caption;
    // The same reading as the selection dialog and the statistics, so a damaged
    // byte (13..15, 0x7F, 0xFF) is given up everywhere.
    if (IsGivenUp(progress)) return caption + Text(data.Language, " - aufgegeben", " - dropped");
    return caption + Text(data.Language, " - gelöst", " - solved");
}

TPatForm::TPatForm(const GameData& data, Settings& ini, QWidget* mainWindow)
    // Undecorated: openbox keeps a close button on any framed window whatever the
    // hints say, and a 181-pixel title bar has no room left for the caption.
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                              Qt::CustomizeWindowHint),
      data(data), ini(ini), mainWindow(mainWindow) {
    setObjectName("PatForm");
    setAttribute(Qt::WA_QuitOnClose, false); // the game ends with the main window
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(ClientWidth, CaptionHeight + ClientHeight);
    AskForToolbarType();
    // Openbox taking over a window just mapped may leave Qt believing it sits at
    // 0,0, and that is what would be stored; the placement is asked for again
    // until the window settles. Without a frame the window's edge is the client
    // area's, which stays right where Qt's guess at the frame may go stale.
    const QPoint stored = ini.TargetPosition();
    followMain = mainWindow && !ini.HasTargetPosition();
    if (followMain) {
        // The main window is placed (and framed) after this window is shown.
        mainWindow->installEventFilter(this);
        mainSettled.setSingleShot(true);
        mainSettled.setInterval(500);
        connect(&mainSettled, &QTimer::timeout, this, [this] { followMain = false; });
        PlaceNowAndWhenFramed(this, [this] { PlaceBesideMain(); });
        return;
    }
    PlaceNowAndWhenFramed(this,
                          [this, stored] { setGeometry(QRect(OnTheDesktop(stored), size())); });
}

void TPatForm::PlaceBesideMain() {
    const QPoint preferred = OnTheDesktop(ini.TargetPosition());
    if (!mainWindow->isVisible()) {
        setGeometry(QRect(preferred, size()));
        placedAt = pos();
        return;
    }
    const QScreen* screen = mainWindow->screen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    setGeometry(QRect(
        FirstPlace(preferred, FrameGeometry(mainWindow), mainWindow->geometry(), room), size()));
    placedAt = pos();
}

bool TPatForm::eventFilter(QObject* watched, QEvent* event) {
    if (followMain && watched == mainWindow &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
         event->type() == QEvent::Show || event->type() == QEvent::WindowStateChange)) {
        // Moved elsewhere since (by the game, say): that place stays.
        if (placedAt && pos() != *placedAt) followMain = false;
        if (!followMain) return QWidget::eventFilter(watched, event);
        PlaceBesideMain();
        // Once the window manager has done with the main window, moving it is the
        // player's business, and this window stays where it is.
        if (mainWindow->isVisible()) mainSettled.start();
    }
    return QWidget::eventFilter(watched, event);
}

QPoint TPatForm::FirstPlace(QPoint preferred, const QRect& mainFrame, const QRect& mainClient,
                            const QRect& room) {
    const QSize own(ClientWidth, CaptionHeight + ClientHeight);
    const QRect titleBar(mainFrame.topLeft(), QPoint(mainFrame.right(), mainClient.top() - 1));
    const QRect wanted(preferred, own);
    if (!wanted.intersects(titleBar) && (room.isEmpty() || room.contains(wanted))) return preferred;
    constexpr int Gap = 8;
    const QPoint beside[] = {
        {mainFrame.right() + 1 + Gap, mainClient.top()},
        {mainFrame.left() - Gap - own.width(), mainClient.top()},
        {mainFrame.right() + 1 - own.width(), mainFrame.top() - Gap - own.height()},
        {mainFrame.right() + 1 - own.width(), mainFrame.bottom() + 1 + Gap},
    };
    if (room.isEmpty()) return beside[0];
    // Without room beside it, pushed onto the screen where it hides the least of
    // the main window: at its edge the marble, not the board.
    const auto intoRoom = [&](QPoint at) {
        return QPoint(
            std::clamp(at.x(), room.left(), std::max(room.left(), room.right() + 1 - own.width())),
            std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() + 1 - own.height())));
    };
    const auto hidden = [&](QPoint at) {
        const QRect common = QRect(at, own).intersected(mainFrame);
        return common.isEmpty() ? 0 : common.width() * common.height();
    };
    // Over the client area's top right corner, which holds neither toolbar
    // buttons nor the board's middle, when nothing else keeps the title free.
    QPoint best = intoRoom({mainClient.right() + 1 - own.width(), mainClient.top()});
    for (const QPoint wish : beside) {
        const QPoint at = intoRoom(wish);
        if (at == wish) return at;
        if (!QRect(at, own).intersects(titleBar) && hidden(at) < hidden(best)) best = at;
    }
    return best;
}

QPoint TPatForm::OnTheDesktop(QPoint stored) {
    const QRect strip(stored, QSize(ClientWidth, CaptionHeight));
    // The screen that shows most of the strip, else the nearest one.
    const QScreen* best = nullptr;
    int bestArea = -1, bestDistance = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect room = screen->availableGeometry();
        const QRect shared = room & strip;
        const int area = shared.isEmpty() ? 0 : shared.width() * shared.height();
        const int distance = (room.center() - strip.center()).manhattanLength();
        if (area > bestArea || (area == bestArea && distance < bestDistance))
            best = screen, bestArea = area, bestDistance = distance;
    }
    if (!best) return stored;
    const QRect room = best->availableGeometry();
    return QPoint(
        std::clamp(stored.x(), room.left(), std::max(room.left(), room.right() + 1 - ClientWidth)),
        std::clamp(stored.y(), room.top(),
                   std::max(room.top(), room.bottom() + 1 - CaptionHeight)));
}

void TPatForm::AskForToolbarType() {
    // A window manager may still offer to minimise an undecorated window (and
    // openbox once minimised it for good); a toolbar window it neither minimises
    // nor maximises. Qt reads the wanted type when the window's flags are set, so
    // they are set anew around it.
    if (QGuiApplication::platformName() != "xcb") return;
    CreateNativeWindow(this);
    QWindow* window = windowHandle();
    if (!window) return;
    constexpr int ToolbarType = 0x08; // Qt's own value for _NET_WM_WINDOW_TYPE_TOOLBAR
    window->setProperty("_q_xcb_wm_window_type", ToolbarType);
    const Qt::WindowFlags flags = window->flags();
    window->setFlags(flags ^ Qt::WindowTransparentForInput);
    window->setFlags(flags);
}

TPatForm::~TPatForm() {
    ini.SetTargetPosition(geometry().topLeft());
    ini.Write();
}

void TPatForm::Refresh() {
    // A window manager may minimise it anyway; nothing else would bring it back.
    if (isMinimized()) showNormal();
    setWindowTitle(PatternCaption(data));
    repaint();
}

void TPatForm::paintEvent(QPaintEvent*) {
    const QString caption = PatternCaption(data);
    QPainter painter(this);
    PaintCaption(painter, caption);
    painter.translate(FigureArea().topLeft());
    painter.setClipRect(0, 0, ClientWidth, ClientHeight);
    DrawTargetFigure(painter, data.Figures[0], FigureOnBoard(data, 0)); // a damaged one: none
    setWindowTitle(caption);
}

void TPatForm::PaintCaption(QPainter& painter, const QString& caption) {
    const QRect strip(0, 0, ClientWidth, CaptionHeight);
    // The theme's selection colours, the strip darkened or lightened where they
    // read too faintly (white on a mid blue is 3.7:1 in the default palette).
    const QColor text = palette().color(QPalette::Active, QPalette::HighlightedText);
    painter.fillRect(strip,
                     ReadableOn(palette().color(QPalette::Active, QPalette::Highlight), text));
    constexpr int Margin = 4;
    const QRect room = strip.adjusted(Margin, 0, -Margin, 0);
    // The whole caption must show: a long figure number or language shrinks the
    // letters rather than cutting the words.
    QFont font = this->font();
    font.setBold(true);
    for (int pixels = 12; pixels > 7; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).horizontalAdvance(caption) <= room.width()) break;
    }
    painter.setFont(font);
    painter.setPen(text);
    painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption);
}

void TPatForm::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || event->position().y() >= CaptionHeight) return;
    grabbedAt = event->position().toPoint();
    byHand = false;
    followMain = false; // the player's place from now on
}

void TPatForm::mouseMoveEvent(QMouseEvent* event) {
    if (!grabbedAt) return;
    if (!(event->buttons() & Qt::LeftButton)) return grabbedAt.reset(); // released elsewhere
    const QPoint at = event->position().toPoint();
    if (!byHand) {
        // The window manager is asked only once the pointer moves with the button
        // held: asked at the press, it misses a quick release (a touchpad's tap)
        // and leaves the window stuck to the pointer.
        if ((at - *grabbedAt).manhattanLength() < QApplication::startDragDistance()) return;
        // The window first goes the whole way the pointer went, so the window
        // manager's move starts with the pointer where it grabbed the strip.
        move(event->globalPosition().toPoint() - *grabbedAt);
        QWindow* window = windowHandle();
        if (window && window->startSystemMove()) return grabbedAt.reset();
        byHand = true; // no window manager to ask, or one that will not move it
    }
    move(event->globalPosition().toPoint() - *grabbedAt);
}

void TPatForm::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) grabbedAt.reset();
}

void TPatForm::closeEvent(QCloseEvent* event) {
    // The window stays for the whole run: a window manager that shows a close
    // button anyway does not take it away.
    if (event->spontaneous()) event->ignore();
}
