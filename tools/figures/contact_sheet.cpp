#include "contact_sheet.h"

#include "ui/figure_drawing.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr int CellPitchX = 100, CellPitchY = 85; // a thumbnail and its gap
const QColor DialogFace(212, 208, 200);

} // namespace

QImage DrawContactSheet(const std::vector<FigureRecord>& figures, const SheetLayout& layout) {
    const int total = static_cast<int>(figures.size());
    const int first = std::clamp(layout.First, 1, std::max(total, 1));
    const int available = total - first + 1;
    const int count = layout.Count > 0 ? std::min(layout.Count, available) : available;
    const int columns = std::max(1, std::min(layout.Columns, std::max(count, 1)));
    const int rows = std::max(1, (count + columns - 1) / columns);
    const int scale = std::clamp(layout.Scale, 1, 8);

    QImage image(columns * CellPitchX * scale, rows * CellPitchY * scale, QImage::Format_RGB32);
    image.fill(DialogFace);
    QPainter painter(&image);
    painter.scale(scale, scale);
    for (int k = 0; k < count; ++k) {
        const int number = first + k;
        const FigureRecord& figure = figures[number - 1];
        DrawThumbnail(painter, figure, FigureIsValid(figure), number, (k % columns) * CellPitchX,
                      (k / columns) * CellPitchY);
    }
    return image;
}
