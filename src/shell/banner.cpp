#include "shell/banner.h"

#include "board/scaling.h"
#include "ui/palette_colours.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

HomeLink::HomeLink(QUrl address) : Open(QDesktopServices::openUrl), address(std::move(address)) {}

void HomeLink::Click() {
    if (on && !Open(address)) on = false;
}

Banner::Banner(QWidget* parent) : QWidget(parent) {
    setFont(AppFontPixels(13));
    setAttribute(Qt::WA_OpaquePaintEvent);
    timer.setInterval(100);
    connect(&timer, &QTimer::timeout, this, [this] { SetStep(step >= StepCount ? 0 : step + 1); });
}

void Banner::Start() {
    started = true;
    window()->installEventFilter(this);
    Follow();
}

void Banner::Follow() {
    const bool seen = started && isVisible() && !window()->isMinimized();
    if (seen && !timer.isActive())
        timer.start();
    else if (!seen)
        timer.stop();
}

void Banner::showEvent(QShowEvent*) {
    Follow();
}

void Banner::hideEvent(QHideEvent*) {
    Follow();
}

bool Banner::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window() && event->type() == QEvent::WindowStateChange) Follow();
    return QWidget::eventFilter(watched, event);
}

void Banner::SetLine(const QString& text) {
    line = text;
    update();
}

void Banner::SetStep(int value) {
    step = value;
    update();
}

int Banner::TextLeft(int step, int textWidth, int bannerWidth) {
    const double travelled = 1.0 - static_cast<double>(step) / StepCount;
    return RoundHalfEven((textWidth + bannerWidth) * travelled) - textWidth;
}

void Banner::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    // At the first step the line stands just beyond the right edge, whatever
    // its width: nothing to measure, so the first frame needs no font loaded.
    if (step == 0) return;
    painter.setPen(QColor(255, 255, 128));
    const QFontMetrics metrics(font());
    const int left = TextLeft(step, metrics.horizontalAdvance(line), width());
    const int baseline = (height() + metrics.ascent() - metrics.descent()) / 2;
    painter.drawText(left, baseline, line);
}

void Banner::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clicked();
}
