#include "Fixtures.h"
#include "imageview/ImageEnVect.h"
#include "imageview/WangAnnotations.h"
#include "QtPrinters.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using fixtures::TiffKind;
using fixtures::WangWriter;

static void PrintTo(const TAreaRect &r, std::ostream *os)
{
    *os << "(" << r.Left << ", " << r.Top << ", " << r.Width << " x " << r.Height << ")";
}

namespace {

WangWriter::Mark mark(uint32_t type, QRect bounds, QColor c1 = Qt::black)
{
    WangWriter::Mark m;
    m.type = type;
    m.bounds = bounds;
    m.color1 = c1;
    return m;
}

// One mark of every kind the view draws, plus an embedded image it skips.
QByteArray everyKind()
{
    WangWriter w;
    w.named(2, "OiGroup", QByteArray("[Untitled]\0", 11));
    auto hl = mark(WangMarkType::FilledRectangle, QRect(20, 30, 100, 40), QColor(255, 255, 0));
    hl.highlighting = true;
    w.mark(hl);
    w.mark(mark(WangMarkType::FilledRectangle, QRect(200, 30, 50, 20), QColor(0, 0, 255)));
    auto hollow = mark(WangMarkType::HollowRectangle, QRect(300, 30, 60, 40), QColor(255, 0, 0));
    hollow.lineSize = 3;
    w.mark(hollow);
    w.mark(mark(WangMarkType::StraightLine, QRect(20, 150, 101, 51), QColor(0, 128, 0))).points({{0, 0}, {100, 50}});
    w.mark(mark(WangMarkType::FreehandLine, QRect(200, 150, 41, 31), QColor(128, 0, 128)))
        .points({{0, 0}, {10, 30}, {20, 0}, {40, 30}});
    auto typed = mark(WangMarkType::TypedText, QRect(20, 220, 200, 30), QColor(0, 0, 0));
    typed.fontHeight = 14;
    typed.fontWeight = 700;
    w.mark(typed).text("Eingang 12.03.");
    auto note = mark(WangMarkType::AttachANote, QRect(250, 220, 130, 60), QColor(255, 255, 160));
    note.color2 = QColor(0, 0, 160);
    w.mark(note).text("Rechnung\r\npr\xfc" "fen");
    w.mark(mark(WangMarkType::ImageEmbedded, QRect(0, 0, 10, 10))).named(6, "OiDIB", QByteArray(40, '\0'));
    return w.bytes();
}

class AnnotationsInView : public ::testing::Test
{
protected:
    QString writePage(const QByteArray &annotations)
    {
        const QString path = m_dir.filePath("annotated.tif");
        EXPECT_TRUE(fixtures::writeTiff(path, {fixtures::samplePage(400, 300)}, TiffKind::G4, annotations));
        return path;
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(AnnotationsInView, EveryKindArrivesAsAnObject)
{
    const QString path = writePage(everyKind());
    TImageEnVect view;
    view.loadFromFile(path);
    const AnnotationImportResult r = view.copyAnnotationsFrom(path);
    EXPECT_TRUE(r.ok()) << r.error.toStdString();
    ASSERT_EQ(r.handles, (QList<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(r.skipped, 1);

    const VectorObject &hl = view.object(0);
    EXPECT_EQ(hl.kind, ObjectKind::Box);
    EXPECT_TRUE(hl.highlight);
    EXPECT_EQ(hl.brushColor, QColor(255, 255, 0));
    EXPECT_EQ(view.objectRect(0), (TAreaRect{20, 30, 100, 40}));

    EXPECT_EQ(view.object(1).brushStyle, BrushStyle::Solid);
    EXPECT_FALSE(view.object(1).highlight);
    EXPECT_EQ(view.object(2).brushStyle, BrushStyle::None);
    EXPECT_EQ(view.object(2).penColor, QColor(255, 0, 0));
    EXPECT_EQ(view.object(2).penWidth, 3);

    EXPECT_EQ(view.object(3).kind, ObjectKind::Line);
    EXPECT_EQ(view.object(3).points, (QList<QPoint>{{20, 150}, {120, 200}}));
    EXPECT_EQ(view.object(4).kind, ObjectKind::Polyline);
    EXPECT_EQ(view.object(4).points.size(), 4);
    EXPECT_EQ(view.object(4).points.last(), QPoint(240, 180));

    EXPECT_EQ(view.object(5).kind, ObjectKind::MemoBox);
    EXPECT_EQ(view.object(5).text, "Eingang 12.03.");
    EXPECT_TRUE(view.object(5).fontBold);
    EXPECT_EQ(view.object(5).fontHeight, -14) << "14 points at 72 dpi";
    EXPECT_EQ(view.object(6).text, QString::fromUtf8("Rechnung\r\nprüfen"));
    EXPECT_EQ(view.object(6).brushColor, QColor(255, 255, 160));
    EXPECT_EQ(view.object(6).textColor, QColor(0, 0, 160));
}

TEST_F(AnnotationsInView, ArriveTurnedWithARotatedView)
{
    const QString path = writePage(everyKind());
    TImageEnVect view;
    view.loadFromFile(path);
    view.rotate(90);
    const AnnotationImportResult r = view.copyAnnotationsFrom(path);
    ASSERT_FALSE(r.handles.isEmpty());
    EXPECT_EQ(view.mapRectToDocument(view.objectRect(r.handles.first())), (TAreaRect{20, 30, 100, 40}));
    view.rotate(270);
    EXPECT_EQ(view.objectRect(r.handles.first()), (TAreaRect{20, 30, 100, 40}));
    EXPECT_EQ(view.object(3).points, (QList<QPoint>{{20, 150}, {120, 200}}));
}

TEST_F(AnnotationsInView, LyingBlockGivesTheMarksBeforeItAndAnError)
{
    QByteArray bytes = WangWriter()
                           .mark(mark(WangMarkType::FilledRectangle, QRect(5, 5, 10, 10)))
                           .mark(mark(WangMarkType::HollowRectangle, QRect(50, 5, 10, 10)))
                           .bytes();
    WangWriter::u32(bytes, 5);
    WangWriter::u32(bytes, 0x10000000); // attributes claiming 256 MB
    bytes.append(100, '\0');
    const QString path = writePage(bytes);
    TImageEnVect view;
    view.loadFromFile(path);
    const AnnotationImportResult r = view.copyAnnotationsFrom(path);
    EXPECT_EQ(r.handles.size(), 2);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.error.contains(path)) << r.error.toStdString();
}

TEST_F(AnnotationsInView, FilesWithoutAnnotationsAddNothing)
{
    TImageEnVect view;
    const QString plain = writePage({});
    view.loadFromFile(plain);
    AnnotationImportResult r = view.copyAnnotationsFrom(plain);
    EXPECT_TRUE(r.ok());
    EXPECT_TRUE(r.handles.isEmpty());

    QImage png(10, 10, QImage::Format_RGB32);
    png.fill(Qt::white);
    ASSERT_TRUE(png.save(m_dir.filePath("page.png")));
    EXPECT_TRUE(view.copyAnnotationsFrom(m_dir.filePath("page.png")).ok());
    r = view.copyAnnotationsFrom(m_dir.filePath("missing.tif"));
    EXPECT_FALSE(r.ok()) << "a TIFF that cannot be opened is reported";
    EXPECT_EQ(view.objectCount(), 0);
}

// The picture a user sees after start-up: a scanned page with yellow area
// boxes and the annotations that came with the file. Written as PNG (to
// BCE_SCREENSHOT_DIR if set, else the temporary folder) so it can be looked at.
TEST_F(AnnotationsInView, ScreenshotOfAPageWithHighlightsAndAnnotations)
{
    QImage page(600, 420, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter p(&page);
        p.setPen(Qt::black);
        p.setFont(QFont(QStringLiteral("DejaVu Sans"), 11));
        p.drawText(30, 120, QStringLiteral("Rechnung Nr. 2024-0815   Kunde 4711"));
        p.drawText(30, 300, QStringLiteral("Lieferschein vom 12.03.2024"));
        for (int x = 0; x < 180; ++x)
            if ((x * 7 / 5) % 3 != 1)
                p.drawLine(330 + x, 90, 330 + x, 140);
        for (int x = 0; x < 120; ++x)
            if ((x * 3 / 2) % 4 < 2)
                p.drawLine(40 + x, 320, 40 + x, 360);
    }
    const QString path = m_dir.filePath("scan.tif");
    ASSERT_TRUE(fixtures::writeTiff(path, {page}, TiffKind::LzwRgb, everyKind()));

    TImageEnVect view;
    view.resize(620, 440);
    view.show();
    view.loadFromFile(path);
    ASSERT_TRUE(view.copyAnnotationsFrom(path).ok());
    view.fit();
    for (const QRect &area : {QRect(320, 80, 200, 70), QRect(30, 310, 140, 60)}) {
        VectorObject &t = view.objectTemplate();
        t = VectorObject();
        t.highlight = true;
        t.brushColor = QColor(255, 255, 0);
        t.rect = area;
        view.selectObject(view.addObject());
    }
    const QImage shot = view.viewport()->grab().toImage();
    const QString dir = qEnvironmentVariableIsSet("BCE_SCREENSHOT_DIR") ? qEnvironmentVariable("BCE_SCREENSHOT_DIR")
                                                                        : QDir::tempPath();
    ASSERT_TRUE(shot.save(QDir(dir).filePath("imageview-screenshot.png")));
    // The paper under the boxes turns yellow: full red and green, no blue.
    int yellow = 0;
    const QImage rgb = shot.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = rgb.pixel(x, y);
            yellow += qRed(c) == 255 && qGreen(c) == 255 && qBlue(c) == 0;
        }
    EXPECT_GT(yellow, 10000);
}
