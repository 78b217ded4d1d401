#pragma once

#include <QDialog>

#include <array>

struct GameData;
class QLabel;
class QPushButton;
class QStackedWidget;

// The game's own message box: nine prepared messages (kinds 1..9), each a page
// with the program's icon, one text and OK or Yes and No. The game asks kind 1
// (solved), 3 (quit question) and 4 (new-game question). The texts follow the
// language at every showing, and the dialog centres itself over the main window.
class TYesNoDlg : public QDialog {
    Q_OBJECT

  public:
    // Modal results, as the callers compare them.
    static constexpr int ResultOk = 1;
    static constexpr int ResultCancel = 2; // also the close box
    static constexpr int ResultYes = 6;
    static constexpr int ResultNo = 7;

    TYesNoDlg(const GameData& data, QWidget* mainWindow);

    // Shows the page of `kind` and answers the button that closed it. A kind
    // outside 1..9 shows the page shown last.
    int ShowModal(int kind);

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
        int noResult = ResultNo;
    };

    const GameData& data;
    QWidget* mainWindow;
    QStackedWidget* pages;
    std::array<Page, 9> page;
};
