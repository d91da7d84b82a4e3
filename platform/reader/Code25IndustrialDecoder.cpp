#include "Code25IndustrialDecoder.h"

#include <array>
#include <cmath>

namespace {

// Wide bars of each digit as a five-bit mask, leftmost bar first (bit 4).
constexpr std::array<int, 10> DigitBars = {
    0b00110, // 0 NNWWN
    0b10001, // 1 WNNNW
    0b01001, // 2 NWNNW
    0b11000, // 3 WWNNN
    0b00101, // 4 NNWNW
    0b10100, // 5 WNWNN
    0b01100, // 6 NWWNN
    0b00011, // 7 NNNWW
    0b10010, // 8 WNNWN
    0b01010, // 9 NWNWN
};

int digitOf(int mask)
{
    for (int d = 0; d < 10; ++d)
        if (DigitBars[static_cast<size_t>(d)] == mask)
            return d;
    return -1;
}

} // namespace

std::vector<RowHit> Code25IndustrialDecoder::decode(const RunLengths &line)
{
    std::vector<RowHit> hits;
    const auto &r = line.runs;
    const int count = static_cast<int>(r.size());
    for (int i = 1; i + 6 < count; i += 2) {
        const double b0 = r[i], b1 = r[i + 2], b2 = r[i + 4];
        double narrow = b2;
        double wide = (b0 + b1) / 2.0;
        if (narrow < 1 || wide < 1.6 * narrow || wide > 3.8 * narrow || std::abs(b0 - b1) > 0.5 * wide)
            continue;
        if (r[i - 1] < 3 * narrow)
            continue;
        auto isNarrowSpace = [&](int idx) { return r[idx] < (narrow + wide) / 2.0 && r[idx] * 3 >= narrow; };
        if (!isNarrowSpace(i + 1) || !isNarrowSpace(i + 3))
            continue;

        QString digits;
        int p = i + 6; // first bar after the start bars
        bool ok = false;
        int lastBar = -1;
        while (p + 1 < count) {
            const double thr = (narrow + wide) / 2.0;
            if (!isNarrowSpace(p - 1))
                break;
            // The stop bars: wide narrow wide, then a quiet zone.
            if (!digits.isEmpty() && p + 5 < count && r[p] > thr && r[p + 2] < thr && r[p + 4] > thr
                && isNarrowSpace(p + 1) && isNarrowSpace(p + 3) && r[p + 5] >= 3 * narrow) {
                ok = true;
                lastBar = p + 4;
                break;
            }
            if (p + 8 >= count)
                break;
            int mask = 0, wides = 0;
            double sumN = 0, sumW = 0;
            bool spaces = true;
            for (int k = 0; k < 5; ++k) {
                const int idx = p + 2 * k;
                if (k > 0 && !isNarrowSpace(idx - 1))
                    spaces = false;
                if (r[idx] > thr) {
                    mask |= 1 << (4 - k);
                    ++wides;
                    sumW += r[idx];
                } else {
                    sumN += r[idx];
                }
            }
            const int d = spaces && wides == 2 ? digitOf(mask) : -1;
            if (d < 0)
                break;
            digits += QChar(u'0' + d);
            // Follow the print: blur and ink spread change widths along the code.
            narrow = (narrow + sumN / 3.0) / 2.0;
            wide = (wide + sumW / 2.0) / 2.0;
            if (wide < 1.5 * narrow)
                break;
            p += 10;
        }
        if (!ok)
            continue;
        RowHit hit;
        hit.start = line.offset[static_cast<size_t>(i)];
        hit.end = line.offset[static_cast<size_t>(lastBar)] + r[static_cast<size_t>(lastBar)];
        hit.data = digits;
        hits.push_back(hit);
        i = lastBar; // continue after this code
    }
    return hits;
}
