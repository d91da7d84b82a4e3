#pragma once

#include "RowHit.h"

// Patch codes on one scan line: four bars, two wide (0.20 in) and two narrow
// (0.08 in), narrow spaces between. The data is the patch's name, from the
// bars in reading order: 1 WWNN, 2 WNNW, 3 WNWN, 4 NWWN, 6 NNWW, T NWNW.
class PatchCodeDecoder
{
public:
    static std::vector<RowHit> decode(const RunLengths &line);
    // The name for bars read in order (W and N), or empty.
    static QString nameOf(const QString &bars);
};
