#include "support/recording_view.h"

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

void RecordingView::PlayCue(int cue) {
    cues.push_back(cue);
    calls.push_back("cue " + std::to_string(cue));
}

int RecordingView::Count(const std::string& call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}
