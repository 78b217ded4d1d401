#pragma once

#include "game/game.h"
#include "game/game_view.h"
#include "game/saved_games.h"
#include "shell/banner.h"
#include "shell/sound_cues.h"
#include "ui/settings.h"

#include <QStringList>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class BoardBox;
class QFrame;
class QToolButton;
class TFreewareDlg;
class THintDlg;
class TPatForm;
class TSelectDlg;
class TStatDlg;
class TTongueDlg;
class TYesNoDlg;

// The game's main window: the toolbar, the board box, the banner, and the order
// in which the game starts, plays and ends. It owns the game and the dialogs and
// carries out what the game logic and the saved-game commands ask of the windows.
class TMainForm : public QWidget, public GameView, public SavedGamesView {
    Q_OBJECT

  public:
    static constexpr int ToolHeight = 33;
    static constexpr int BannerHeight = 17;
    static constexpr int DesignWidth = 660; // client area at the first start
    static constexpr int DesignHeight = 350;
    // Keeps the unit at 2 pixels or more and the whole toolbar in sight.
    static constexpr int MinClientWidth = 393;
    static constexpr int MinClientHeight = ToolHeight + BannerHeight + 63 * 2;

    // programDir holds the collection file; iniPath names a settings file of the
    // window's own (tests), empty for the user's store; soundOutput replaces the
    // platform's sound output (tests).
    explicit TMainForm(const QString& programDir, const QString& iniPath = {},
                       std::unique_ptr<CueOutput> soundOutput = nullptr);
    // Frees the target window (which stores its position) and stores the placement.
    ~TMainForm() override;

    // Creation steps; false when the game cannot start (no collection), after the
    // message has been shown: the program then ends without writing any setting.
    bool FormCreate();
    // The target window (shown at once) and the dialogs, all hidden until asked
    // for; made once, by whichever needs them first.
    void CreateSecondaryWindows();
    // The first showing, at the stored placement or centred. The secondary
    // windows and the first activation steps follow when the window is
    // activated or on the screen, whichever comes first.
    void ShowAtPlacement();

    // Runs once, at the first activation: language, texts, info.
    void FormActivate();
    // Hints, banner line and title in the current language.
    void ApplyTexts();

    // What a press, drag step, key or undo did: the cues at once, the repaint,
    // and for a solved figure the message and then the target's refresh, queued
    // so that no modal loop runs inside the event that solved it.
    void ActOn(const Outcome& outcome);
    void PlayCue(Cue cue);
    void AnnounceSolved();
    void RefreshTarget();
    void EnableHelp(bool enabled) override;

    // What the saved-game commands ask of the window: file dialogs and boxes
    // through the dialog seam, in the game's language.
    std::string ChooseSaveFile(const std::string& start) override;
    std::string ChooseOpenFile(const std::string& start) override;
    bool ConfirmOverwrite(const std::string& name) override;
    bool ConfirmNewGame() override;
    void ReportCannotSave(const std::string& path, int error) override;
    void ReportCannotLoad(const std::string& name) override;
    void ShowTitle(const std::string& caption) override;
    void ReportMovedProgress(const std::string& sentence) override;
    // The close path (quit question first), unless the window is already closing.
    void AskToClose() override;
    void Repaint() override { RepaintFigure(); }

    // Made before the game, which draws through it.
    BoardBox* box;
    Game game;
    SavedGames saved{game, *this};
    Settings ini;
    SoundCues waves;
    HomeLink homeLink;

    QFrame* ToolPanel;
    QToolButton* NewgameBtn;
    QToolButton* LoadBtn;
    QToolButton* SaveBtn;
    QToolButton* SoundBtn;
    QToolButton* StatBtn;
    QToolButton* SelectBtn;
    QToolButton* TipBtn;
    QToolButton* UpBtn;
    QToolButton* DownBtn;
    QToolButton* ExitBtn;
    QToolButton* TongueBtn;
    QToolButton* RulesBtn;
    QToolButton* InfoBtn;
    QToolButton* UndoBtn;
    QToolButton* RedoBtn;
    Banner* banner;
    TPatForm* PatForm() const { return pattern.get(); }
    TYesNoDlg* YesNoDlg() const { return yesNo; }

  public slots:
    void NewgameBtnClick() { saved.NewgameBtnClick(); }
    void LoadBtnClick() { saved.LoadBtnClick(); }
    void SaveBtnClick() { saved.SaveBtnClick(); }
    void StatBtnClick();
    void SelectBtnClick();
    // Plays collection `index` of those the selection dialog lists (0 is the
    // shipped one when the game has it), its progress moved by shape; answers
    // the index played afterwards, the old one when the file cannot be read.
    int ChooseCollection(int index);
    void TipBtnClick();
    void UpBtnClick();
    void DownBtnClick();
    void ExitBtnClick();
    void TongueBtnClick();
    void rules();
    void info();
    void FriboBtnClick();
    void UndoBtnClick();
    void RedoBtnClick();

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;   // FormPaint
    void resizeEvent(QResizeEvent* event) override; // FormResize
    void closeEvent(QCloseEvent* event) override;   // FormCloseQuery, FormClose

    // Reads the saved game named at start-up; replaceable for tests.
    virtual bool ReadSavedGame(const std::string& path);

  private:
    void BuildToolbar();
    bool FormCloseQuery();
    // False when the settings could not be written. The settings file then stays
    // as it was and the game ends quietly: a message at every end would only
    // nag a player who keeps the file write-protected on purpose.
    bool FormClose();
    void RepaintFigure();  // the board, then the target window
    void ShowFigureAnew(); // SetupFigure, then the repaint
    void UpdateUndoButtons();
    // The board's accessible description: the held triangle's place and turn,
    // or the figure's state.
    void DescribeBoard();

    // The player's own collections read anew from their folder, after the shipped one.
    void ListPersonalCollections();
    // What the selection dialog lists, in the language given.
    QStringList CollectionNames(int language) const;

    struct CollectionEntry {
        std::string Path;
        bool Shipped = false;
    };
    std::vector<CollectionEntry> collections;
    int currentCollection = 0;

    QString programDir;
    FormPlacement placement;
    bool placementRestored = false;
    bool FirstActivation = true;
    bool closing = false;
    ProgressMapping startMapping; // told at the first activation
    QPixmap back;                 // the background tile
    QPixmap fineBack;             // the same marble at twice the pixels, for dense screens
    std::unique_ptr<TPatForm> pattern;
    // Children of the window, freed with it.
    TSelectDlg* selectDlg = nullptr;
    TStatDlg* statDlg = nullptr;
    TYesNoDlg* yesNo = nullptr;
    TFreewareDlg* infoDlg = nullptr;
    TTongueDlg* languageDlg = nullptr;
    THintDlg* rulesDlg = nullptr;
};
