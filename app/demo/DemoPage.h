#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <cstdint>

// One sample page of the demo: the page itself (A4, 300 dpi, 8-bit grey) and
// where each of its barcodes was put.
struct DemoPage
{
    struct Code
    {
        QString Label;      // what the code stands for on the document
        std::int32_t Type;  // flag of the type table
        QString Data;
        QRect Box;          // page pixels, quiet zone included
    };

    QString FileName;
    QImage Image;
    QList<Code> Codes;

    // A supplier's invoice with letterhead, address, item table, totals and
    // bank details; Code 128, Code 39, EAN-13, PDF417 and Interleaved 2 of 5.
    static DemoPage invoice();
    // The matching delivery note; Code 128, Code 39 and EAN-13 codes.
    static DemoPage deliveryNote();
};
