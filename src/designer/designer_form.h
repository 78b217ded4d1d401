#pragma once

#include "designer/design_collection.h"
#include "figures/figure_rules.h"
#include "game/game.h"
#include "game/game_view.h"
#include "ui/settings.h"

#include <QFutureWatcher>
#include <QWidget>

#include <array>
#include <atomic>
#include <memory>
#include <vector>

class BoardBox;
class QLabel;
class QListWidget;
class QPushButton;

// The figure designer: the game's board with its eight triangles, a panel that
// judges the arrangement by every rule of the figure check after each put-down,
// and the collection being made, with its files, every figure of it judged too.
// The judging runs off the window thread: the exhaustive search has no bound a
// window could wait for. Dialogs and boxes go through the dialog seam.
class TDesignerForm : public QWidget, public GameView {
    Q_OBJECT

  public:
    // iniPath names a settings file of the window's own (tests), empty for the
    // user's store; only the language is read from it.
    explicit TDesignerForm(const QString& iniPath = {});
    ~TDesignerForm() override;

    BoardBox* Board() const { return box; }
    // Valid once Judged(): the panel says "not checked yet" until then.
    const FigureVerdict& Verdict() const { return verdict; }
    // Each figure of the collection against those before it, as the collection
    // tool's check judges them; valid once Judged().
    const std::vector<FigureVerdict>& CollectionVerdicts() const { return collectionVerdicts; }
    // The verdicts belong to what lies on the board and in the collection now.
    bool Judged() const { return judgedGeneration == generation; }
    const DesignCollection& Collection() const { return collection; }
    int Language() const { return game.data.Language; }
    // The eight placements as they lie now, the held one where it was picked up.
    FigureRecord Arrangement() const;

    // The triangles to these placements, none held (a record that is not on the
    // board is refused), and judged.
    bool LayArrangement(const FigureRecord& figure);
    // The eight triangles back at their starting places.
    void StartAgain();
    // Replaces the collection from a file; a box tells why when it cannot.
    bool OpenCollection(const QString& path);

    // The board's own drawing is the box's; nothing else of the game is asked for.
    // The designer has no sound: a refused put-down says so in the status line.
    void PlayCue(Cue cue);
    void EnableHelp(bool) override {}

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // A button of the two rows under the board, at least `least` large.
    QPushButton* Button(const char* name, QSize least, void (TDesignerForm::*click)());
    void ApplyTexts();
    struct Judgement {
        FigureVerdict Arrangement;
        std::vector<FigureVerdict> Collection;
    };
    void Judge();
    void StartJudging();
    void JudgingFinished();
    void ShowVerdict();
    void MarkList();
    QString AddBlocker() const;
    int FirstBroken() const;
    void ShowStatus();
    void FillList();
    int SelectedRow() const;
    void SelectRow(int row);
    bool Holding() const { return game.board.Selected != 0; }
    void Report(const QString& text);
    void Fail(const QString& text);
    int Ask(const QString& question);
    QString SavedText(const QString& path) const;
    bool MayDiscard();
    QString AskSavePath(const QString& filter, const QString& suffix);

    void CentreClick();
    void AddClick();
    void ReplaceClick();
    void DeleteClick();
    void UpClick();
    void DownClick();
    void OpenClick();
    void SaveSourceClick();
    void SaveRecordsClick();
    void InstallClick();
    void ListActivated();

    BoardBox* box; // made before the game, which draws through it
    Game game;
    Settings ini;
    DesignCollection collection;
    FigureVerdict verdict;
    std::vector<FigureVerdict> collectionVerdicts;
    // Each change to the board or the collection is a new generation; a result
    // for an older one is dropped, and at most one search runs at a time.
    std::shared_ptr<FigureJudge> judge = std::make_shared<FigureJudge>();
    QFutureWatcher<Judgement> judging;
    // Set when the running search is no longer wanted: the figure changed or the
    // window closes. The search then ends within milliseconds.
    std::shared_ptr<std::atomic<bool>> stopJudging = std::make_shared<std::atomic<bool>>(false);
    unsigned generation = 1, judgedGeneration = 0, runningGeneration = 0;
    QString message; // what the last action said; the next board event clears it
    bool dirty = false;
    QString lastFolder;

    std::array<QLabel*, RuleIdCount> ruleLabels{};
    QLabel* preview;
    QLabel* thumbnail;
    QLabel* statusLine;
    QListWidget* list;
    QPushButton* restartBtn;
    QPushButton* centreBtn;
    QPushButton* addBtn;
    QPushButton* replaceBtn;
    QPushButton* deleteBtn;
    QPushButton* upBtn;
    QPushButton* downBtn;
    QPushButton* openBtn;
    QPushButton* saveSourceBtn;
    QPushButton* saveRecordsBtn;
    QPushButton* installBtn;
};
