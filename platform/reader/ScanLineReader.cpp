#include "ScanLineReader.h"

#include <algorithm>
#include <cmath>

namespace {

struct Group
{
    QString data;
    bool reversed = false;
    int firstLine = 0, lastLine = 0;
    int startFirst = 0, endFirst = 0, startLast = 0, endLast = 0;
    int count = 0;
};

void addHit(std::vector<Group> &groups, const RowHit &hit, int lineIndex, int lineJump)
{
    const int width = hit.end - hit.start;
    const int tolerance = std::max(3, width / 12) + 2 * lineJump;
    for (Group &g : groups) {
        // Specks can break a code for some lines: reads continue across such a gap.
        if (g.data != hit.data || g.reversed != hit.reversed
            || lineIndex - g.lastLine > std::max(4 * lineJump, width / 2))
            continue;
        if (std::abs(hit.start - g.startLast) > tolerance || std::abs(hit.end - g.endLast) > tolerance)
            continue;
        g.lastLine = lineIndex;
        g.startLast = hit.start;
        g.endLast = hit.end;
        ++g.count;
        return;
    }
    groups.push_back({hit.data, hit.reversed, lineIndex, lineIndex, hit.start, hit.end, hit.start, hit.end, 1});
}

void scan(const QImage &bw, bool columns, const ScanLineReader::LineDecoder &decoder, int lineJump,
          std::vector<Group> &groups)
{
    const int lines = columns ? bw.width() : bw.height();
    const int length = columns ? bw.height() : bw.width();
    std::vector<unsigned char> dark(static_cast<size_t>(length));
    for (int l = 0; l < lines; l += lineJump) {
        for (int i = 0; i < length; ++i)
            dark[static_cast<size_t>(i)] = (columns ? bw.constScanLine(i)[l] : bw.constScanLine(l)[i]) < 128;
        const RunLengths forward = RunLengths::fromDarkFlags(dark.data(), length);
        for (RowHit hit : decoder(forward))
            addHit(groups, hit, l, lineJump);
        for (RowHit hit : decoder(forward.reversed(length))) {
            hit.reversed = true;
            const int start = length - hit.end;
            hit.end = length - hit.start;
            hit.start = start;
            addHit(groups, hit, l, lineJump);
        }
    }
}

Candidate toCandidate(const Group &g, bool columns, std::int32_t type)
{
    Candidate c;
    c.type = type;
    c.data = g.data;
    c.lines = g.count;
    // In line coordinates (along, line); see the reading-order rule of Candidate.
    const QPointF aFirst(g.startFirst, g.firstLine), bFirst(g.endFirst, g.firstLine);
    const QPointF aLast(g.startLast, g.lastLine), bLast(g.endLast, g.lastLine);
    std::array<QPointF, 4> q;
    if (!columns) {
        q = g.reversed ? std::array<QPointF, 4>{bLast, aLast, aFirst, bFirst}
                       : std::array<QPointF, 4>{aFirst, bFirst, bLast, aLast};
    } else {
        // Reading down a column the code's upper edge is on the right (larger x).
        q = g.reversed ? std::array<QPointF, 4>{bFirst, aFirst, aLast, bLast}
                       : std::array<QPointF, 4>{aLast, bLast, bFirst, aFirst};
        for (QPointF &p : q)
            p = QPointF(p.y(), p.x());
    }
    c.corners = q;
    return c;
}

} // namespace

std::vector<Candidate> ScanLineReader::read(const QImage &bw, const LineDecoder &decoder, const Options &options)
{
    std::vector<Candidate> out;
    const int jump = std::clamp(options.lineJump, 1, 1000);
    for (bool columns : {false, true}) {
        std::vector<Group> groups;
        scan(bw, columns, decoder, jump, groups);
        for (const Group &g : groups) {
            if (g.count < options.minLines)
                continue;
            const double width = std::max(g.endFirst - g.startFirst, g.endLast - g.startLast);
            if (g.lastLine - g.firstLine + jump < options.minExtent * width)
                continue;
            out.push_back(toCandidate(g, columns, options.type));
        }
    }
    return out;
}
