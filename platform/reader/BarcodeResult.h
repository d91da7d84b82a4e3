#pragma once

#include <QRect>
#include <QString>
#include <cstdint>

// One barcode the reader reports.
struct BarcodeResult
{
    std::int32_t BarcodeType = 0; // one flag of the type table
    QString Data;
    QRect Position;               // page pixels, origin top left
    std::int32_t Direction = 1;   // reading direction flag: 1, 2, 4 or 8
    double Skew = 0.0;            // degrees off the reading axis, clockwise positive

    friend bool operator==(const BarcodeResult &, const BarcodeResult &) = default;
};
