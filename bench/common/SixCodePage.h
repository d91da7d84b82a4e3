#pragma once

// The page of the whole-page benchmarks of the reader and of the recognition
// commands, so that their numbers describe the same work: six codes of
// different types (no patch code, which the whole-page settings leave out),
// one of them read top to bottom, on an A4 page at 300 dpi, written as a
// 1-bit G4 TIFF as office scanners deliver it.

#include "reader/BarcodeRenderer.h"
#include "reader/PageImage.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>

struct SixCodePage
{
    struct Code
    {
        std::int32_t type;
        QString data;
    };

    static const QList<Code> &codes()
    {
        static const QList<Code> list = {
            {1, "INV-2024-0815"}, {2, "Akte 4711/2024"}, {4, "00123456"},
            {64, "4006381333931"}, {256, "036000291452"}, {1024, "Rechnung 2024-0815 Kunde 4711"},
        };
        return list;
    }

    QTemporaryDir dir;
    QString file;
    QImage page;
    QList<QRect> boxes; // page pixels, quiet zone included, in the order of codes()

    SixCodePage()
    {
        page = BarcodeRenderer::blankPage();
        int i = 0;
        for (const Code &c : codes()) {
            BarcodeRenderer::Options o;
            o.moduleWidth = 3;
            o.barHeight = 150;
            boxes << BarcodeRenderer::place(page, BarcodeRenderer::render(c.type, c.data, o),
                                            {150 + (i % 2) * 1200, 200 + (i / 2) * 1000}, i == 3 ? 2 : 1);
            ++i;
        }
        file = dir.filePath("page.tif");
        PageImage::saveTiff(file, {page}, PageImage::TiffEncoding::BilevelG4);
    }

    // One page for all benchmarks of a run.
    static SixCodePage &instance()
    {
        static SixCodePage p;
        return p;
    }
};
