#include "documents/tablepdf.h"

#include "documents/texts.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace documents {

namespace {

constexpr qreal kMarginMm = 10;
constexpr qreal kRowPoints = 8;
constexpr qreal kTitlePoints = 11;
constexpr qreal kFilterPoints = 8.5;

struct Geometry {
    QRectF page;
    std::vector<QRectF> columns; // x and width of each column, y unused
    qreal rowHeight = 0;
    qreal headerHeight = 0;
    int rowsPerPage = 1;
};

Geometry Measure(QPainter& painter, const Table& table) {
    Geometry g;
    g.page = QRectF(painter.viewport());
    const QFontMetricsF rows(DocumentFont(kRowPoints), painter.device());
    const QFontMetricsF title(DocumentFont(kTitlePoints, true), painter.device());
    const QFontMetricsF filter(DocumentFont(kFilterPoints), painter.device());
    g.rowHeight = std::ceil(rows.height() * 1.3);
    g.headerHeight = title.height() * 1.2 + filter.height() * 1.4 + g.rowHeight * 1.2;
    g.rowsPerPage = std::max(1, int((g.page.height() - g.headerHeight) / g.rowHeight));
    qreal sum = 0;
    std::vector<qreal> widths;
    for (const Column& column : table.columns) {
        // Never narrower than its caption (in the screen's pixels of a character).
        const qreal w = std::max<qreal>(column.width, 7.0 * column.caption.size() + 12);
        widths.push_back(w);
        sum += w;
    }
    qreal x = g.page.left();
    for (qreal w : widths) {
        const qreal scaled = sum > 0 ? w * g.page.width() / sum : 0;
        g.columns.emplace_back(x, 0, scaled, 0);
        x += scaled;
    }
    return g;
}

void DrawCells(QPainter& painter, const Geometry& g, const QList<Column>& columns,
               const QStringList& cells, qreal y) {
    const QFontMetricsF metrics(painter.font(), painter.device());
    const qreal pad = g.rowHeight * 0.2;
    for (qsizetype c = 0; c < cells.size() && size_t(c) < g.columns.size(); ++c) {
        const QRectF& column = g.columns[size_t(c)];
        const QRectF cell(column.left() + pad, y, column.width() - 2 * pad, g.rowHeight);
        QString text = cells[c];
        if (metrics.horizontalAdvance(text) > cell.width())
            text = metrics.elidedText(text, Qt::ElideRight, cell.width());
        const Qt::Alignment align =
            columns[c].kind == Kind::Number ? Qt::AlignRight : Qt::AlignLeft;
        painter.drawText(cell, int(align | Qt::AlignVCenter), text);
    }
}

void DrawHeader(QPainter& painter, const Geometry& g, const Table& table, int page, int pages) {
    qreal y = g.page.top();
    painter.setFont(DocumentFont(kTitlePoints, true));
    const qreal titleHeight = QFontMetricsF(painter.font(), painter.device()).height() * 1.2;
    const QRectF titleLine(g.page.left(), y, g.page.width(), titleHeight);
    painter.drawText(titleLine, Qt::AlignLeft | Qt::AlignVCenter, table.title);
    painter.setFont(DocumentFont(kFilterPoints));
    painter.drawText(titleLine, Qt::AlignRight | Qt::AlignVCenter,
                     Text(QStringLiteral("PAGINA")).arg(page).arg(pages));
    y += titleHeight;
    const qreal filterHeight = QFontMetricsF(painter.font(), painter.device()).height() * 1.4;
    painter.drawText(QRectF(g.page.left(), y, g.page.width(), filterHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, table.filter);
    y += filterHeight;
    painter.setFont(DocumentFont(kRowPoints, true));
    QStringList captions;
    for (const Column& column : table.columns)
        captions << column.caption;
    DrawCells(painter, g, table.columns, captions, y);
    const qreal line = y + g.rowHeight * 1.1;
    painter.drawLine(QPointF(g.page.left(), line), QPointF(g.page.right(), line));
    painter.setFont(DocumentFont(kRowPoints));
}

} // namespace

bool RenderTable(QPagedPaintDevice& device, const Table& table, const Progress& progress) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                     QPageLayout::Millimeter));
    QPainter painter(&device);
    const Geometry g = Measure(painter, table);
    const qsizetype total = qsizetype(table.rows.size());
    const int pages = std::max<int>(1, int((total + g.rowsPerPage - 1) / g.rowsPerPage));
    QPen rule(Qt::black);
    rule.setWidthF(std::max(1.0, g.rowHeight / 20));
    painter.setPen(rule);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            device.newPage();
        DrawHeader(painter, g, table, page, pages);
        qreal y = g.page.top() + g.headerHeight;
        const qsizetype first = qsizetype(page - 1) * g.rowsPerPage;
        const qsizetype last = std::min<qsizetype>(total, first + g.rowsPerPage);
        for (qsizetype row = first; row < last; ++row, y += g.rowHeight)
            DrawCells(painter, g, table.columns, table.rows[size_t(row)], y);
        if (progress && !progress(last, total))
            return false;
    }
    return true;
}

} // namespace documents
