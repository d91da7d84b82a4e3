#pragma once

#include <QImage>

// Clean-ups of an 8-bit grey image before decoding, one per reader setting.
namespace ImageFilters {

// Passes of a 3x3 median: each pass removes specks of one or two pixels.
QImage medianPasses(const QImage &grey, int passes);

// Removes dark and light features thinner than width pixels (a grey opening
// followed by a closing with a width x width square), so that dust and
// scanner streaks do not split bars or spaces. Width 1 changes nothing.
QImage removeThinFeatures(const QImage &grey, int width);

// Black where the grey value is below threshold, white elsewhere.
QImage binarize(const QImage &grey, int threshold);

// Halves or doubles the image (factor 0.5 or 2), smoothly.
QImage rescale(const QImage &grey, double factor);

} // namespace ImageFilters
