#pragma once

#include <QImage>
#include <QList>
#include <QString>

// Reading and writing the pages the reader scans. TIFF goes through libtiff
// directly: the reader needs the first page of multi-page files and 1-bit G4
// scans, and must not depend on an image plugin being installed. Every other
// format goes through Qt's image reader.
namespace PageImage {

// The first page as 8-bit grey (0 black, 255 white). Raises AppError with a
// German text when the file is missing or cannot be decoded.
QImage loadFirstPage(const QString &path);

// Only the part of the first page inside region (page pixels, clipped to the
// page; a null region means the whole page), so that scanning one area of a
// large scan does not convert all of it. pageSize receives the page's size.
QImage loadFirstPage(const QString &path, const QRect &region, QSize *pageSize);

// The first page's size in pixels, without decoding it. Raises AppError.
QSize pageSize(const QString &path);

enum class TiffEncoding { Grey, BilevelG4 };

// Writes the pages into one TIFF file (first page first); BilevelG4 turns
// each page into black and white at grey level 128. Raises AppError.
void saveTiff(const QString &path, const QList<QImage> &pages, TiffEncoding encoding = TiffEncoding::Grey,
              int dpi = 300);

} // namespace PageImage
