#pragma once

#include "game/data.h"

#include <QWidget>

class SettingsStore;

// The caption names the figure and says whether it is solved or given up, in the
// language of the moment: "Trigonet 7 - solved".
QString PatternCaption(const GameData& data);

// The target figure window: the current figure black on silver at two pixels per
// grid unit, in a small tool window that stays on top, has no title-bar buttons
// and remembers its position as "pleft" and "ptop". It keeps no game data: every
// paint reads the shared state.
class TPatForm : public QWidget {
    Q_OBJECT

  public:
    static constexpr int ClientWidth = 181;
    static constexpr int ClientHeight = 120;

    TPatForm(const GameData& data, SettingsStore& ini, QWidget* mainWindow);
    // Stores the window's position.
    ~TPatForm() override;

    // Repaints now, caption included; shows the window again if a window manager
    // minimised it.
    void Refresh();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void AskForToolbarType();

    const GameData& data;
    SettingsStore& ini;
};
