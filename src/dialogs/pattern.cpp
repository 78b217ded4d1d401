#include "dialogs/pattern.h"

#include "board/orientation.h"
#include "ui/settings_store.h"
#include "ui/texts.h"
#include "ui/triangle_polygon.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QWindow>

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

TPatForm::TPatForm(const GameData& data, SettingsStore& ini, QWidget* mainWindow)
    : QWidget(mainWindow,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      data(data), ini(ini) {
    setObjectName("PatForm");
    setAttribute(Qt::WA_QuitOnClose, false); // the game ends with the main window
    setAttribute(Qt::WA_OpaquePaintEvent);
    move(ini.LoadNumber("common", "pleft", 500), ini.LoadNumber("common", "ptop", 50));
    setFixedSize(ClientWidth, ClientHeight);
    AskForToolbarType();
}

void TPatForm::AskForToolbarType() {
    // Some X11 window managers ignore the button hints (openbox keeps minimise
    // and close for a utility window, and minimised it never came back); they
    // give a toolbar window neither minimise nor maximise. Qt reads the wanted
    // type when the window's flags are set, so they are set anew around it.
    if (QGuiApplication::platformName() != "xcb") return;
    winId();
    QWindow* window = windowHandle();
    if (!window) return;
    constexpr int ToolbarType = 0x08; // Qt's own value for _NET_WM_WINDOW_TYPE_TOOLBAR
    window->setProperty("_q_xcb_wm_window_type", ToolbarType);
    const Qt::WindowFlags flags = window->flags();
    window->setFlags(flags ^ Qt::WindowTransparentForInput);
    window->setFlags(flags);
}

TPatForm::~TPatForm() {
    ini.StoreNumber("common", "pleft", x());
    ini.StoreNumber("common", "ptop", y());
}

void TPatForm::Refresh() {
    // A window manager may minimise it anyway; nothing else would bring it back.
    if (isMinimized()) showNormal();
    setWindowTitle(PatternCaption(data));
    repaint();
}

void TPatForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(192, 192, 192));
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::black);
    for (const Placement& p : data.Figures[0]) {
        if (p.Orient >= OrientationCount) continue; // a damaged record draws nothing there
        painter.drawPolygon(TrianglePolygon(p, 2)); // the target is drawn at half size
    }
    setWindowTitle(PatternCaption(data));
}

void TPatForm::closeEvent(QCloseEvent* event) {
    // The window stays for the whole run: a window manager that shows a close
    // button anyway does not take it away.
    if (event->spontaneous()) event->ignore();
}
