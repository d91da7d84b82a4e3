#include "PageImageLoader.h"

#include "AppError.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <tiffio.h>

namespace PageImageLoader {

namespace {

constexpr ttag_t WangAnnotationTag = 32932;

// libtiff reports through callbacks; this collects the first error of one
// open file so that the message to the user can say what was wrong.
struct TiffMessages
{
    QString firstError;
};

int onTiffError(TIFF *, void *user, const char *module, const char *fmt, va_list ap)
{
    auto *m = static_cast<TiffMessages *>(user);
    if (m && m->firstError.isEmpty()) {
        char buf[512];
        std::vsnprintf(buf, sizeof buf, fmt, ap);
        m->firstError = module ? QStringLiteral("%1: %2").arg(QString::fromLocal8Bit(module), QString::fromLocal8Bit(buf))
                               : QString::fromLocal8Bit(buf);
    }
    return 1;
}

int onTiffWarning(TIFF *, void *, const char *, const char *, va_list)
{
    return 1; // unknown private tags and the like are normal in scanned files
}

struct TiffCloser
{
    void operator()(TIFF *t) const { TIFFClose(t); }
};
using TiffPtr = std::unique_ptr<TIFF, TiffCloser>;

TiffPtr openTiff(const QString &path, TiffMessages &messages)
{
    TIFFOpenOptions *opts = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetErrorHandlerExtR(opts, onTiffError, &messages);
    TIFFOpenOptionsSetWarningHandlerExtR(opts, onTiffWarning, &messages);
    // No single libtiff buffer may exceed what the largest accepted page needs.
    TIFFOpenOptionsSetMaxSingleMemAlloc(opts, tmsize_t(MaxSide) * MaxSide * 4);
    TIFF *t = TIFFOpenExt(QFile::encodeName(path).constData(), "r", opts);
    TIFFOpenOptionsFree(opts);
    return TiffPtr(t);
}

[[noreturn]] void corrupt(const QString &path, const QString &why)
{
    throw AppError(QStringLiteral("Die Bilddatei \"%1\" ist beschädigt oder unvollständig (%2).").arg(path, why));
}

void checkSize(const QString &path, qint64 w, qint64 h)
{
    if (w <= 0 || h <= 0)
        corrupt(path, QStringLiteral("Bildgröße %1 x %2").arg(w).arg(h));
    if (w > MaxSide || h > MaxSide)
        throw AppError(QStringLiteral("Das Bild \"%1\" ist mit %2 x %3 Pixeln zu groß (höchstens %4 x %4).")
                           .arg(path)
                           .arg(w)
                           .arg(h)
                           .arg(MaxSide));
}

QImage allocate(const QString &path, int w, int h, QImage::Format format)
{
    QImage img(w, h, format);
    if (img.isNull())
        throw AppError(QStringLiteral("Für das Bild \"%1\" (%2 x %3 Pixel) reicht der Speicher nicht.")
                           .arg(path)
                           .arg(w)
                           .arg(h));
    return img;
}

// Bilevel and 8-bit grey strips, read row by row straight into the page so
// that a fax page never needs more than one extra scanline.
QImage readGreyScanlines(TIFF *tif, const QString &path, TiffMessages &messages, int w, int h, int bps,
                         bool minIsWhite)
{
    QImage img = allocate(path, w, h, QImage::Format_Grayscale8);
    const tmsize_t lineSize = TIFFScanlineSize(tif);
    const qint64 needed = bps == 1 ? (qint64(w) + 7) / 8 : qint64(w);
    if (lineSize < needed)
        corrupt(path, QStringLiteral("Zeilenlänge %1").arg(lineSize));
    QByteArray line(lineSize, Qt::Uninitialized);
    auto *buf = reinterpret_cast<uchar *>(line.data());

    // Eight output pixels per input byte for bilevel pages.
    static const auto expand = [] {
        std::array<std::array<uchar, 8>, 256> t{};
        for (int b = 0; b < 256; ++b)
            for (int i = 0; i < 8; ++i)
                t[b][i] = (b & (0x80 >> i)) ? 255 : 0;
        return t;
    }();

    for (int y = 0; y < h; ++y) {
        if (TIFFReadScanline(tif, buf, uint32_t(y), 0) < 0)
            corrupt(path, messages.firstError.isEmpty() ? QStringLiteral("Zeile %1 fehlt").arg(y)
                                                        : messages.firstError);
        uchar *out = img.scanLine(y);
        if (bps == 1) {
            int x = 0;
            for (; x + 8 <= w; x += 8)
                std::memcpy(out + x, expand[buf[x / 8]].data(), 8);
            for (; x < w; ++x)
                out[x] = expand[buf[x / 8]][x % 8];
        } else {
            std::memcpy(out, buf, size_t(w));
        }
        if (minIsWhite)
            for (int x = 0; x < w; ++x)
                out[x] = uchar(255 - out[x]);
    }
    return img;
}

QImage readTiff(const QString &path)
{
    TiffMessages messages;
    TiffPtr tif = openTiff(path, messages);
    if (!tif)
        corrupt(path, messages.firstError.isEmpty() ? QStringLiteral("kein TIFF") : messages.firstError);

    uint32_t w = 0, h = 0;
    uint16_t bps = 1, spp = 1, photometric = PHOTOMETRIC_MINISWHITE, planar = PLANARCONFIG_CONTIG;
    TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &w);
    TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &h);
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_BITSPERSAMPLE, &bps);
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_SAMPLESPERPIXEL, &spp);
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_PLANARCONFIG, &planar);
    if (!TIFFGetField(tif.get(), TIFFTAG_PHOTOMETRIC, &photometric))
        photometric = PHOTOMETRIC_MINISWHITE;
    checkSize(path, w, h);

    const bool grey = photometric == PHOTOMETRIC_MINISWHITE || photometric == PHOTOMETRIC_MINISBLACK;
    if (grey && spp == 1 && (bps == 1 || bps == 8) && !TIFFIsTiled(tif.get()))
        return readGreyScanlines(tif.get(), path, messages, int(w), int(h), bps,
                                 photometric == PHOTOMETRIC_MINISWHITE);

    // Colour, palette, JPEG (YCbCr), tiles, 16-bit grey: libtiff's RGBA
    // interface decodes them all into one 32-bit pixel per image pixel.
    char emsg[1024] = {};
    if (!TIFFRGBAImageOK(tif.get(), emsg))
        throw AppError(QStringLiteral("Das Format der Bilddatei \"%1\" wird nicht unterstützt (%2).")
                           .arg(path, QString::fromLocal8Bit(emsg)));
    QImage img = allocate(path, int(w), int(h), QImage::Format_RGBA8888);
    if (!TIFFReadRGBAImageOriented(tif.get(), w, h, reinterpret_cast<uint32_t *>(img.bits()),
                                   ORIENTATION_TOPLEFT, 1))
        corrupt(path, messages.firstError.isEmpty() ? QStringLiteral("Bilddaten unlesbar") : messages.firstError);
    if (grey) {
        img.convertTo(QImage::Format_Grayscale8);
        return img;
    }
    img.convertTo(QImage::Format_RGB32);
    return img;
}

QImage readWithQt(const QString &path)
{
    const QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    if (!QImageReader::supportedImageFormats().contains(format))
        throw AppError(QStringLiteral("Das Format der Bilddatei \"%1\" wird nicht unterstützt.").arg(path));
    QImageReader reader(path, format);
    reader.setDecideFormatFromContent(false);
    // Our own side limit replaces Qt's default 256 MB allocation limit,
    // which would refuse large colour scans that the view can show.
    reader.setAllocationLimit(int(qint64(MaxSide) * MaxSide * 4 / (1024 * 1024)) + 1);
    const QSize size = reader.size();
    if (size.isValid())
        checkSize(path, size.width(), size.height());
    QImage img;
    if (!reader.read(&img) || img.isNull())
        corrupt(path, reader.errorString());
    checkSize(path, img.width(), img.height());
    if (img.allGray() && img.depth() <= 8)
        return img.convertToFormat(QImage::Format_Grayscale8);
    if (img.format() != QImage::Format_RGB32 && img.format() != QImage::Format_Grayscale8)
        img.convertTo(QImage::Format_RGB32);
    return img;
}

} // namespace

bool isTiffPath(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("tif") || suffix == QLatin1String("tiff");
}

QImage load(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        throw AppError(QStringLiteral("Die Bilddatei \"%1\" wurde nicht gefunden.").arg(path));
    return isTiffPath(path) ? readTiff(path) : readWithQt(path);
}

QByteArray readAnnotationTag(const QString &path, double *yDpi)
{
    if (yDpi)
        *yDpi = 0;
    TiffMessages messages;
    TiffPtr tif = openTiff(path, messages);
    if (!tif)
        corrupt(path, messages.firstError.isEmpty() ? QStringLiteral("kein TIFF") : messages.firstError);
    if (yDpi) {
        float res = 0;
        uint16_t unit = RESUNIT_INCH;
        if (TIFFGetField(tif.get(), TIFFTAG_YRESOLUTION, &res) && res > 0) {
            TIFFGetFieldDefaulted(tif.get(), TIFFTAG_RESOLUTIONUNIT, &unit);
            *yDpi = unit == RESUNIT_CENTIMETER ? res * 2.54 : res;
        }
    }
    // libtiff keeps a tag it does not know as an anonymous byte field with a
    // 32-bit count.
    const TIFFField *field = TIFFFindField(tif.get(), WangAnnotationTag, TIFF_ANY);
    if (!field)
        return {};
    uint32_t count = 0;
    void *data = nullptr;
    if (TIFFFieldPassCount(field)) {
        if (TIFFFieldReadCount(field) == TIFF_VARIABLE2) {
            if (!TIFFGetField(tif.get(), WangAnnotationTag, &count, &data))
                return {};
        } else {
            uint16_t count16 = 0;
            if (!TIFFGetField(tif.get(), WangAnnotationTag, &count16, &data))
                return {};
            count = count16;
        }
    }
    if (!data || count == 0)
        return {};
    // A writer that declared the tag with a wider type still stored bytes.
    const int width = qMax(1, TIFFDataWidth(TIFFFieldDataType(field)));
    return QByteArray(static_cast<const char *>(data), qsizetype(count) * width);
}

} // namespace PageImageLoader
