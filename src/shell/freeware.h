#pragma once

#include "game/data.h"

#include <QDialog>
#include <QUrl>

#include <functional>

class QLabel;
class QPlainTextEdit;
class LinkLabel;

// Opens an address with the platform's default handler; false when it failed.
using UrlOpener = std::function<bool(const QUrl&)>;

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
