#include "ImageFilters.h"

#include <algorithm>
#include <vector>

namespace {

// One-dimensional running minimum or maximum over a window of w pixels
// centred on each pixel, along rows (horizontal) or columns.
template <typename Pick>
QImage runningExtreme(const QImage &src, int w, bool horizontal, Pick pick)
{
    QImage out(src.size(), QImage::Format_Grayscale8);
    const int width = src.width();
    const int height = src.height();
    const int before = (w - 1) / 2;
    const int after = w - 1 - before;
    const int lines = horizontal ? height : width;
    const int length = horizontal ? width : height;
    std::vector<uchar> line(static_cast<size_t>(length));
    for (int l = 0; l < lines; ++l) {
        for (int i = 0; i < length; ++i)
            line[static_cast<size_t>(i)] = horizontal ? src.constScanLine(l)[i] : src.constScanLine(i)[l];
        for (int i = 0; i < length; ++i) {
            uchar v = line[static_cast<size_t>(i)];
            for (int k = std::max(0, i - before); k <= std::min(length - 1, i + after); ++k)
                v = pick(v, line[static_cast<size_t>(k)]);
            if (horizontal)
                out.scanLine(l)[i] = v;
            else
                out.scanLine(i)[l] = v;
        }
    }
    return out;
}

QImage erodeDark(const QImage &img, int w) // spreads dark: minimum
{
    auto mn = [](uchar a, uchar b) { return std::min(a, b); };
    return runningExtreme(runningExtreme(img, w, true, mn), w, false, mn);
}

QImage dilateLight(const QImage &img, int w) // spreads light: maximum
{
    auto mx = [](uchar a, uchar b) { return std::max(a, b); };
    return runningExtreme(runningExtreme(img, w, true, mx), w, false, mx);
}

} // namespace

namespace ImageFilters {

QImage medianPasses(const QImage &grey, int passes)
{
    QImage cur = grey;
    for (int p = 0; p < passes; ++p) {
        QImage next = cur.copy();
        const int w = cur.width();
        const int h = cur.height();
        for (int y = 1; y + 1 < h; ++y) {
            const uchar *r0 = cur.constScanLine(y - 1);
            const uchar *r1 = cur.constScanLine(y);
            const uchar *r2 = cur.constScanLine(y + 1);
            uchar *dst = next.scanLine(y);
            for (int x = 1; x + 1 < w; ++x) {
                uchar v[9] = {r0[x - 1], r0[x], r0[x + 1], r1[x - 1], r1[x], r1[x + 1], r2[x - 1], r2[x], r2[x + 1]};
                std::nth_element(v, v + 4, v + 9);
                dst[x] = v[4];
            }
        }
        cur = next;
    }
    return cur;
}

QImage removeThinFeatures(const QImage &grey, int width)
{
    if (width <= 1)
        return grey;
    // Light specks go first (opening of the light), then dark ones.
    QImage noLight = dilateLight(erodeDark(grey, width), width);
    return erodeDark(dilateLight(noLight, width), width);
}

QImage binarize(const QImage &grey, int threshold)
{
    QImage out(grey.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < grey.height(); ++y) {
        const uchar *src = grey.constScanLine(y);
        uchar *dst = out.scanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            dst[x] = src[x] < threshold ? 0 : 255;
    }
    return out;
}

QImage rescale(const QImage &grey, double factor)
{
    const QSize size(std::max(1, qRound(grey.width() * factor)), std::max(1, qRound(grey.height() * factor)));
    return grey.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_Grayscale8);
}

} // namespace ImageFilters
