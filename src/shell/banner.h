#pragma once

#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <functional>

// The maker's homepage behind the banner. A failed attempt to open it switches
// the link off for the rest of the run.
class HomeLink {
  public:
    explicit HomeLink(QUrl address);

    // Hands the address to the platform's handler for web addresses; does
    // nothing once switched off.
    void Click();
    bool IsOn() const { return on; }

    // The platform's handler, replaceable for tests; answers success.
    std::function<bool(const QUrl&)> Open;

  private:
    QUrl address;
    bool on = true;
};

// The advertising line along the bottom of the main window: one line of light
// yellow text on black that crosses from right to left in 1500 steps of 100 ms.
class Banner : public QWidget {
    Q_OBJECT

  public:
    static constexpr int StepCount = 1500;

    explicit Banner(QWidget* parent);

    void SetLine(const QString& line);
    QString Line() const { return line; }
    // Moves from now on, but only while the window shows it: hidden or
    // minimised, the timer stops and the line stays where it was.
    void Start();
    bool Moving() const { return timer.isActive(); }
    int Step() const { return step; }
    void SetStep(int value);

    // The text's left edge at a step: it enters at the right edge at step 0 and
    // has just left at the left edge at the last step.
    static int TextLeft(int step, int textWidth, int bannerWidth);

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Follow();

    QTimer timer;
    bool started = false;
    QString line;
    int step = 0;
};
