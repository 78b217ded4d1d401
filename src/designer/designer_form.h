#pragma once

#include "designer/design_collection.h"
#include "figures/figure_rules.h"
#include "game/game.h"
#include "game/game_view.h"
#include "ui/settings_store.h"

#include <QWidget>

#include <array>

class BoardBox;
class QLabel;
class QListWidget;
class QPushButton;

// The figure designer: the game's board with its eight triangles, a panel that
// judges the arrangement by every rule of the figure check after each put-down,
// and the collection being made, with its files. Dialogs and boxes go through
// the dialog seam.
class TDesignerForm : public QWidget, public GameView {
    Q_OBJECT

  public:
    // iniPath names a settings file of the window's own (tests), empty for the
    // user's store; only the language is read from it.
    explicit TDesignerForm(const QString& iniPath = {});
    ~TDesignerForm() override;

    BoardBox* Board() const { return box; }
    const FigureVerdict& Verdict() const { return verdict; }
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
    void PlayCue(Cue) override {}
    void AnnounceSolved() override {}
    void RefreshTarget() override {}
    void EnableHelp(bool) override {}

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QPushButton* Button(const char* name, QRect geometry, void (TDesignerForm::*click)());
    void ApplyTexts();
    void Judge();
    void ShowVerdict();
    void FillList();
    int SelectedRow() const;
    void SelectRow(int row);
    bool Holding() const { return game.board.Selected != 0; }
    void Report(const QString& text);
    void Fail(const QString& text);
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
    SettingsStore ini;
    DesignCollection collection;
    FigureVerdict verdict;
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
