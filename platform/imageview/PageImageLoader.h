#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Reads the page images the view shows. TIFF goes through libtiff so that fax
// (CCITT G3/G4), LZW, JPEG-in-TIFF, grey, colour and multi-page files (first
// page) all load; other formats go through Qt's image readers. Bilevel and
// grey pages come back as Format_Grayscale8 (one byte per pixel), everything
// else as Format_RGB32.
//
// Every failure raises AppError with a German text naming the file: missing,
// unreadable, truncated or corrupt data, an unsupported format, or an image
// with a side above MaxSide pixels (refused before pixel memory is taken).
namespace PageImageLoader {

constexpr int MaxSide = 30000;

QImage load(const QString &path);

// True when the file name's extension is .tif or .tiff (any case).
bool isTiffPath(const QString &path);

// The raw bytes of tag 32932 on the first page of a TIFF file; empty when the
// page has none. yDpi receives the page's vertical resolution (0 if unknown).
// Raises AppError when the file cannot be opened as a TIFF.
QByteArray readAnnotationTag(const QString &path, double *yDpi = nullptr);

} // namespace PageImageLoader
