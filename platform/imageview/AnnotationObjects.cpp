#include "AnnotationObjects.h"

#include <QtGlobal>
#include <cmath>

namespace {

// Coordinates far outside any accepted page are pulled in so that the
// rectangle arithmetic cannot overflow.
constexpr int CoordLimit = 1000000;

int bounded(std::int32_t v)
{
    return qBound(-CoordLimit, int(v), CoordLimit);
}

QRect boundsRect(const WangMark &m)
{
    // lrBounds' right and bottom lie just past the mark.
    const int l = bounded(m.left), t = bounded(m.top), r = bounded(m.right), b = bounded(m.bottom);
    QRect rect(QPoint(qMin(l, r), qMin(t, b)), QPoint(qMax(l, r) - 1, qMax(t, b) - 1));
    if (rect.width() < 1)
        rect.setWidth(1);
    if (rect.height() < 1)
        rect.setHeight(1);
    return rect;
}

QColor color(QRgb c)
{
    return QColor::fromRgb(c);
}

} // namespace

std::optional<VectorObject> annotationObject(const WangMark &m, double yDpi)
{
    VectorObject o;
    o.rect = boundsRect(m);
    o.visible = m.visible;
    o.highlight = m.highlighting;
    o.penWidth = int(qBound<std::uint32_t>(1, m.lineSize, 1000));
    o.penColor = color(m.color1);
    o.fontName = m.fontName.isEmpty() ? QStringLiteral("Arial") : m.fontName;
    const double dpi = yDpi > 0 ? yDpi : 72.0;
    const double points = std::abs(double(m.fontHeight));
    o.fontHeight = -qBound(1, int(std::lround((points > 0 ? points : 12.0) * dpi / 72.0)), 10000);
    o.fontBold = m.fontWeight >= 700;
    o.text = m.text;

    switch (m.type) {
    case WangMarkType::StraightLine:
    case WangMarkType::FreehandLine: {
        o.kind = m.type == WangMarkType::StraightLine ? ObjectKind::Line : ObjectKind::Polyline;
        o.brushStyle = BrushStyle::None;
        const QPoint origin(bounded(qMin(m.left, m.right)), bounded(qMin(m.top, m.bottom)));
        for (const QPoint &p : m.points)
            o.points.append(QPoint(bounded(origin.x() + bounded(p.x())), bounded(origin.y() + bounded(p.y()))));
        if (o.points.size() < 2) // no usable point list: the bounds' diagonal
            o.points = {o.rect.topLeft(), o.rect.bottomRight()};
        if (o.kind == ObjectKind::Line)
            o.points = {o.points.first(), o.points.last()};
        QRect box(o.points.first(), o.points.first());
        for (const QPoint &p : o.points)
            box |= QRect(p, p);
        o.rect = box;
        return o;
    }
    case WangMarkType::HollowRectangle:
        o.kind = ObjectKind::Box;
        o.brushStyle = BrushStyle::None;
        return o;
    case WangMarkType::FilledRectangle:
        o.kind = ObjectKind::Box;
        o.brushStyle = BrushStyle::Solid;
        o.brushColor = color(m.color1);
        o.penWidth = 0;
        return o;
    case WangMarkType::TypedText:
    case WangMarkType::TextFromFile:
    case WangMarkType::TextStamp:
        o.kind = ObjectKind::MemoBox;
        o.brushStyle = BrushStyle::None;
        o.highlight = false;
        o.penWidth = 0;
        o.textColor = color(m.color1);
        return o;
    case WangMarkType::AttachANote:
        o.kind = ObjectKind::MemoBox;
        o.brushStyle = BrushStyle::Solid;
        o.brushColor = color(m.color1);
        o.highlight = false;
        o.penColor = Qt::black;
        o.penWidth = 1;
        o.textColor = color(m.color2);
        return o;
    default:
        return std::nullopt;
    }
}
