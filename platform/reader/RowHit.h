#pragma once

#include <QString>
#include <vector>

// A code read on one scan line: pixels [start, end) along the line, and
// whether it reads against the line's direction.
struct RowHit
{
    int start = 0;
    int end = 0;
    QString data;
    bool reversed = false;
};

// A scan line as alternating runs, the first one light.
struct RunLengths
{
    std::vector<int> runs;   // light, dark, light, ... lengths in pixels
    std::vector<int> offset; // pixel position where each run begins

    static RunLengths fromDarkFlags(const unsigned char *dark, int length);
    // The same line read from its other end.
    RunLengths reversed(int length) const;
};
