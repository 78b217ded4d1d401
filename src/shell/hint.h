#pragma once

#include "game/data.h"

#include <QDialog>

class QPlainTextEdit;

// The rules of the game in both languages; shows the one that Language selects.
// Opens in the middle of the screen, not over the main window.
class THintDlg : public QDialog {
  public:
    THintDlg(const GameData& data, QWidget* mainWindow);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    const GameData& data;
    QWidget* mainWindow;
    QPlainTextEdit* tipD;
    QPlainTextEdit* TipE;
};
