#pragma once

#include "BarcodeResult.h"
#include "Candidate.h"
#include "ReaderSettings.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <optional>
#include <vector>

// Decodes the barcodes in an image with zxing-cpp, ZBar for a second opinion
// on linear codes, and decoders of our own for Code 2 of 5 industrial and
// patch codes, then applies the reader's settings. zxing-cpp can abort the
// process on some inputs: this runs in the helper process only (see
// BarcodeReaderClient), never in the tool itself.
class BarcodeEngine
{
public:
    // image: the scanned part of the page, 8-bit grey; origin: its top left in
    // page pixels, so that positions come back in page pixels. Results are in
    // reading order of the page: top to bottom, then left to right.
    static QList<BarcodeResult> scan(const QImage &image, QPoint origin, const ReaderSettings &settings);

    // Scans the first page of a file within rect (page pixels; no rect is the
    // whole page, an empty rect or one outside the page finds nothing).
    // Raises AppError when the file cannot be read.
    static QList<BarcodeResult> scanFile(const QString &path, const std::optional<QRect> &rect,
                                         const ReaderSettings &settings);

    // The settings' judgement of decoded candidates (corners in page pixels of
    // grey's frame, grey being the image they were read from): exposed so
    // that tests can check each rule on exact inputs.
    static QList<BarcodeResult> judge(const std::vector<Candidate> &candidates, const QImage &grey,
                                      QPoint origin, const ReaderSettings &settings);
};
