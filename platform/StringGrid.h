#pragma once

#include <QTableWidget>

// A read-only text grid measured like the classic string grid: column widths
// and row heights count without the one-pixel grid line that follows each
// cell, and the first FixedRows rows and FixedCols columns are header cells.
class TStringGrid : public QTableWidget
{
    Q_OBJECT

public:
    static constexpr int GridLineWidth = 1;

    explicit TStringGrid(QWidget *parent = nullptr);

    int ColCount() const { return columnCount(); }
    void setColCount(int count);
    int RowCount() const { return rowCount(); }
    void setRowCount(int count);
    int FixedRows() const { return m_fixedRows; }
    int FixedCols() const { return m_fixedCols; }

    int DefaultColWidth() const { return m_defaultColWidth; }
    void setDefaultColWidth(int width);
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    void setDefaultRowHeight(int height);

    int ColWidths(int col) const;
    void setColWidths(int col, int width);
    int RowHeights(int row) const;
    void setRowHeights(int row, int height);

    QString Cells(int col, int row) const;
    void setCells(int col, int row, const QString &text);

    // Whether the grid shows its vertical scroll bar now.
    bool showsVerticalScrollBar() const;
    // Brings the scroll bars in line with the rows at once instead of at the
    // next layout pass, so that a caller can read them right after a change.
    void updateScrollBars();

private:
    int m_fixedRows = 1;
    int m_fixedCols = 1;
    int m_defaultColWidth = 64;
    int m_defaultRowHeight = 24;
};
