#pragma once

#include "TAreaRect.h"

#include <QString>
#include <cstdint>

// What a recognition command read of one barcode from the reader component.
struct FoundBarcode
{
    QString Data;
    std::int32_t BarcodeType = 0;
    TAreaRect Position; // pixels of the page in the scanned file
};
