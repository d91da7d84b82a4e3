#pragma once

#include "VectorObject.h"
#include "WangAnnotations.h"

#include <optional>

// Turns one imaging-annotation mark into the view object that shows it, in
// the page's own (unrotated) pixels. Marks the view does not draw (embedded
// or referenced images, forms, OCR regions, unknown kinds) give nothing.
// yDpi converts the mark's font size in points to pixels (72 when unknown).
std::optional<VectorObject> annotationObject(const WangMark &mark, double yDpi);
