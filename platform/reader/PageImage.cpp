#include "PageImage.h"

#include "AppError.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <tiffio.h>

#include <memory>
#include <vector>

namespace {

struct TiffCloser
{
    void operator()(TIFF *t) const { TIFFClose(t); }
};
using TiffPtr = std::unique_ptr<TIFF, TiffCloser>;

void silenceLibtiff()
{
    // libtiff prints warnings about private tags of scanner software to stderr;
    // a failed read is reported through the return codes instead.
    static const bool done = [] {
        TIFFSetWarningHandler(nullptr);
        TIFFSetErrorHandler(nullptr);
        return true;
    }();
    (void)done;
}

QString unreadable(const QString &path)
{
    return QStringLiteral("Die Bilddatei \"%1\" kann nicht gelesen werden.").arg(path);
}

bool isTiff(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(4);
    return head == QByteArray("II*\0", 4) || head == QByteArray("MM\0*", 4) || head == QByteArray("II+\0", 4)
           || head == QByteArray("MM\0+", 4);
}

// The common scanner layouts, converted row by row without a full-colour copy.
bool readStrips(TIFF *tif, QImage &out, int width, const QRect &region)
{
    uint16_t bits = 1, spp = 1, photometric = PHOTOMETRIC_MINISWHITE, planar = PLANARCONFIG_CONTIG;
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &spp);
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar);
    if (!TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric))
        return false;
    if (TIFFIsTiled(tif) || planar != PLANARCONFIG_CONTIG)
        return false;
    const bool grey = (photometric == PHOTOMETRIC_MINISWHITE || photometric == PHOTOMETRIC_MINISBLACK) && spp == 1
                      && (bits == 1 || bits == 8);
    const bool rgb = photometric == PHOTOMETRIC_RGB && bits == 8 && (spp == 3 || spp == 4);
    if (!grey && !rgb)
        return false;
    const tmsize_t lineSize = TIFFScanlineSize(tif);
    if (lineSize <= 0)
        return false;
    std::vector<uint8_t> line(static_cast<size_t>(lineSize));
    const bool invert = photometric == PHOTOMETRIC_MINISWHITE;
    // Compressed strips decode sequentially: rows above the region are read and
    // dropped, rows below it are never decoded.
    for (int y = 0; y <= region.bottom(); ++y) {
        if (TIFFReadScanline(tif, line.data(), static_cast<uint32_t>(y), 0) < 0)
            return false;
        if (y < region.top())
            continue;
        uchar *dst = out.scanLine(y - region.top()) - region.left();
        if (grey && bits == 1) {
            if (lineSize * 8 < width)
                return false;
            for (int x = region.left(); x <= region.right(); ++x) {
                const bool set = (line[static_cast<size_t>(x >> 3)] >> (7 - (x & 7))) & 1;
                dst[x] = (set != invert) ? 255 : 0;
            }
        } else if (grey) {
            if (lineSize < width)
                return false;
            for (int x = region.left(); x <= region.right(); ++x)
                dst[x] = invert ? uchar(255 - line[static_cast<size_t>(x)]) : line[static_cast<size_t>(x)];
        } else {
            if (lineSize < static_cast<tmsize_t>(width) * spp)
                return false;
            for (int x = region.left(); x <= region.right(); ++x) {
                const uint8_t *p = line.data() + static_cast<size_t>(x) * spp;
                dst[x] = static_cast<uchar>((p[0] * 77 + p[1] * 150 + p[2] * 29) >> 8);
            }
        }
    }
    return true;
}

QImage loadTiff(const QString &path, const QRect &wanted, QSize *pageSize)
{
    silenceLibtiff();
    TiffPtr tif(TIFFOpen(QFile::encodeName(path).constData(), "r"));
    if (!tif)
        throw AppError(unreadable(path));
    uint32_t width = 0, height = 0;
    TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &height);
    // Beyond 30000 pixels a side (A0 at 600 dpi is 20000) the file is not a scan.
    if (width == 0 || height == 0 || width > 30000 || height > 30000)
        throw AppError(unreadable(path));
    const QRect page(0, 0, static_cast<int>(width), static_cast<int>(height));
    if (pageSize)
        *pageSize = page.size();
    const QRect region = wanted.isNull() ? page : wanted.intersected(page);
    if (region.isEmpty())
        return QImage();
    QImage out(region.size(), QImage::Format_Grayscale8);
    if (out.isNull())
        throw AppError(unreadable(path));
    if (readStrips(tif.get(), out, page.width(), region))
        return out;

    // Anything else (tiles, palettes, YCbCr, 16 bit): libtiff's own conversion.
    TIFFSetDirectory(tif.get(), 0);
    if (static_cast<uint64_t>(width) * height > 200'000'000u)
        throw AppError(unreadable(path));
    std::vector<uint32_t> rgba(static_cast<size_t>(width) * height);
    if (!TIFFReadRGBAImageOriented(tif.get(), width, height, rgba.data(), ORIENTATION_TOPLEFT, 0))
        throw AppError(unreadable(path));
    for (int y = region.top(); y <= region.bottom(); ++y) {
        uchar *dst = out.scanLine(y - region.top());
        const uint32_t *src = rgba.data() + static_cast<size_t>(y) * width;
        for (int x = region.left(); x <= region.right(); ++x) {
            const uint32_t p = src[x];
            dst[x - region.left()] = static_cast<uchar>((TIFFGetR(p) * 77 + TIFFGetG(p) * 150 + TIFFGetB(p) * 29) >> 8);
        }
    }
    return out;
}

} // namespace

namespace PageImage {

QImage loadFirstPage(const QString &path)
{
    return loadFirstPage(path, QRect(), nullptr);
}

QImage loadFirstPage(const QString &path, const QRect &region, QSize *pageSize)
{
    if (!QFileInfo(path).isFile())
        throw AppError(QStringLiteral("Die Bilddatei \"%1\" wurde nicht gefunden.").arg(path));
    if (isTiff(path))
        return loadTiff(path, region, pageSize);
    QImageReader reader(path);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > 30000 || size.height() > 30000))
        throw AppError(unreadable(path));
    QImage img = reader.read();
    if (img.isNull())
        throw AppError(unreadable(path));
    if (pageSize)
        *pageSize = img.size();
    const QRect clipped = region.isNull() ? img.rect() : region.intersected(img.rect());
    if (clipped.isEmpty())
        return QImage();
    if (clipped != img.rect())
        img = img.copy(clipped);
    return img.convertToFormat(QImage::Format_Grayscale8);
}

QSize pageSize(const QString &path)
{
    if (!QFileInfo(path).isFile())
        throw AppError(QStringLiteral("Die Bilddatei \"%1\" wurde nicht gefunden.").arg(path));
    if (isTiff(path)) {
        silenceLibtiff();
        TiffPtr tif(TIFFOpen(QFile::encodeName(path).constData(), "r"));
        uint32_t width = 0, height = 0;
        if (!tif || !TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &width)
            || !TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &height) || width == 0 || height == 0
            || width > 30000 || height > 30000)
            throw AppError(unreadable(path));
        return QSize(static_cast<int>(width), static_cast<int>(height));
    }
    QImageReader reader(path);
    QSize size = reader.size();
    if (!size.isValid()) {
        QSize read;
        loadFirstPage(path, QRect(), &read);
        size = read;
    }
    return size;
}

void saveTiff(const QString &path, const QList<QImage> &pages, TiffEncoding encoding, int dpi)
{
    silenceLibtiff();
    TiffPtr tif(TIFFOpen(QFile::encodeName(path).constData(), "w"));
    if (!tif)
        throw AppError(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden.").arg(path));
    for (const QImage &page : pages) {
        const QImage grey = page.convertToFormat(QImage::Format_Grayscale8);
        const auto w = static_cast<uint32_t>(grey.width());
        const auto h = static_cast<uint32_t>(grey.height());
        TIFF *t = tif.get();
        TIFFSetField(t, TIFFTAG_IMAGEWIDTH, w);
        TIFFSetField(t, TIFFTAG_IMAGELENGTH, h);
        TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 1);
        TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(t, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        TIFFSetField(t, TIFFTAG_XRESOLUTION, float(dpi));
        TIFFSetField(t, TIFFTAG_YRESOLUTION, float(dpi));
        TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, h);
        std::vector<uint8_t> line;
        if (encoding == TiffEncoding::BilevelG4) {
            TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 1);
            TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
            TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
            line.assign((w + 7) / 8, 0);
        } else {
            TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
            TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
            TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
            line.assign(w, 0);
        }
        for (uint32_t y = 0; y < h; ++y) {
            const uchar *src = grey.constScanLine(static_cast<int>(y));
            if (encoding == TiffEncoding::BilevelG4) {
                std::fill(line.begin(), line.end(), 0);
                for (uint32_t x = 0; x < w; ++x)
                    if (src[x] < 128)
                        line[x >> 3] |= static_cast<uint8_t>(0x80 >> (x & 7));
            } else {
                std::copy(src, src + w, line.begin());
            }
            if (TIFFWriteScanline(t, line.data(), y, 0) < 0)
                throw AppError(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden.").arg(path));
        }
        if (!TIFFWriteDirectory(t))
            throw AppError(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden.").arg(path));
    }
}

} // namespace PageImage
