#pragma once

#include "Candidate.h"
#include "RowHit.h"

#include <QImage>
#include <functional>
#include <vector>

// Runs a one-line decoder over the rows and columns of a black-and-white
// image, every lineJump pixels, in both reading directions, and joins the
// reads of neighbouring lines into codes.
class ScanLineReader
{
public:
    using LineDecoder = std::function<std::vector<RowHit>(const RunLengths &)>;

    struct Options
    {
        int lineJump = 1;
        int minLines = 2;          // lines that must agree before a code counts
        double minExtent = 0.0;    // bar length as a share of the code's width
        std::int32_t type = 0;
    };

    // bw: 8-bit, 0 for dark. Corners in image pixels.
    static std::vector<Candidate> read(const QImage &bw, const LineDecoder &decoder, const Options &options);
};
