#include "AreaGeometry.h"

#include "AppError.h"
#include "StrictInt.h"

#include <cmath>
#include <limits>

namespace {

std::int32_t toThousandths(double pixel, double scale, std::int32_t size)
{
    const double q = (pixel * scale) / size;
    double v = q * 1000.0;
    if (!(v >= 0.0))
        v = 0.0;
    if (v > 1000.0)
        v = 1000.0;
    return static_cast<std::int32_t>(roundHalfToEven(v));
}

std::int32_t truncatedPixel(double value, const QString &areaText)
{
    const double t = std::trunc(value);
    if (!(t >= static_cast<double>(std::numeric_limits<std::int32_t>::min()) &&
          t <= static_cast<double>(std::numeric_limits<std::int32_t>::max())))
        throw ConversionError(
            QStringLiteral("Die Bereichsangabe '%1' ergibt eine Pixelposition außerhalb des Zahlenbereichs")
                .arg(areaText));
    return static_cast<std::int32_t>(t);
}

void requirePositiveSize(std::int32_t width, std::int32_t height)
{
    if (width <= 0 || height <= 0)
        throw AppError(QStringLiteral("Ungültige Bildgröße %1 x %2").arg(width).arg(height));
}

QString trimControl(const QString &item)
{
    qsizetype begin = 0;
    qsizetype end = item.size();
    while (begin < end && item[begin].unicode() <= 32)
        ++begin;
    while (end > begin && item[end - 1].unicode() <= 32)
        --end;
    return item.mid(begin, end - begin);
}

} // namespace

double roundHalfToEven(double v)
{
    const double f = std::floor(v);
    const double diff = v - f;
    if (diff > 0.5)
        return f + 1.0;
    if (diff == 0.5 && std::fmod(f, 2.0) != 0.0)
        return f + 1.0;
    return f;
}

QString RectToAreaText(std::int32_t Left, std::int32_t Top, std::int32_t Width, std::int32_t Height,
                       std::int32_t ImageWidth, std::int32_t ImageHeight, double ScaleX, double ScaleY)
{
    requirePositiveSize(ImageWidth, ImageHeight);
    // Sums in double: a huge rectangle must clamp, not wrap around.
    const double right = static_cast<double>(Left) + Width;
    const double bottom = static_cast<double>(Top) + Height;
    return QStringLiteral("%1,%2,%3,%4")
        .arg(toThousandths(Left, ScaleX, ImageWidth))
        .arg(toThousandths(Top, ScaleY, ImageHeight))
        .arg(toThousandths(right, ScaleX, ImageWidth))
        .arg(toThousandths(bottom, ScaleY, ImageHeight));
}

std::array<std::int32_t, 4> AreaTextNumbers(const QString &AreaText)
{
    const QStringList items = SplitString(AreaText, u',');
    if (items.size() < 4)
        throw ConversionError(
            QStringLiteral("Die Bereichsangabe '%1' enthält keine vier Zahlen").arg(AreaText));
    std::array<std::int32_t, 4> n;
    for (int i = 0; i < 4; ++i)
        n[i] = strictToInt32(items[i]);
    return n;
}

TAreaRect AreaTextToRect(const QString &AreaText, std::int32_t ImageWidth, std::int32_t ImageHeight)
{
    const std::array<std::int32_t, 4> n = AreaTextNumbers(AreaText);
    requirePositiveSize(ImageWidth, ImageHeight);

    const double w = ImageWidth;
    const double h = ImageHeight;
    TAreaRect rect;
    rect.Left = truncatedPixel(w * (n[0] / 1000.0), AreaText);
    rect.Top = truncatedPixel(h * (n[1] / 1000.0), AreaText);
    const double right = w * (n[2] / 1000.0);
    const double bottom = h * (n[3] / 1000.0);
    rect.Width = truncatedPixel(right - rect.Left, AreaText);
    rect.Height = truncatedPixel(bottom - rect.Top, AreaText);
    return rect;
}

QStringList SplitString(const QString &Text, QChar Separator)
{
    QStringList list;
    QString current;
    for (const QChar c : Text) {
        if (c == Separator) {
            list << trimControl(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        list << trimControl(current);
    return list;
}
