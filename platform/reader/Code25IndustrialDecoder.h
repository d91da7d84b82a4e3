#pragma once

#include "RowHit.h"

// Code 2 of 5 industrial on one scan line: only the bars carry data (five per
// digit, two of them wide), every space is narrow; start bars wide wide
// narrow, stop bars wide narrow wide. zxing-cpp does not read this code.
class Code25IndustrialDecoder
{
public:
    // Codes read in the direction of the runs (light first).
    static std::vector<RowHit> decode(const RunLengths &line);
};
