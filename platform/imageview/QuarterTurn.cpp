#include "QuarterTurn.h"

#include <algorithm>

namespace QuarterTurn {

namespace {
// Rectangles come from outside too (a reader's positions): values far past
// any accepted page are pulled in so that right, bottom and the turned
// corners stay within int, also when drawn at the highest zoom.
constexpr int Limit = 1 << 20;

int bounded(int v)
{
    return std::clamp(v, -Limit, Limit);
}
} // namespace

int fromDegrees(int degreesCcw)
{
    if (degreesCcw % 90 != 0)
        return -1;
    return ((degreesCcw / 90) % 4 + 4) % 4;
}

QSize mapSize(QSize size, int q)
{
    return (q & 1) ? size.transposed() : size;
}

QPoint mapPoint(QPoint p, QSize size, int q)
{
    const int w = size.width();
    const int h = size.height();
    switch ((q % 4 + 4) % 4) {
    case 1: // the right edge becomes the top
        return {p.y(), w - 1 - p.x()};
    case 2:
        return {w - 1 - p.x(), h - 1 - p.y()};
    case 3: // the left edge becomes the top
        return {h - 1 - p.y(), p.x()};
    default:
        return p;
    }
}

QRect mapRect(const QRect &r, QSize size, int q)
{
    return spanning(mapPoint(r.topLeft(), size, q), mapPoint(r.bottomRight(), size, q));
}

QRect spanning(QPoint a, QPoint b)
{
    return QRect(QPoint(qMin(a.x(), b.x()), qMin(a.y(), b.y())), QPoint(qMax(a.x(), b.x()), qMax(a.y(), b.y())));
}

QRect toQRect(const TAreaRect &r)
{
    return QRect(bounded(r.Left), bounded(r.Top), bounded(r.Width), bounded(r.Height));
}

TAreaRect toAreaRect(const QRect &r)
{
    return {r.left(), r.top(), r.width(), r.height()};
}

} // namespace QuarterTurn
