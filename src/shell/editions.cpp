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
