#pragma once

#include "game/data.h"
#include "game/statistics.h"

#include <QDialog>

class QLabel;
class QPainter;
class QWidget;
class QProgressBar;

// Sums up the progress: finished figures, help by category, points. Everything
// is counted afresh from the progress bytes each time the dialog is shown.
class TStatDlg : public QDialog {
  public:
    TStatDlg(const GameData& data, QWidget* mainWindow);

    // Cancel, Escape and the close box end the dialog with result 2.
    void reject() override { done(2); }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormActivate();
    void pieBoxPaint(QPainter& painter);

    const GameData& data;
    QWidget* mainWindow;
    ProgressSummary summary;
    QLabel* FinishedLabel;
    QLabel* HelpLabel;
    QLabel* PointsLabel;
    QProgressBar* FiguresGauge;
    QProgressBar* PointsGauge;
    QWidget* pieBox;
};
