#pragma once

#include "game/data.h"
#include "ui/dialog_parts.h"

#include <QDialog>
#include <QUrl>

#include <functional>

class QLabel;
class QPlainTextEdit;

// Who made the game, how to reach the maker and the terms of use, in the
// language that Language selects.
class TFreewareDlg : public QDialog {
  public:
    // `opener` defaults to QDesktopServices::openUrl.
    TFreewareDlg(const GameData& data, QWidget* mainWindow, UrlOpener opener = {});

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormActivate();

    const GameData& data;
    QWidget* mainWindow;
    QLabel* TitleLabel;
    QLabel* AddressLine1;
    QLabel* AddressLine2;
    QPlainTextEdit* Memodeu;
    QPlainTextEdit* Memoeng;
};
