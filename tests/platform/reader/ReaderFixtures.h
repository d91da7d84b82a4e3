#pragma once

#include "reader/BarcodeRenderer.h"
#include "reader/PageImage.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>

// One code of every type, with data each type takes.
struct SampleCode
{
    std::int32_t type;
    QString data;
};

inline const QList<SampleCode> &sampleCodes()
{
    static const QList<SampleCode> codes = {
        {1, QStringLiteral("CODE39-42")},  {2, QStringLiteral("Code128 x9")}, {4, QStringLiteral("12345678")},
        {8, QStringLiteral("4711")},       {16, QStringLiteral("A123456B")},  {32, QStringLiteral("96385074")},
        {64, QStringLiteral("4006381333931")}, {128, QStringLiteral("2")},     {256, QStringLiteral("036000291452")},
        {512, QStringLiteral("01234565")}, {1024, QStringLiteral("PDF417 Probe 2024")},
    };
    return codes;
}

// The data the reader reports for a sample with check digits shown: zint
// drops Codabar's start/stop letters on reading.
inline QString reportedData(const SampleCode &c)
{
    if (c.type == 16)
        return c.data.mid(1, c.data.size() - 2);
    return c.data;
}

// A page with one code placed at topLeft; returns the code's box.
inline QRect placeCode(QImage &page, const SampleCode &code, QPoint topLeft, int moduleWidth = 3, int direction = 1,
                       double tilt = 0.0, int barHeight = 150)
{
    BarcodeRenderer::Options o;
    o.moduleWidth = code.type == 128 ? moduleWidth * 8 : moduleWidth;
    o.barHeight = barHeight;
    return BarcodeRenderer::place(page, BarcodeRenderer::render(code.type, code.data, o), topLeft, direction, tilt);
}
