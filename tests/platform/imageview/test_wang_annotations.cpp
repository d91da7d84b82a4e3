#include "Fixtures.h"
#include "QtPrinters.h"
#include "imageview/WangAnnotations.h"

#include <gtest/gtest.h>

using fixtures::WangWriter;

namespace {

WangWriter::Mark mark(uint32_t type, QRect bounds)
{
    WangWriter::Mark m;
    m.type = type;
    m.bounds = bounds;
    return m;
}

} // namespace

TEST(WangAnnotations, ReadsEveryDrawnKindWithItsAttributes)
{
    WangWriter w;
    w.named(2, "OiGroup", "[Untitled]\0");
    auto hl = mark(WangMarkType::FilledRectangle, QRect(10, 20, 30, 40));
    hl.color1 = QColor(255, 255, 0);
    hl.highlighting = true;
    w.mark(hl).named(6, "OiGroup", "[Untitled]");
    auto line = mark(WangMarkType::FreehandLine, QRect(100, 50, 20, 20));
    line.lineSize = 3;
    line.color1 = QColor(0x12, 0x34, 0x56);
    w.mark(line).points({{0, 0}, {5, 9}, {19, 19}});
    auto note = mark(WangMarkType::AttachANote, QRect(5, 5, 80, 30));
    note.color1 = QColor(255, 255, 128);
    note.color2 = QColor(0, 0, 255);
    note.fontHeight = 14;
    note.fontWeight = 700;
    note.fontName = "Verdana";
    note.visible = false;
    w.mark(note).text("Bitte pr\xfc" "fen\r\nZeile 2");

    const WangAnnotationBlock block = parseWangAnnotations(w.bytes());
    EXPECT_TRUE(block.error.isEmpty()) << block.error.toStdString();
    ASSERT_EQ(block.marks.size(), 3);

    const WangMark &a = block.marks[0];
    EXPECT_EQ(a.type, WangMarkType::FilledRectangle);
    EXPECT_EQ(a.left, 10);
    EXPECT_EQ(a.top, 20);
    EXPECT_EQ(a.right, 40); // just past the mark
    EXPECT_EQ(a.bottom, 60);
    EXPECT_EQ(a.color1, qRgb(255, 255, 0));
    EXPECT_TRUE(a.highlighting);

    const WangMark &b = block.marks[1];
    EXPECT_EQ(b.lineSize, 3u);
    EXPECT_EQ(b.color1, qRgb(0x12, 0x34, 0x56)); // stored blue first
    ASSERT_TRUE(b.hasPoints);
    EXPECT_EQ(b.points, (QList<QPoint>{{0, 0}, {5, 9}, {19, 19}}));

    const WangMark &c = block.marks[2];
    EXPECT_EQ(c.text, QString::fromUtf8("Bitte prüfen\r\nZeile 2"));
    EXPECT_EQ(c.color2, qRgb(0, 0, 255));
    EXPECT_EQ(c.fontHeight, 14);
    EXPECT_EQ(c.fontWeight, 700);
    EXPECT_EQ(c.fontName, "Verdana");
    EXPECT_FALSE(c.visible);
}

// Blocks that lie about their lengths: the parse stops with an error, keeps
// the marks before the fault and never reads outside the data.
struct LyingCase
{
    const char *name;
    QByteArray bytes;
    int marksKept;
};

class WangAnnotationsBadInput : public ::testing::TestWithParam<LyingCase>
{
};

TEST_P(WangAnnotationsBadInput, StopsWithAnErrorAndKeepsEarlierMarks)
{
    const LyingCase &c = GetParam();
    const WangAnnotationBlock block = parseWangAnnotations(c.bytes);
    EXPECT_FALSE(block.error.isEmpty()) << c.name;
    EXPECT_EQ(block.marks.size(), c.marksKept) << c.name;
}

namespace {

QByteArray oneGoodMark()
{
    return WangWriter().mark(mark(WangMarkType::HollowRectangle, QRect(1, 2, 3, 4))).bytes();
}

QByteArray withTail(const QByteArray &tail)
{
    return oneGoodMark() + tail;
}

QByteArray le(std::initializer_list<uint32_t> values)
{
    QByteArray b;
    for (uint32_t v : values)
        WangWriter::u32(b, v);
    return b;
}

QByteArray namedBlockClaiming(uint32_t innerSize, const QByteArray &name, const QByteArray &data)
{
    QByteArray nb = name;
    WangWriter::u32(nb, innerSize);
    nb.append(data);
    return le({6, uint32_t(nb.size())}) + nb;
}

std::vector<LyingCase> lyingCases()
{
    QByteArray pointsLie;
    WangWriter::u32(pointsLie, 0x7fffffff);
    WangWriter::u32(pointsLie, 0x7fffffff);
    pointsLie.append(16, '\0');
    QByteArray negativePoints = le({2, 0xfffffff0u});
    QByteArray textLie = le({0, 1000, 1000, 5000}) + QByteArray("short");
    QByteArray lineMark = WangWriter().mark(mark(WangMarkType::StraightLine, QRect(0, 0, 9, 9))).bytes();
    QByteArray textMark = WangWriter().mark(mark(WangMarkType::TypedText, QRect(0, 0, 9, 9))).bytes();
    return {
        {"empty", QByteArray(), 0},
        {"header cut short", QByteArray("\0\0\0\0\1\0", 6), 0},
        {"16-bit format", le({0, 0}), 0},
        {"unknown format word", le({0, 7}), 0},
        {"block claims more than is left", withTail(le({5, 0xffffff00u}) + QByteArray(20, '\0')), 1},
        {"block header cut short", withTail(le({5}) + QByteArray("\1\2", 2)), 1},
        {"attributes too short", withTail(le({5, 8}) + QByteArray(8, '\0')), 1},
        {"unknown block type", withTail(le({9, 0})), 1},
        {"named block shorter than its header", withTail(le({6, 4}) + QByteArray("OiAn")), 1},
        {"named block claims more than its block", withTail(namedBlockClaiming(1000, "OiGroup\0", "x")), 1},
        {"point count beyond the data", lineMark + namedBlockClaiming(uint32_t(pointsLie.size()), "OiAnoDat", pointsLie), 1},
        {"negative point count", lineMark + namedBlockClaiming(8, "OiAnoDat", negativePoints), 1},
        {"text length beyond the data", textMark + namedBlockClaiming(uint32_t(textLie.size()), "OiAnText", textLie), 1},
    };
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Lying, WangAnnotationsBadInput, ::testing::ValuesIn(lyingCases()),
                         [](const auto &info) {
                             std::string n = info.param.name;
                             for (char &ch : n)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return n;
                         });

TEST(WangAnnotations, NamedBlockBeforeAnyMarkIsIgnoredNotFatal)
{
    const QByteArray bytes = WangWriter().named(6, "OiGroup", "x").mark(mark(WangMarkType::FilledRectangle, QRect(0, 0, 2, 2))).bytes();
    const WangAnnotationBlock block = parseWangAnnotations(bytes);
    EXPECT_TRUE(block.error.isEmpty());
    EXPECT_EQ(block.marks.size(), 1);
}
