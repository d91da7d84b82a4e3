#pragma once

#include <QPointF>
#include <QString>
#include <array>
#include <cstdint>

// One code as a decoder saw it, before the reader's settings judge it. The
// corners are in reading order: top left is where reading starts on the
// code's upper edge, so the code's reading direction and tilt follow from them.
struct Candidate
{
    std::int32_t type = 0; // flag of the type table
    QString data;
    std::array<QPointF, 4> corners; // top left, top right, bottom right, bottom left
    int lines = 1;                  // scan lines that read it
    bool linear = true;
    bool needsValidation = false;   // from the second engine: checked harder
};
