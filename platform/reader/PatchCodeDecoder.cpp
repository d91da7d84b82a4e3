#include "PatchCodeDecoder.h"

#include <algorithm>
#include <array>

QString PatchCodeDecoder::nameOf(const QString &bars)
{
    static const std::array<std::pair<const char *, const char *>, 6> table = {{
        {"WWNN", "1"}, {"WNNW", "2"}, {"WNWN", "3"}, {"NWWN", "4"}, {"NNWW", "6"}, {"NWNW", "T"},
    }};
    for (const auto &[pattern, name] : table)
        if (bars == QLatin1String(pattern))
            return QLatin1String(name);
    return {};
}

std::vector<RowHit> PatchCodeDecoder::decode(const RunLengths &line)
{
    std::vector<RowHit> hits;
    const auto &r = line.runs;
    const int count = static_cast<int>(r.size());
    for (int i = 1; i + 7 < count; i += 2) {
        std::array<double, 4> bars = {double(r[i]), double(r[i + 2]), double(r[i + 4]), double(r[i + 6])};
        std::array<double, 4> sorted = bars;
        std::sort(sorted.begin(), sorted.end());
        const double narrow = (sorted[0] + sorted[1]) / 2.0;
        const double wide = (sorted[2] + sorted[3]) / 2.0;
        if (narrow < 1 || wide < 1.8 * narrow || wide > 3.6 * narrow || sorted[2] < 1.4 * sorted[1])
            continue;
        bool spaces = true;
        double span = 0;
        for (int k = 0; k < 7; ++k)
            span += r[i + k];
        for (int k = 0; k < 3; ++k) {
            const double s = r[i + 1 + 2 * k];
            spaces = spaces && s >= 0.5 * narrow && s <= 1.8 * narrow;
        }
        if (!spaces || span < 8 * narrow || span > 12.5 * narrow)
            continue;
        // Patch codes stand alone at the page edge: four narrow bars of white at
        // least, which no run of bars inside another code has.
        if (r[i - 1] < 4 * narrow || r[i + 7] < 4 * narrow)
            continue;
        const double thr = (sorted[1] + sorted[2]) / 2.0;
        QString pattern;
        for (double b : bars)
            pattern += b > thr ? QLatin1Char('W') : QLatin1Char('N');
        RowHit hit;
        hit.start = line.offset[static_cast<size_t>(i)];
        hit.end = line.offset[static_cast<size_t>(i + 6)] + r[i + 6];
        hit.data = nameOf(pattern);
        if (hit.data.isEmpty())
            continue;
        hits.push_back(hit);
        i += 6;
    }
    return hits;
}
