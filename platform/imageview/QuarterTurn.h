#pragma once

#include "TAreaRect.h"

#include <QPoint>
#include <QRect>
#include <QSize>

// Pixel geometry of a bitmap turned counter-clockwise by quarter turns. A
// pixel maps to exactly one pixel, so objects turned with their page stay on
// the same pixels and four turns are the identity.
namespace QuarterTurn {

// 90 -> 1, 180 -> 2, 270 -> 3, 0 or 360 -> 0; any other angle -> -1.
int fromDegrees(int degreesCcw);

// size is the bitmap before the turn.
QSize mapSize(QSize size, int quartersCcw);
QPoint mapPoint(QPoint p, QSize size, int quartersCcw);
// Inclusive-corner rectangle; the result is normalised.
QRect mapRect(const QRect &r, QSize size, int quartersCcw);

// The inclusive rectangle with corners a and b in any order. (QRect's own
// normalized() shifts swapped corners by one pixel.)
QRect spanning(QPoint a, QPoint b);

// Each value is limited to +-2^20, far beyond any page.
QRect toQRect(const TAreaRect &r);
TAreaRect toAreaRect(const QRect &r);

} // namespace QuarterTurn
