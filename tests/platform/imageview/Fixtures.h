#pragma once

// Pages and annotation blocks the image-view tests write themselves: TIFFs
// through libtiff, annotation bytes laid out as the Wang / eiStream
// annotation format describes them.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <tiffio.h>

namespace fixtures {

enum class TiffKind { G4, G3, LzwGrey, JpegRgb, LzwRgb };

inline void setWangTag(TIFF *tif, const QByteArray &annotations)
{
    static const TIFFFieldInfo info[] = {{32932, TIFF_VARIABLE2, TIFF_VARIABLE2, TIFF_BYTE, FIELD_CUSTOM, 1, 1,
                                          const_cast<char *>("WangAnnotation")}};
    TIFFMergeFieldInfo(tif, info, 1);
    TIFFSetField(tif, 32932, uint32_t(annotations.size()), annotations.constData());
}

// Writes one directory per page; annotations go on the first page.
inline bool writeTiff(const QString &path, const QList<QImage> &pages, TiffKind kind,
                      const QByteArray &annotations = {}, float dpi = 72.0f)
{
    TIFF *tif = TIFFOpen(path.toLocal8Bit().constData(), "w");
    if (!tif)
        return false;
    bool ok = true;
    for (int i = 0; i < pages.size() && ok; ++i) {
        const QImage &page = pages[i];
        const uint32_t w = uint32_t(page.width()), h = uint32_t(page.height());
        TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, w);
        TIFFSetField(tif, TIFFTAG_IMAGELENGTH, h);
        TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(tif, TIFFTAG_XRESOLUTION, dpi);
        TIFFSetField(tif, TIFFTAG_YRESOLUTION, dpi);
        TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        if (pages.size() > 1) {
            TIFFSetField(tif, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE);
            TIFFSetField(tif, TIFFTAG_PAGENUMBER, uint16_t(i), uint16_t(pages.size()));
        }
        if (i == 0 && !annotations.isEmpty())
            setWangTag(tif, annotations);
        QByteArray row;
        if (kind == TiffKind::G4 || kind == TiffKind::G3) {
            TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 1);
            TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
            TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
            TIFFSetField(tif, TIFFTAG_COMPRESSION, kind == TiffKind::G4 ? COMPRESSION_CCITTFAX4 : COMPRESSION_CCITTFAX3);
            TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, h);
            const QImage grey = page.convertToFormat(QImage::Format_Grayscale8);
            row.resize((w + 7) / 8);
            for (uint32_t y = 0; y < h && ok; ++y) {
                row.fill(0);
                const uchar *src = grey.constScanLine(int(y));
                for (uint32_t x = 0; x < w; ++x)
                    if (src[x] < 128) // black is 1 with min-is-white
                        row[int(x / 8)] = char(uchar(row[int(x / 8)]) | (0x80 >> (x % 8)));
                ok = TIFFWriteScanline(tif, row.data(), y, 0) >= 0;
            }
        } else if (kind == TiffKind::LzwGrey) {
            TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
            TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
            TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
            TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
            TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 16);
            const QImage grey = page.convertToFormat(QImage::Format_Grayscale8);
            for (uint32_t y = 0; y < h && ok; ++y)
                ok = TIFFWriteScanline(tif, const_cast<uchar *>(grey.constScanLine(int(y))), y, 0) >= 0;
        } else {
            TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
            TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
            TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
            TIFFSetField(tif, TIFFTAG_COMPRESSION, kind == TiffKind::JpegRgb ? COMPRESSION_JPEG : COMPRESSION_LZW);
            if (kind == TiffKind::JpegRgb)
                TIFFSetField(tif, TIFFTAG_JPEGQUALITY, 95);
            TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 16);
            const QImage rgb = page.convertToFormat(QImage::Format_RGB888);
            for (uint32_t y = 0; y < h && ok; ++y)
                ok = TIFFWriteScanline(tif, const_cast<uchar *>(rgb.constScanLine(int(y))), y, 0) >= 0;
        }
        ok = ok && TIFFWriteDirectory(tif);
    }
    TIFFClose(tif);
    return ok;
}

// Annotation bytes: 4-byte reserved header, 4-byte format (1 = Intel 32-bit),
// then blocks of type 2, 5 and 6, all little-endian.
class WangWriter
{
public:
    struct Mark
    {
        uint32_t type = 6;
        QRect bounds;               // inclusive; stored with right/bottom just past it
        QColor color1 = Qt::black;
        QColor color2 = Qt::black;
        bool highlighting = false;
        uint32_t lineSize = 1;
        int32_t fontHeight = 12;
        int32_t fontWeight = 400;
        QByteArray fontName = "Arial";
        bool visible = true;
    };

    WangWriter()
    {
        u32(m_bytes, 0);
        u32(m_bytes, 1);
    }

    WangWriter &mark(const Mark &m)
    {
        QByteArray a;
        u32(a, m.type);
        u32(a, uint32_t(m.bounds.left()));
        u32(a, uint32_t(m.bounds.top()));
        u32(a, uint32_t(m.bounds.right() + 1));
        u32(a, uint32_t(m.bounds.bottom() + 1));
        rgbQuad(a, m.color1);
        rgbQuad(a, m.color2);
        u32(a, m.highlighting ? 1 : 0);
        u32(a, 0); // transparent
        u32(a, m.lineSize);
        u32(a, 0);
        u32(a, 0);
        // LOGFONT: height, width, escapement, orientation, weight, 8 bytes, face[32]
        u32(a, uint32_t(m.fontHeight));
        u32(a, 0);
        u32(a, 0);
        u32(a, 0);
        u32(a, uint32_t(m.fontWeight));
        a.append(8, '\0');
        QByteArray face = m.fontName.left(31);
        face.append(32 - face.size(), '\0');
        a.append(face);
        u32(a, 0); // reserved
        u32(a, 0); // time
        u32(a, m.visible ? 1 : 0);
        u32(a, 0);
        a.append(40, '\0');
        return block(5, a);
    }

    WangWriter &named(uint32_t blockType, const QByteArray &name, const QByteArray &data)
    {
        QByteArray nb = name.left(8);
        nb.append(8 - nb.size(), '\0');
        u32(nb, uint32_t(data.size()));
        nb.append(data);
        return block(blockType, nb);
    }

    WangWriter &points(const QList<QPoint> &relative)
    {
        QByteArray d;
        u32(d, uint32_t(relative.size()));
        u32(d, uint32_t(relative.size()));
        for (const QPoint &p : relative) {
            u32(d, uint32_t(p.x()));
            u32(d, uint32_t(p.y()));
        }
        return named(6, "OiAnoDat", d);
    }

    WangWriter &text(const QByteArray &latin1)
    {
        QByteArray d;
        u32(d, 0);
        u32(d, 1000);
        u32(d, 1000);
        u32(d, uint32_t(latin1.size() + 1));
        d.append(latin1);
        d.append('\0');
        return named(6, "OiAnText", d);
    }

    WangWriter &block(uint32_t type, const QByteArray &data)
    {
        u32(m_bytes, type);
        u32(m_bytes, uint32_t(data.size()));
        m_bytes.append(data);
        return *this;
    }

    WangWriter &raw(const QByteArray &bytes)
    {
        m_bytes.append(bytes);
        return *this;
    }

    QByteArray bytes() const { return m_bytes; }

    static void u32(QByteArray &b, uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            b.append(char((v >> (8 * i)) & 0xff));
    }

private:
    static void rgbQuad(QByteArray &b, const QColor &c)
    {
        b.append(char(c.blue()));
        b.append(char(c.green()));
        b.append(char(c.red()));
        b.append('\0');
    }

    QByteArray m_bytes;
};

// A page with something on it: grey stripes, black bars and a colour patch.
inline QImage samplePage(int w, int h, bool colour = false)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if ((x / 7) % 3 == 0 && y > h / 4 && y < h / 2)
                img.setPixel(x, y, qRgb(0, 0, 0));
            else if (colour && x > w / 2 && y > h / 2)
                img.setPixel(x, y, qRgb(0x5a, 0xc3, 0x3c));
            else if (y > 3 * h / 4)
                img.setPixel(x, y, qRgb((x * 3) & 0xff, (x * 3) & 0xff, (x * 3) & 0xff));
        }
    return img;
}

} // namespace fixtures
