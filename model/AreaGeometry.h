#pragma once

#include "TAreaRect.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

// The area coordinate text "x1,y1,x2,y2": thousandths (0..1000) of the image
// width and height, so that an area stays on the same part of the page whatever
// the resolution of the sample page. (x2, y2) is just past the bottom-right
// corner. These units take the image size explicitly; the main window passes
// the size (and the measuring scale) of the bitmap it shows.

// Pixels -> text. Each coordinate: (p * scale) / size * 1000 in double
// precision, NaN and negatives clamped to 0, above 1000 to 1000, then rounded
// half to even. Raises AppError for an image size that is not positive.
QString RectToAreaText(std::int32_t Left, std::int32_t Top, std::int32_t Width, std::int32_t Height,
                       std::int32_t ImageWidth, std::int32_t ImageHeight, double ScaleX = 1.0,
                       double ScaleY = 1.0);

// Text -> pixels, truncating toward zero. Raises ConversionError for fewer than
// four items, an item that is not a strict 32-bit integer, or a pixel result
// outside the 32-bit range; items after the fourth are ignored.
TAreaRect AreaTextToRect(const QString &AreaText, std::int32_t ImageWidth, std::int32_t ImageHeight);

// The four numbers x1, y1, x2, y2 of a coordinate text, checked as
// AreaTextToRect checks them (same errors), for where no page is shown to
// convert them against.
std::array<std::int32_t, 4> AreaTextNumbers(const QString &AreaText);

// Splits at Separator, trimming each item of characters up to code 32. Empty
// items between separators are kept; a trailing separator adds no empty item.
QStringList SplitString(const QString &Text, QChar Separator);

// Round half to even, for values in the coordinate range.
double roundHalfToEven(double v);
