#include "PageScaler.h"

#include <QList>
#include <vector>

namespace PageScaler {

namespace {

// Source index ranges [first, last) for each target index.
std::vector<int> boundaries(int sourceLen, int targetLen)
{
    std::vector<int> b(size_t(targetLen) + 1);
    for (int i = 0; i <= targetLen; ++i)
        b[size_t(i)] = int(qint64(i) * sourceLen / targetLen);
    for (int i = 1; i <= targetLen; ++i)
        if (b[size_t(i)] <= b[size_t(i - 1)])
            b[size_t(i)] = qMin(sourceLen, b[size_t(i - 1)] + 1);
    return b;
}

template<int Channels>
void scaleRows(const QImage &src, QImage &dst, const std::vector<int> &bx, const std::vector<int> &by)
{
    const int tw = dst.width();
    std::vector<quint64> sums(size_t(tw) * Channels);
    for (int ty = 0; ty < dst.height(); ++ty) {
        std::fill(sums.begin(), sums.end(), 0ull);
        const int y0 = by[size_t(ty)];
        const int y1 = qMax(y0 + 1, by[size_t(ty) + 1]);
        for (int y = y0; y < y1 && y < src.height(); ++y) {
            const uchar *line = src.constScanLine(y);
            for (int tx = 0; tx < tw; ++tx) {
                quint64 *s = &sums[size_t(tx) * Channels];
                const int x1 = bx[size_t(tx) + 1];
                for (int x = bx[size_t(tx)]; x < x1; ++x) {
                    const uchar *p = line + size_t(x) * (Channels == 1 ? 1 : 4);
                    for (int c = 0; c < Channels; ++c)
                        s[c] += p[c];
                }
            }
        }
        uchar *out = dst.scanLine(ty);
        const int rows = qMin(y1, src.height()) - y0;
        for (int tx = 0; tx < tw; ++tx) {
            const quint64 n = quint64(qMax(1, rows * (bx[size_t(tx) + 1] - bx[size_t(tx)])));
            const quint64 *s = &sums[size_t(tx) * Channels];
            if (Channels == 1) {
                out[tx] = uchar(s[0] / n);
            } else {
                uchar *p = out + size_t(tx) * 4;
                for (int c = 0; c < Channels; ++c)
                    p[c] = uchar(s[c] / n);
                p[3] = 0xff;
            }
        }
    }
}

} // namespace

QImage downscale(const QImage &source, QSize target)
{
    if (source.isNull() || target.isEmpty())
        return {};
    const QImage src = (source.format() == QImage::Format_Grayscale8 || source.format() == QImage::Format_RGB32)
                           ? source
                           : source.convertToFormat(QImage::Format_RGB32);
    target = target.boundedTo(src.size());
    QImage dst(target, src.format());
    if (dst.isNull())
        return {};
    const auto bx = boundaries(src.width(), target.width());
    const auto by = boundaries(src.height(), target.height());
    if (src.format() == QImage::Format_Grayscale8)
        scaleRows<1>(src, dst, bx, by);
    else
        scaleRows<3>(src, dst, bx, by);
    return dst;
}

} // namespace PageScaler
