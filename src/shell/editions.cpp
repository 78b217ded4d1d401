#include "shell/editions.h"

#include "figures/figure_source.h"
#include "game/progress_map.h"

#include <QFile>

namespace {

// The ShapeIds of a collection the program carries; empty when it lacks the
// file or the file does not parse.
std::vector<uint64_t> EditionShapes(const char* resource) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) return {};
    FigureSource source;
    std::string error;
    if (!ParseFigureSource(file.readAll().toStdString(), source, error)) return {};
    std::vector<uint64_t> shapes;
    for (const SourceFigure& figure : source.Figures)
        shapes.push_back(ShapeIdOf(figure.Record));
    return shapes;
}

} // namespace

std::vector<uint64_t> SecondEditionShapes() {
    std::vector<uint64_t> shapes = EditionShapes(":/editions/second.txt");
    if (shapes.size() != static_cast<size_t>(MaxFigures)) shapes.clear();
    return shapes;
}

std::vector<std::pair<uint64_t, uint64_t>> RedrawnShapes() {
    // Figure after figure: the earlier drawing, then the one that replaced it.
    const std::vector<uint64_t> shapes = EditionShapes(":/editions/redrawn.txt");
    std::vector<std::pair<uint64_t, uint64_t>> pairs;
    if (shapes.size() % 2 != 0) return pairs;
    for (size_t i = 0; i + 1 < shapes.size(); i += 2)
        pairs.emplace_back(shapes[i], shapes[i + 1]);
    return pairs;
}
