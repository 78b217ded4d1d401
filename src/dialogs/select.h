#pragma once

#include "game/data.h"

#include <QDialog>
#include <QPixmap>

class QPainter;
class QPushButton;
class QScrollBar;
class QWidget;

// Chooses a figure from pages of twelve thumbnails. Modal result 1 when a
// thumbnail was clicked (CurrentFigure then holds the choice), 2 otherwise.
//
// A collection of fewer than twelve figures has one page: the scroll bar stays
// at 1 and the cells after the last figure are empty and ignore clicks.
class TSelectDlg : public QDialog {
  public:
    TSelectDlg(GameData& data, QWidget* mainWindow);

    int ScrollPosition() const;
    int ScrollMaximum() const;

    // Cancel, Escape and the close box end the dialog with result 2.
    void reject() override { done(2); }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormActivate();
    void boxPaint(QPainter& painter);
    void boxMouseDown(int x, int y);
    void PrevBtnClick();
    void NextBtnClick();
    void DrawThumbnail(QPainter& painter, int figure, int x0, int y0);
    bool Finished(int figure) const;

    GameData& data;
    QWidget* mainWindow;
    QPixmap faces;
    QWidget* box;
    QScrollBar* ScrollBar;
    QPushButton* PrevBtn;
    QPushButton* NextBtn;
    QPushButton* CancelBtn;
};
