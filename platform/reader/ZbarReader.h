#pragma once

#include "Candidate.h"

#include <QImage>
#include <vector>

// ZBar as the second engine for linear codes. Its reads are marked for the
// stricter checks (quiet zone, two scan lines, check digits), since it
// misreads where zxing-cpp does not.
class ZbarReader
{
public:
    // lineJump: pixels between the scan lines, across and down.
    static std::vector<Candidate> read(const QImage &grey, std::int32_t mask, int lineJump);
};
