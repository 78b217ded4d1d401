#pragma once

#include "ui/dialog_seam.h"

#include <QDialog>

#include <array>

struct GameData;
class QLabel;
class QPushButton;
class QStackedWidget;

// The message dialog's nine messages, numbered as the game asks for them.
enum class MessageKind : int {
    Won = 1,
    Restart = 2,
    EndGame = 3, // the quit question
    GiveUp = 4,  // the new-game question
    TooSlow = 5,
    AllSolved = 6,
    GameOver = 7,
    NextLevel = 8,
    Lost = 9,
};

// The game's own message box: nine prepared messages (kinds 1..9), each a page
// with the program's icon, one text and OK or Yes and No. The game asks kind 1
// (solved), 3 (quit question) and 4 (new-game question). The texts follow the
// language at every showing, and the dialog centres itself over the main window.
class TYesNoDlg : public QDialog {
    Q_OBJECT

  public:
    TYesNoDlg(const GameData& data, QWidget* mainWindow);

    // Shows the page of `kind` and answers the button that closed it. A kind
    // outside 1..9 shows the page shown last.
    ModalResult ShowModal(MessageKind kind);

    // The page on show (1..9), its text and buttons; null where a page has none.
    int Kind() const;
    QString Message(int kind) const;
    QLabel* MessageLabel(int kind) const;
    QPushButton* OkButton(int kind) const;
    QPushButton* YesButton(int kind) const;
    QPushButton* NoButton(int kind) const;

    // Placement over the main window and every page's texts in the current language.
    void FormActivate();

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

  private:
    struct Page {
        QLabel* text = nullptr;
        QPushButton* ok = nullptr;
        QPushButton* yes = nullptr;
        QPushButton* no = nullptr;
        ModalResult noResult = ModalResult::No;
    };

    const GameData& data;
    QWidget* mainWindow;
    QStackedWidget* pages;
    std::array<Page, 9> page;
};
