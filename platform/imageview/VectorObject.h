#pragma once

#include <QColor>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

// One object of the view's vector layer, and at the same time the template
// from which the next object is made. Coordinates are image pixels of the
// bitmap as it is shown now (after any rotation); the rectangle has inclusive
// corners, so its width is right - left + 1.

enum class ObjectKind {
    Box,      // rectangle, filled with the brush and outlined with the pen
    MemoBox,  // multi-line text box: a box with text inside
    Line,     // straight line from points[0] to points[1]
    Polyline, // freehand line through all points
};

enum class BrushStyle {
    None,      // hollow
    Solid,
    DiagCross, // diagonal cross-hatch
};

struct VectorObject
{
    ObjectKind kind = ObjectKind::Box;
    QRect rect;                    // image pixels, inclusive corners

    QColor brushColor = Qt::white;
    BrushStyle brushStyle = BrushStyle::Solid;
    // Highlight: the pixels under the box are combined with the brush colour by
    // bitwise AND, like a marker pen; text on the page stays readable.
    bool highlight = false;

    QColor penColor = Qt::black;
    int penWidth = 1;              // image pixels; 0 draws no outline

    QString fontName = QStringLiteral("Verdana");
    // Like a Windows font height: negative is the character height in image
    // pixels (scaled with the zoom), positive the cell height.
    int fontHeight = -12;
    bool fontBold = false;
    QColor textColor = Qt::black;
    QString text;                  // lines separated by CR LF or LF
    bool textEditable = false;     // the view never edits text in place

    // Line and Polyline: the points in image pixels (absolute, same frame as rect).
    QList<QPoint> points;

    // Style flags. An object that is only visible can still be clicked
    // (objectClick) but never selected, moved or resized.
    bool visible = true;
    bool selectable = true;
    bool movable = true;
    bool resizable = true;

    void setVisibleOnly() { visible = true; selectable = movable = resizable = false; }
};
