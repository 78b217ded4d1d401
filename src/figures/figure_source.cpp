#include "figure_source.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

bool ParseByte(const std::string& word, uint8_t& value) {
    if (word.empty() || word.size() > 3) return false;
    int v = 0;
    for (char ch : word) {
        if (!std::isdigit(static_cast<unsigned char>(ch))) return false;
        v = v * 10 + (ch - '0');
    }
    if (v > 255) return false;
    value = static_cast<uint8_t>(v);
    return true;
}

// "col row orient"
bool ParsePlacement(const std::string& text, Placement& p) {
    std::istringstream in(text);
    std::string a, b, c, extra;
    if (!(in >> a >> b >> c) || (in >> extra)) return false;
    return ParseByte(a, p.Col) && ParseByte(b, p.Row) && ParseByte(c, p.Orient);
}

bool ParseEntry(const std::string& line, SourceFigure& figure, std::string& problem) {
    const size_t colon = line.find(':');
    if (colon == std::string::npos) {
        problem = "expected 'Name: col row orient, ...'";
        return false;
    }
    figure.Name = Trim(line.substr(0, colon));
    if (figure.Name.empty()) {
        problem = "the figure has no name";
        return false;
    }
    std::vector<std::string> parts;
    std::string rest = line.substr(colon + 1);
    size_t start = 0;
    for (;;) {
        const size_t comma = rest.find(',', start);
        parts.push_back(rest.substr(start, comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (parts.size() != TriangleCount) {
        problem = "expected eight placements, found " + std::to_string(parts.size());
        return false;
    }
    for (int t = 0; t < TriangleCount; ++t)
        if (!ParsePlacement(parts[t], figure.Record[t])) {
            problem = "placement " + std::to_string(t + 1) + " is not three numbers 0..255 ('" +
                      Trim(parts[t]) + "')";
            return false;
        }
    return true;
}

} // namespace

bool ParseFigureSource(const std::string& text, FigureSource& source, std::string& error) {
    source = {};
    std::istringstream in(text);
    std::string line;
    int number = 0;
    bool inHeader = true;
    while (std::getline(in, line)) {
        ++number;
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == '#') {
            if (inHeader) source.Header += trimmed + "\n";
            continue;
        }
        inHeader = false;
        SourceFigure figure;
        figure.Line = number;
        std::string problem;
        if (!ParseEntry(trimmed, figure, problem)) {
            error = std::to_string(number) + ": " + problem;
            return false;
        }
        source.Figures.push_back(figure);
    }
    return true;
}

std::string FormatSourceLine(const SourceFigure& figure) {
    std::string line = figure.Name + ":";
    for (int t = 0; t < TriangleCount; ++t) {
        const Placement& p = figure.Record[t];
        line += (t ? ", " : " ") + std::to_string(p.Col) + " " + std::to_string(p.Row) + " " +
                std::to_string(p.Orient);
    }
    return line;
}

std::string FormatFigureSource(const FigureSource& source) {
    std::string text = source.Header;
    for (const SourceFigure& figure : source.Figures)
        text += FormatSourceLine(figure) + "\n";
    return text;
}

bool ReadTextFile(const std::string& path, std::string& text) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return !in.bad();
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    return ReplaceFile(path, reinterpret_cast<const uint8_t*>(text.data()), text.size()) ==
           SaveResult::Saved;
}
