#include "BarcodeRenderer.h"

#include "AppError.h"
#include "U_misc.h"

#include <QPainter>
#include <QTransform>
#include <zint.h>

#include <cmath>
#include <memory>

namespace {

struct ZintDeleter
{
    void operator()(zint_symbol *s) const { ZBarcode_Delete(s); }
};

int zintSymbology(std::int32_t type, const QString &data)
{
    switch (type) {
    case 1: return BARCODE_CODE39;
    case 2: return BARCODE_CODE128;
    case 4: return BARCODE_C25INTER;
    case 8: return BARCODE_C25IND;
    case 16: return BARCODE_CODABAR;
    case 32:
    case 64: return BARCODE_EANX;
    case 256: return BARCODE_UPCA;
    case 512: return BARCODE_UPCE;
    case 1024: return BARCODE_PDF417;
    default: break;
    }
    throw AppError(QStringLiteral("Barcode type %1 cannot be rendered (data \"%2\").").arg(type).arg(data));
}

bool moduleSet(const zint_symbol *s, int row, int col)
{
    return (s->encoded_data[row][col >> 3] >> (col & 7)) & 1;
}

// Bars from the leading edge: W wide, N narrow.
QString patchPattern(const QString &name)
{
    if (name == QLatin1String("1")) return QStringLiteral("WWNN");
    if (name == QLatin1String("2")) return QStringLiteral("WNNW");
    if (name == QLatin1String("3")) return QStringLiteral("WNWN");
    if (name == QLatin1String("4")) return QStringLiteral("NWWN");
    if (name == QLatin1String("6")) return QStringLiteral("NNWW");
    if (name == QLatin1String("T")) return QStringLiteral("NWNW");
    throw AppError(QStringLiteral("\"%1\" is no patch code.").arg(name));
}

QImage renderPatch(const QString &data, const BarcodeRenderer::Options &o)
{
    // Narrow 0.08 in, wide 0.20 in: the wide bar is 2.5 narrow ones.
    const int n = std::max(2, o.moduleWidth);
    const int w = (n * 5 + 1) / 2;
    const QString pattern = patchPattern(data);
    int codeWidth = 3 * n;
    for (QChar c : pattern)
        codeWidth += c == QLatin1Char('W') ? w : n;
    // Bars at least 0.75 in long on a code 0.80 in wide.
    const int length = std::max(o.barHeight, codeWidth * 15 / 16 + 1);
    const int quiet = o.quietZone * n;
    QImage img(codeWidth + 2 * quiet, length + 2 * quiet, QImage::Format_Grayscale8);
    img.fill(255);
    QPainter p(&img);
    int x = quiet;
    for (QChar c : pattern) {
        const int bw = c == QLatin1Char('W') ? w : n;
        p.fillRect(x, quiet, bw, length, Qt::black);
        x += bw + n;
    }
    return img;
}

} // namespace

QImage BarcodeRenderer::render(std::int32_t type, const QString &data, const Options &options)
{
    if (options.moduleWidth < 1 || options.barHeight < 1 || options.quietZone < 0)
        throw AppError(QStringLiteral("Invalid barcode rendering options."));
    if (type == 128)
        return renderPatch(data, options);

    const int symbology = zintSymbology(type, data);
    std::unique_ptr<zint_symbol, ZintDeleter> symbol(ZBarcode_Create());
    if (!symbol)
        throw AppError(QStringLiteral("libzint could not create a symbol."));
    symbol->symbology = symbology;
    if (type == 1024)
        symbol->option_1 = 2; // error correction level: plenty for the tests' degradations
    QByteArray bytes = data.toLatin1();
    if ((type == 32 && bytes.size() == 8) || (type == 64 && bytes.size() == 13)) {
        // libzint adds the check digit itself; a given one must be right.
        const QByteArray body = bytes.left(bytes.size() - 1);
        int sum = 0;
        for (qsizetype i = 0; i < body.size(); ++i)
            sum += (body[body.size() - 1 - i] - '0') * (i % 2 == 0 ? 3 : 1);
        if (bytes.back() != char('0' + (10 - sum % 10) % 10))
            throw AppError(QStringLiteral("\"%1\" has a wrong check digit.").arg(data));
        bytes = body;
    }
    const int rc = ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char *>(bytes.constData()),
                                   static_cast<int>(bytes.size()));
    if (rc >= ZINT_ERROR)
        throw AppError(QStringLiteral("libzint cannot encode \"%1\" as %2: %3")
                           .arg(data, BarcodeTypeName(type), QString::fromLatin1(symbol->errtxt)));
    if ((type == 32 && bytes.size() > 7) || (type == 64 && bytes.size() <= 7))
        throw AppError(QStringLiteral("\"%1\" is no %2 number.").arg(data, BarcodeTypeName(type)));

    const int m = options.moduleWidth;
    const int quiet = options.quietZone * m;
    const int rows = symbol->rows;
    const int rowHeight = type == 1024 ? 3 * m : options.barHeight;
    QImage img(symbol->width * m + 2 * quiet, rows * rowHeight + 2 * quiet, QImage::Format_Grayscale8);
    img.fill(255);
    for (int r = 0; r < rows; ++r) {
        const int y0 = quiet + r * rowHeight;
        for (int c = 0; c < symbol->width; ++c) {
            if (!moduleSet(symbol.get(), r, c))
                continue;
            for (int y = y0; y < y0 + rowHeight; ++y)
                std::fill_n(img.scanLine(y) + quiet + c * m, m, uchar(0));
        }
    }
    return img;
}

QRect BarcodeRenderer::place(QImage &page, const QImage &code, QPoint topLeft, int direction, double tiltDegrees)
{
    double angle = tiltDegrees;
    switch (direction) {
    case 2: angle += 90; break;
    case 4: angle += 180; break;
    case 8: angle += 270; break;
    default: break;
    }
    QTransform t;
    const QPointF centre(code.width() / 2.0, code.height() / 2.0);
    t.translate(topLeft.x() + centre.x(), topLeft.y() + centre.y());
    t.rotate(angle);
    t.translate(-centre.x(), -centre.y());
    QPainter p(&page);
    p.setRenderHint(QPainter::SmoothPixmapTransform, std::fmod(angle, 90.0) != 0.0);
    p.setTransform(t);
    p.drawImage(QPoint(0, 0), code);
    return t.mapRect(QRectF(code.rect())).toAlignedRect().intersected(page.rect());
}

QImage BarcodeRenderer::blankPage(int dpi)
{
    QImage page(qRound(8.27 * dpi), qRound(11.69 * dpi), QImage::Format_Grayscale8);
    page.fill(255);
    return page;
}
