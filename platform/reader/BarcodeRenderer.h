#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>

// Draws barcodes of the reader's types: libzint encodes every type it writes,
// patch codes are drawn here. Used by the tests and by the demo workspace to
// make sample pages; nothing of the reader depends on it.
class BarcodeRenderer
{
public:
    struct Options
    {
        int moduleWidth = 3;    // pixels of the narrowest bar (patch codes: of the narrow bar)
        int barHeight = 120;    // pixels of a linear code's bars; a PDF417 row is moduleWidth * 3
        int quietZone = 10;     // white modules around the code in render()
    };

    // The code alone on white, in reading direction left to right, as an
    // 8-bit grey image. type is one flag of the type table; patch codes take
    // "1", "2", "3", "4", "6" or "T" as data. Raises AppError when the type is
    // not one flag or the data cannot be encoded in that type.
    static QImage render(std::int32_t type, const QString &data, const Options &options);
    static QImage render(std::int32_t type, const QString &data) { return render(type, data, Options{}); }

    // Places a rendered code on a page (any format QPainter draws on) with its
    // top left corner at topLeft before turning it: direction 1, 2, 4 or 8 is
    // the reading direction on the page, tiltDegrees turns it further about
    // its centre (clockwise on screen). Returns the bounding box it covers,
    // quiet zone included.
    static QRect place(QImage &page, const QImage &code, QPoint topLeft, int direction = 1,
                       double tiltDegrees = 0.0);

    // An A4 page at the given resolution, white, 8-bit grey.
    static QImage blankPage(int dpi = 300);
};
