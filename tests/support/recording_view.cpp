#include "support/recording_view.h"

#include "game/saved_game.h"

#include <algorithm>

std::string ColourName(Rgb c) {
    if (c == Silver) return "silver";
    if (c == Grey) return "grey";
    if (c == Black) return "black";
    if (c == Green) return "green";
    if (c == Red) return "red";
    if (c == Yellow) return "yellow";
    return "other";
}

void RecordingView::DrawTriangle(int t, Rgb fill, Rgb line) {
    calls.push_back("draw " + std::to_string(t) + " " + ColourName(fill) + " " + ColourName(line));
}

void RecordingView::DrawOutline(int t) {
    calls.push_back("outline " + std::to_string(t));
}

const Outcome& RecordingView::Take(const Outcome& outcome) {
    for (int k = 0; k < outcome.CueCount; ++k) {
        cues.push_back(static_cast<int>(outcome.Cues[k]));
        calls.push_back("cue " + std::to_string(cues.back()));
    }
    if (outcome.Solved) calls.push_back("solved");
    return outcome;
}

int RecordingView::Count(const std::string& call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

namespace {
std::string Next(std::deque<std::string>& answers) {
    if (answers.empty()) return {};
    std::string answer = answers.front();
    answers.pop_front();
    return answer;
}
} // namespace

std::string RecordingSavedGamesView::ChooseSaveFile(const std::string& start) {
    calls.push_back("save " + start);
    return Next(files);
}

std::string RecordingSavedGamesView::ChooseOpenFile(const std::string& start) {
    calls.push_back("open " + start);
    return Next(files);
}

bool RecordingSavedGamesView::ConfirmOverwrite(const std::string& name) {
    calls.push_back("overwrite " + name);
    if (overwriteAnswers.empty()) return false;
    const bool answer = overwriteAnswers.front();
    overwriteAnswers.pop_front();
    return answer;
}

bool RecordingSavedGamesView::ConfirmNewGame() {
    calls.push_back("ask");
    return newGameAnswer;
}

void RecordingSavedGamesView::ShowTitle(const std::string& text) {
    caption = text;
    calls.push_back("caption");
}

int RecordingSavedGamesView::Count(const std::string& call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

std::vector<std::string> RecordingSavedGamesView::Calls(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& call : calls)
        if (call.rfind(prefix, 0) == 0) found.push_back(call);
    return found;
}

void RecordingSavedGamesView::ReportCannotSave(const std::string& path, int error) {
    calls.push_back("cannot save " + FileNamePart(path));
    saveError = error;
}
