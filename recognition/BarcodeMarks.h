#pragma once

#include "FoundBarcode.h"

#include <QColor>
#include <cstdint>

class TImageEnVect;

// The marks of the whole-page recognition: a highlight over each barcode and a
// cross-hatched label with its data and type name. They are visible only, so
// the user cannot pick them up as areas.

// The system colour of inactive window captions, the highlight's colour.
QColor InactiveCaptionColor();

// A third of the barcode's height as a character height (negative), rounded
// to the nearest integer with halves to even.
std::int32_t MarkFontHeight(std::int32_t barcodeHeight);

// Adds the highlight and the label for one barcode, placed over it in the
// view's current rotation. Leaves the template selectable, movable, resizable
// and visible again, and the view in object selection.
void AddBarcodeMarks(TImageEnVect &view, const FoundBarcode &barcode);
