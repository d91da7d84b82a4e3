#include "StringGrid.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

// Header cells wear the face colour, as fixed cells of a string grid do.
class FixedCellDelegate : public QStyledItemDelegate
{
public:
    FixedCellDelegate(TStringGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        if (index.row() < m_grid->FixedRows() || index.column() < m_grid->FixedCols())
            painter->fillRect(option.rect, option.palette.color(QPalette::Button));
        QStyledItemDelegate::paint(painter, option, index);
    }

private:
    TStringGrid *m_grid;
};

} // namespace

TStringGrid::TStringGrid(QWidget *parent) : QTableWidget(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setWordWrap(false);
    // A string grid cuts a long text off at the cell's edge; it never puts dots in.
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setItemDelegate(new FixedCellDelegate(this));
    setDefaultColWidth(m_defaultColWidth);
    setDefaultRowHeight(m_defaultRowHeight);
}

void TStringGrid::setColCount(int count)
{
    const int old = columnCount();
    setColumnCount(qMax(0, count));
    for (int c = old; c < columnCount(); ++c)
        setColumnWidth(c, m_defaultColWidth + GridLineWidth);
}

void TStringGrid::setRowCount(int count)
{
    const int old = rowCount();
    QTableWidget::setRowCount(qMax(0, count));
    for (int r = old; r < rowCount(); ++r)
        setRowHeight(r, m_defaultRowHeight + GridLineWidth);
}

void TStringGrid::setDefaultColWidth(int width)
{
    m_defaultColWidth = width;
    horizontalHeader()->setDefaultSectionSize(width + GridLineWidth);
    for (int c = 0; c < columnCount(); ++c)
        setColumnWidth(c, width + GridLineWidth);
}

void TStringGrid::setDefaultRowHeight(int height)
{
    m_defaultRowHeight = height;
    verticalHeader()->setDefaultSectionSize(height + GridLineWidth);
    for (int r = 0; r < rowCount(); ++r)
        setRowHeight(r, height + GridLineWidth);
}

int TStringGrid::ColWidths(int col) const
{
    return columnWidth(col) - GridLineWidth;
}

void TStringGrid::setColWidths(int col, int width)
{
    if (col >= 0 && col < columnCount())
        setColumnWidth(col, width + GridLineWidth);
}

int TStringGrid::RowHeights(int row) const
{
    return rowHeight(row) - GridLineWidth;
}

void TStringGrid::setRowHeights(int row, int height)
{
    if (row >= 0 && row < rowCount())
        setRowHeight(row, height + GridLineWidth);
}

QString TStringGrid::Cells(int col, int row) const
{
    const QTableWidgetItem *it = item(row, col);
    return it ? it->text() : QString();
}

void TStringGrid::setCells(int col, int row, const QString &text)
{
    if (row < 0 || row >= rowCount() || col < 0 || col >= columnCount())
        return;
    if (QTableWidgetItem *it = item(row, col)) {
        it->setText(text);
        return;
    }
    auto *it = new QTableWidgetItem(text);
    it->setFlags(Qt::ItemIsEnabled);
    setItem(row, col, it);
}

bool TStringGrid::showsVerticalScrollBar() const
{
    // Also right while the window is not on screen yet.
    return verticalScrollBar()->isVisibleTo(this);
}

void TStringGrid::updateScrollBars()
{
    updateGeometries();
}
