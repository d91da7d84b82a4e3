#pragma once

#include "TAreaRect.h"
#include "U_Types.h"

#include <QSize>
#include <QString>
#include <cstdint>
#include <memory>

// Receives the stored areas row by row while LoadAreaDefinitions reads them,
// so that a row that fails leaves exactly the entries and objects made so far.
// The main window implements it on its area list and image view.
class AreaDefinitionSink
{
public:
    virtual ~AreaDefinitionSink() = default;

    // A new entry at the end of the area list, taking ownership of its
    // definition; the loader fills the definition in through the reference.
    virtual TOCRField &addAreaEntry(std::unique_ptr<TOCRField> definition) = 0;

    // The entry's caption and its sub-items "OCR Bereich" and "Pattern".
    virtual void showAreaEntry(const QString &name, const QString &areaText, const QString &pattern) = 0;

    // Box-drawing mode and the yellow highlight template for the next object;
    // called before the area text is converted, so it holds even when that fails.
    virtual void prepareAreaObject() = 0;

    // The size of the shown image, for converting the coordinate text; empty
    // while no image is shown (the area then gets no object, handle -1).
    virtual QSize imageSize() const = 0;

    // Adds the object made from the template at the rectangle; its handle.
    virtual std::int32_t addAreaObject(const TAreaRect &rect) = 0;
};
