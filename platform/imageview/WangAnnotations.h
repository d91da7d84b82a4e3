#pragma once

#include <QByteArrayView>
#include <QList>
#include <QPoint>
#include <QString>
#include <QtGui/qrgb.h>
#include <cstdint>

// The imaging annotations that Wang / eiStream "Imaging for Windows" stores in
// TIFF tag 32932: a 4-byte header, a 4-byte format word (1 = Intel 32-bit),
// then blocks of type 2 (default named block), 5 (attributes of the next mark)
// and 6 (named block of the current mark). The block is untrusted input:
// every length is checked against what is left, and a block that lies about
// its length ends the parse with the marks read so far.

namespace WangMarkType {
constexpr std::uint32_t ImageEmbedded = 1;
constexpr std::uint32_t ImageReference = 2;
constexpr std::uint32_t StraightLine = 3;
constexpr std::uint32_t FreehandLine = 4;
constexpr std::uint32_t HollowRectangle = 5;
constexpr std::uint32_t FilledRectangle = 6;
constexpr std::uint32_t TypedText = 7;
constexpr std::uint32_t TextFromFile = 8;
constexpr std::uint32_t TextStamp = 9;
constexpr std::uint32_t AttachANote = 10;
constexpr std::uint32_t Form = 12;
constexpr std::uint32_t OcrRegion = 13;
} // namespace WangMarkType

// One annotation mark with what the view can use of it; coordinates are
// pixels of the page as stored (unrotated).
struct WangMark
{
    std::uint32_t type = 0;
    // lrBounds as stored: right and bottom lie just past the mark.
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    QRgb color1 = 0;        // lines, rectangles, text; the paper of a note
    QRgb color2 = 0;        // the text of a note
    bool highlighting = false;
    bool transparent = false;
    bool visible = true;
    std::uint32_t lineSize = 1;
    std::int32_t fontHeight = 0;    // LOGFONT lfHeight
    std::int32_t fontWeight = 0;    // 700 and above is bold
    bool fontItalic = false;
    QString fontName;
    bool hasPoints = false;
    QList<QPoint> points;           // OiAnoDat, relative to (left, top)
    bool hasText = false;
    QString text;                   // OiAnText
};

struct WangAnnotationBlock
{
    QList<WangMark> marks;
    QString error;                  // empty when the whole block was read
};

// Limits that keep a hostile block from taking unbounded memory.
constexpr int MaxWangMarks = 10000;
constexpr int MaxWangPoints = 100000;
constexpr int MaxWangTextBytes = 65536;
constexpr int WangAttributesSize = 164;

// Pure: bytes -> marks. Never throws and never reads outside data.
WangAnnotationBlock parseWangAnnotations(QByteArrayView data);
