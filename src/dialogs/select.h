#pragma once

#include "game/data.h"

#include <QDialog>
#include <QPixmap>
#include <QStringList>

#include <functional>

class QComboBox;
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

    // The collections the player may switch between, listed under the pages when
    // there are two or more: Names in a language, the index of the one played,
    // and Choose, which switches to an index and answers the one played after it
    // (the same one when the switch failed). The pages then show that one.
    struct Collections {
        std::function<QStringList(int language)> Names;
        std::function<int()> Current;
        std::function<int(int index)> Choose;
    };
    void SetCollections(Collections choice);

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
    void ShowCollections();
    void CollectionBoxActivated(int index);

    GameData& data;
    QWidget* mainWindow;
    QPixmap faces;
    QWidget* box;
    QScrollBar* ScrollBar;
    QPushButton* PrevBtn;
    QPushButton* NextBtn;
    QPushButton* CancelBtn;
    QComboBox* CollectionBox;
    Collections collections;
};
