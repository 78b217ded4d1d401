#include "contact_sheet.h"

#include "board/orientation.h"

#include <QFont>
#include <QPainter>
#include <QPolygon>
#include <algorithm>

namespace {

constexpr int CellPitchX = 100, CellPitchY = 85; // a thumbnail and its gap
constexpr int CellWidth = 90, CellHeight = 75;
constexpr int NumberStrip = 15; // the figure starts below its number
const QColor Silver(192, 192, 192);
const QColor DialogFace(212, 208, 200);

void DrawThumbnail(QPainter& painter, int number, const FigureRecord& figure, int x0, int y0) {
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Silver);
    painter.drawRect(x0, y0, CellWidth, CellHeight);
    painter.drawText(x0 + 3, y0 + 1, 40, NumberStrip - 1, Qt::AlignLeft | Qt::AlignTop,
                     QString::number(number));
    painter.setBrush(Qt::black);
    for (const Placement& p : figure) {
        QPolygon triangle;
        for (int k = 0; k < 3; ++k)
            triangle << QPoint(x0 + p.Col + VertexDX[k][p.Orient],
                               y0 + NumberStrip + p.Row + VertexDY[k][p.Orient]);
        painter.drawPolygon(triangle);
    }
}

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
    QFont font("DejaVu Sans");
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    for (int k = 0; k < count; ++k) {
        const int number = first + k;
        DrawThumbnail(painter, number, figures[number - 1], (k % columns) * CellPitchX,
                      (k / columns) * CellPitchY);
    }
    return image;
}
