#pragma once

#include "game/data.h"

#include <QDialog>

class QPushButton;

// Asks for the language. Its buttons set Language to 0 (English) or 1 (German)
// and close it; the close box leaves Language as it was, and Escape does nothing.
// The caller applies the texts afterwards.
class TTongueDlg : public QDialog {
  public:
    TTongueDlg(GameData& data, QWidget* mainWindow);

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Choose(int language);

    GameData& data;
    QWidget* mainWindow;
    QPushButton* EnglishBtn;
    QPushButton* GermanBtn;
};
