#pragma once

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include <functional>

// A drawing surface whose owner paints it and takes its presses, as the
// thumbnail grid and the category bar need.
class PaintBox : public QWidget {
  public:
    std::function<void(QPainter&)> paint;
    std::function<void(int x, int y)> press; // any button, in the box's own pixels

    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        if (!paint) return;
        QPainter painter(this);
        paint(painter);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (!press) return;
        const QPoint at = event->position().toPoint();
        press(at.x(), at.y());
    }
};
