#include "shell/editions.h"

#include "figures/figure_source.h"
#include "game/progress_map.h"

#include <QFile>

std::vector<uint64_t> SecondEditionShapes() {
    QFile file(":/editions/second.txt");
    if (!file.open(QIODevice::ReadOnly)) return {};
    FigureSource source;
    std::string error;
    if (!ParseFigureSource(file.readAll().toStdString(), source, error) ||
        source.Figures.size() != static_cast<size_t>(MaxFigures))
        return {};
    std::vector<uint64_t> shapes;
    for (const SourceFigure& figure : source.Figures)
        shapes.push_back(ShapeIdOf(figure.Record));
    return shapes;
}

std::vector<std::pair<uint64_t, uint64_t>> RedrawnShapes() {
    // Figure after figure: the earlier drawing, then the one that replaced it.
    QFile file(":/editions/redrawn.txt");
    if (!file.open(QIODevice::ReadOnly)) return {};
    FigureSource source;
    std::string error;
    if (!ParseFigureSource(file.readAll().toStdString(), source, error) ||
        source.Figures.size() % 2 != 0)
        return {};
    std::vector<std::pair<uint64_t, uint64_t>> shapes;
    for (size_t i = 0; i + 1 < source.Figures.size(); i += 2)
        shapes.emplace_back(ShapeIdOf(source.Figures[i].Record),
                            ShapeIdOf(source.Figures[i + 1].Record));
    return shapes;
}
