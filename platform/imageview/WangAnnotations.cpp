#include "WangAnnotations.h"

#include <cstring>

namespace {

// Reads little-endian values at checked offsets; a read past the end makes
// the cursor fail and return 0 from then on.
class Cursor
{
public:
    explicit Cursor(QByteArrayView data) : m_data(data) {}

    qsizetype pos() const { return m_pos; }
    qsizetype left() const { return m_data.size() - m_pos; }
    bool failed() const { return m_failed; }

    std::uint32_t u32()
    {
        if (left() < 4) {
            m_failed = true;
            m_pos = m_data.size();
            return 0;
        }
        const auto *p = reinterpret_cast<const unsigned char *>(m_data.data()) + m_pos;
        m_pos += 4;
        return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16
               | std::uint32_t(p[3]) << 24;
    }
    std::int32_t i32() { return std::int32_t(u32()); }
    QByteArrayView bytes(qsizetype n)
    {
        if (n < 0 || left() < n) {
            m_failed = true;
            m_pos = m_data.size();
            return {};
        }
        QByteArrayView v = m_data.sliced(m_pos, n);
        m_pos += n;
        return v;
    }

private:
    QByteArrayView m_data;
    qsizetype m_pos = 0;
    bool m_failed = false;
};

QRgb rgbQuad(std::uint32_t v)
{
    // RGBQUAD in memory: blue, green, red, reserved.
    return qRgb(int((v >> 16) & 0xff), int((v >> 8) & 0xff), int(v & 0xff));
}

QString cString(QByteArrayView v)
{
    const qsizetype nul = v.indexOf('\0');
    if (nul >= 0)
        v = v.first(nul);
    // Imaging for Windows wrote ANSI text; Latin-1 covers the German letters.
    return QString::fromLatin1(v);
}

WangMark readAttributes(QByteArrayView a)
{
    Cursor c(a);
    WangMark m;
    m.type = c.u32();
    m.left = c.i32();
    m.top = c.i32();
    m.right = c.i32();
    m.bottom = c.i32();
    m.color1 = rgbQuad(c.u32());
    m.color2 = rgbQuad(c.u32());
    m.highlighting = c.u32() != 0;
    m.transparent = c.u32() != 0;
    m.lineSize = c.u32();
    c.u32(); // reserved
    c.u32(); // reserved
    // LOGFONTA: height, width, escapement, orientation, weight, 8 single
    // bytes (italic first), 32-byte face name.
    m.fontHeight = c.i32();
    c.u32();
    c.u32();
    c.u32();
    m.fontWeight = c.i32();
    const QByteArrayView flags = c.bytes(8);
    m.fontItalic = !flags.isEmpty() && flags[0] != 0;
    m.fontName = cString(c.bytes(32));
    c.u32(); // reserved
    c.u32(); // time
    m.visible = c.u32() != 0;
    return m;
}

struct NamedBlock
{
    QByteArray name;
    QByteArrayView data;
};

// A named block inside a block of type 2 or 6: 8-byte name, 4-byte size, data.
bool readNamedBlock(QByteArrayView blockData, NamedBlock &out, QString &error)
{
    Cursor c(blockData);
    const QByteArrayView name = c.bytes(8);
    const std::uint32_t size = c.u32();
    if (c.failed()) {
        error = QStringLiteral("named block of %1 bytes is shorter than its 12-byte header")
                    .arg(blockData.size());
        return false;
    }
    if (size > std::uint32_t(c.left())) {
        error = QStringLiteral("named block \"%1\" claims %2 bytes but its block holds %3")
                    .arg(cString(name))
                    .arg(size)
                    .arg(c.left());
        return false;
    }
    out.name = cString(name).toLatin1();
    out.data = c.bytes(qsizetype(size));
    return true;
}

bool readPoints(QByteArrayView d, WangMark &m, QString &error)
{
    Cursor c(d);
    c.i32(); // nMaxPoints
    const std::int32_t n = c.i32();
    if (c.failed() || n < 0 || n > MaxWangPoints || qint64(n) * 8 > c.left()) {
        error = QStringLiteral("point list of a mark claims %1 points in %2 bytes").arg(n).arg(d.size());
        return false;
    }
    m.points.reserve(n);
    for (std::int32_t i = 0; i < n; ++i) {
        const std::int32_t x = c.i32();
        const std::int32_t y = c.i32();
        m.points.append(QPoint(x, y));
    }
    m.hasPoints = true;
    return true;
}

bool readText(QByteArrayView d, WangMark &m, QString &error)
{
    Cursor c(d);
    c.i32(); // orientation
    c.u32(); // reserved
    c.u32(); // creation scale
    const std::uint32_t len = c.u32();
    if (c.failed() || len > std::uint32_t(MaxWangTextBytes) || len > std::uint32_t(c.left())) {
        error = QStringLiteral("text of a mark claims %1 bytes in %2").arg(len).arg(d.size());
        return false;
    }
    m.text = cString(c.bytes(qsizetype(len)));
    m.hasText = true;
    return true;
}

} // namespace

WangAnnotationBlock parseWangAnnotations(QByteArrayView data)
{
    WangAnnotationBlock result;
    Cursor c(data);
    c.u32(); // reserved header
    const std::uint32_t format = c.u32();
    if (c.failed()) {
        result.error = QStringLiteral("annotation data of %1 bytes has no complete header").arg(data.size());
        return result;
    }
    if (format != 1) {
        result.error = format == 0
                           ? QStringLiteral("16-bit annotation data is not supported")
                           : QStringLiteral("unknown annotation format %1").arg(format);
        return result;
    }

    bool inMark = false;
    WangMark mark;
    auto finishMark = [&] {
        if (inMark)
            result.marks.append(mark);
        inMark = false;
    };

    while (c.left() > 0) {
        const qsizetype at = c.pos();
        const std::uint32_t type = c.u32();
        const std::uint32_t size = c.u32();
        if (c.failed()) {
            result.error = QStringLiteral("truncated block header at byte %1").arg(at);
            break;
        }
        if (size > std::uint32_t(c.left())) {
            result.error = QStringLiteral("block at byte %1 claims %2 bytes but only %3 are left")
                               .arg(at)
                               .arg(size)
                               .arg(c.left());
            break;
        }
        const QByteArrayView body = c.bytes(qsizetype(size));
        if (type == 5) {
            finishMark();
            if (result.marks.size() >= MaxWangMarks) {
                result.error = QStringLiteral("more than %1 marks; the rest is ignored").arg(MaxWangMarks);
                break;
            }
            if (body.size() < WangAttributesSize) {
                result.error = QStringLiteral("mark attributes at byte %1 have %2 bytes instead of %3")
                                   .arg(at)
                                   .arg(body.size())
                                   .arg(WangAttributesSize);
                break;
            }
            mark = readAttributes(body.first(WangAttributesSize));
            inMark = true;
        } else if (type == 2 || type == 6) {
            NamedBlock nb;
            QString error;
            if (!readNamedBlock(body, nb, error)) {
                result.error = error;
                break;
            }
            // Default blocks (type 2) carry groups and indexes, nothing drawn.
            if (type == 6 && inMark) {
                bool ok = true;
                if (nb.name == "OiAnoDat" && (mark.type == WangMarkType::StraightLine
                                              || mark.type == WangMarkType::FreehandLine))
                    ok = readPoints(nb.data, mark, error);
                else if (nb.name == "OiAnText")
                    ok = readText(nb.data, mark, error);
                if (!ok) {
                    // Keep the mark without the broken part, but trust nothing after it.
                    finishMark();
                    result.error = error;
                    break;
                }
            }
        } else {
            result.error = QStringLiteral("unknown block type %1 at byte %2").arg(type).arg(at);
            break;
        }
    }
    finishMark();
    return result;
}
