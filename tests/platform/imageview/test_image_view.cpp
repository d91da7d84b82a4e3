#include "AppError.h"
#include "Fixtures.h"
#include "imageview/ImageEnVect.h"
#include "QtPrinters.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// Found by argument lookup for TAreaRect, which lives in the global namespace.
static void PrintTo(const TAreaRect &r, std::ostream *os)
{
    *os << "(" << r.Left << ", " << r.Top << ", " << r.Width << " x " << r.Height << ")";
}

namespace {

// A page larger than the view at every zoom used here, so that the page's
// top-left corner sits at the view's top-left while the bars are at 0.
class ImageView : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_view.resize(400, 300);
        m_view.setImage(fixtures::samplePage(1200, 900));
        m_view.show();
        m_view.setRubberBandEnabled(false);
    }

    void setZoom(double z)
    {
        m_view.setZoom(z);
        m_view.horizontalScrollBar()->setValue(0);
        m_view.verticalScrollBar()->setValue(0);
    }

    // The screen point over the middle of an image pixel.
    QPoint at(int x, int y) const
    {
        const double s = m_view.zoom() / 100.0;
        return QPoint(int((x + 0.5) * s), int((y + 0.5) * s));
    }

    void drag(QPoint from, QPoint to)
    {
        QWidget *vp = m_view.viewport();
        QTest::mousePress(vp, Qt::LeftButton, {}, from);
        const int steps = 4;
        for (int i = 1; i <= steps; ++i)
            QTest::mouseMove(vp, from + (to - from) * i / steps);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, to);
    }

    int addBox(QRect r)
    {
        m_view.objectTemplate().rect = r;
        return m_view.addObject();
    }

    TImageEnVect m_view;
};

} // namespace

TEST_F(ImageView, DrawingReportsTheRectangleInImagePixelsAtEveryZoom)
{
    m_view.setMouseMode(MouseMode::DrawBox);
    m_view.objectTemplate().highlight = true;
    m_view.objectTemplate().brushColor = QColor(255, 255, 0);
    for (double zoom : {50.0, 100.0, 200.0, 400.0}) {
        SCOPED_TRACE(zoom);
        setZoom(zoom);
        QSignalSpy spy(&m_view, &TImageEnVect::newObject);
        drag(at(40, 30), at(60, 44));
        ASSERT_EQ(spy.count(), 1);
        const int h = spy.at(0).at(0).toInt();
        EXPECT_EQ(m_view.objectRect(h), (TAreaRect{40, 30, 21, 15}));
        EXPECT_TRUE(m_view.isSelected(h));
        EXPECT_TRUE(m_view.object(h).highlight) << "made from the template";
        m_view.removeObject(h);
    }
}

TEST_F(ImageView, DrawingBackwardsAndPastTheEdgeStaysOnThePage)
{
    m_view.setMouseMode(MouseMode::DrawBox);
    QSignalSpy spy(&m_view, &TImageEnVect::newObject);
    setZoom(100);
    drag(at(80, 60), QPoint(-30, -40));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(m_view.objectRect(spy.at(0).at(0).toInt()), (TAreaRect{0, 0, 81, 61}));
    // A click without a drag draws nothing.
    QTest::mouseClick(m_view.viewport(), Qt::LeftButton, {}, at(100, 100));
    EXPECT_EQ(spy.count(), 1);
}

TEST_F(ImageView, MovingAndResizingReportEveryStepAndTheFinalRectangle)
{
    m_view.setMouseMode(MouseMode::Select);
    for (double zoom : {50.0, 100.0, 200.0}) {
        SCOPED_TRACE(zoom);
        setZoom(zoom);
        const int h = addBox(QRect(100, 100, 40, 20));
        QSignalSpy moves(&m_view, &TImageEnVect::objectMoveResize);
        QSignalSpy clicks(&m_view, &TImageEnVect::objectClick);

        // Move by 10, 6 image pixels.
        drag(at(120, 110), at(130, 116));
        EXPECT_EQ(m_view.objectRect(h), (TAreaRect{110, 106, 40, 20}));
        EXPECT_GE(moves.count(), 4) << "one event per mouse movement";
        EXPECT_EQ(moves.last().at(0).toInt(), h);
        ASSERT_EQ(clicks.count(), 1);
        EXPECT_EQ(clicks.at(0).at(0).toInt(), h);
        EXPECT_TRUE(m_view.isSelected(h));

        // Drag the bottom-right grip by 8, 4 image pixels.
        const double s = zoom / 100.0;
        const QPoint grip(int(150 * s), int(126 * s));
        moves.clear();
        drag(grip, grip + QPoint(int(8 * s), int(4 * s)));
        EXPECT_EQ(m_view.objectRect(h), (TAreaRect{110, 106, 48, 24}));
        ASSERT_FALSE(moves.isEmpty());
        EXPECT_EQ(moves.last().at(1).toInt(), 4) << "bottom-right grip";

        // The top-left grip cannot pull the box inside out.
        const QPoint topLeft(int(110 * s), int(106 * s));
        drag(topLeft, topLeft + QPoint(int(200 * s), int(200 * s)));
        EXPECT_EQ(m_view.objectRect(h), (TAreaRect{157, 129, 1, 1}));
        m_view.removeObject(h);
    }
}

TEST_F(ImageView, RotationTurnsPageAndObjectsTogether)
{
    QImage page(1200, 900, QImage::Format_RGB32);
    page.fill(Qt::white);
    page.setPixel(100, 200, qRgb(255, 0, 0)); // the box's top-left pixel
    m_view.setImage(page);
    const int h = addBox(QRect(100, 200, 50, 30));

    m_view.rotate(90); // counter-clockwise: the right edge comes to the top
    EXPECT_EQ(m_view.rotation(), 90);
    EXPECT_EQ(m_view.bitmapWidth(), 900);
    EXPECT_EQ(m_view.bitmapHeight(), 1200);
    EXPECT_EQ(m_view.objectRect(h), (TAreaRect{200, 1050, 30, 50}));
    EXPECT_EQ(m_view.bitmap().pixel(200, 1099), qRgb(255, 0, 0)) << "the page turned the same way";
    EXPECT_EQ(m_view.mapRectToDocument(m_view.objectRect(h)), (TAreaRect{100, 200, 50, 30}));

    m_view.rotate(90);
    m_view.rotate(270);
    m_view.rotate(270); // back to 0: 90 + 90 + 270 + 270 = 720
    EXPECT_EQ(m_view.rotation(), 0);
    EXPECT_EQ(m_view.objectRect(h), (TAreaRect{100, 200, 50, 30}));

    m_view.rotate(270); // clockwise: the left edge comes to the top
    EXPECT_EQ(m_view.objectRect(h), (TAreaRect{670, 100, 30, 50}));
    EXPECT_EQ(m_view.bitmap().pixel(699, 100), qRgb(255, 0, 0));
    EXPECT_EQ(m_view.mapRectFromDocument({100, 200, 50, 30}), (TAreaRect{670, 100, 30, 50}));
    for (int i = 0; i < 3; ++i)
        m_view.rotate(270);
    EXPECT_EQ(m_view.rotation(), 0);
    EXPECT_EQ(m_view.objectRect(h), (TAreaRect{100, 200, 50, 30}));
    EXPECT_EQ(m_view.bitmap(), page.convertToFormat(m_view.bitmap().format()));

    m_view.rotate(45); // not a quarter turn: ignored
    EXPECT_EQ(m_view.rotation(), 0);
}

TEST_F(ImageView, DrawingOnARotatedViewMapsBackToThePage)
{
    m_view.rotate(90);
    m_view.setMouseMode(MouseMode::DrawBox);
    setZoom(100);
    QSignalSpy spy(&m_view, &TImageEnVect::newObject);
    drag(at(10, 20), at(39, 69));
    ASSERT_EQ(spy.count(), 1);
    const TAreaRect shown = m_view.objectRect(spy.at(0).at(0).toInt());
    EXPECT_EQ(shown, (TAreaRect{10, 20, 30, 50}));
    // Shown (x, y) came from page (W-1-y, x) with W = 1200.
    EXPECT_EQ(m_view.mapRectToDocument(shown), (TAreaRect{1130, 10, 50, 30}));
}

TEST_F(ImageView, HandlesAreConsecutiveAndReusedAfterRemoval)
{
    QSignalSpy spy(&m_view, &TImageEnVect::newObject);
    EXPECT_EQ(addBox(QRect(0, 0, 5, 5)), 0);
    EXPECT_EQ(addBox(QRect(0, 0, 5, 5)), 1);
    EXPECT_EQ(addBox(QRect(0, 0, 5, 5)), 2);
    m_view.removeObject(1);
    EXPECT_EQ(m_view.objectHandles(), (QList<int>{0, 2}));
    EXPECT_EQ(addBox(QRect(0, 0, 5, 5)), 1);
    EXPECT_EQ(addBox(QRect(0, 0, 5, 5)), 3);
    EXPECT_EQ(spy.count(), 0) << "adding from the template raises no new-object event";
    EXPECT_THROW(m_view.objectRect(17), AppError);
    m_view.removeObject(17); // unknown handles are ignored
    EXPECT_EQ(m_view.objectCount(), 4);
}

TEST_F(ImageView, SelectionFollowsTheStyleFlags)
{
    const int area = addBox(QRect(10, 10, 20, 20));
    m_view.objectTemplate().setVisibleOnly();
    const int mark = addBox(QRect(300, 100, 40, 40));

    m_view.selectObject(area);
    m_view.selectObject(area);
    m_view.selectObject(mark);
    EXPECT_EQ(m_view.selectedObjects(), (QList<int>{area}));
    m_view.deselectObject(area);
    EXPECT_FALSE(m_view.isSelected(area));

    // A click on a mark is reported but does not select or move it.
    m_view.setMouseMode(MouseMode::Select);
    setZoom(100);
    QSignalSpy clicks(&m_view, &TImageEnVect::objectClick);
    QSignalSpy moves(&m_view, &TImageEnVect::objectMoveResize);
    drag(at(310, 110), at(330, 130));
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), mark);
    EXPECT_FALSE(m_view.isSelected(mark));
    EXPECT_EQ(moves.count(), 0);
    EXPECT_EQ(m_view.objectRect(mark), (TAreaRect{300, 100, 40, 40}));
}

TEST_F(ImageView, RubberBandSelectsOnlyWhileSwitchedOn)
{
    const int a = addBox(QRect(20, 20, 10, 10));
    const int b = addBox(QRect(60, 20, 10, 10));
    m_view.setMouseMode(MouseMode::Select);
    setZoom(100);
    drag(at(5, 5), at(100, 50));
    EXPECT_TRUE(m_view.selectedObjects().isEmpty());
    m_view.setMouseMode(MouseMode::DrawBox);
    m_view.setMouseMode(MouseMode::Select);
    EXPECT_FALSE(m_view.rubberBandEnabled()) << "a mode change does not switch it back on";
    m_view.setRubberBandEnabled(true);
    drag(at(5, 5), at(100, 50));
    EXPECT_EQ(m_view.selectedObjects(), (QList<int>{a, b}));
}

TEST_F(ImageView, NoMouseModeNeitherDrawsNorSelects)
{
    const int a = addBox(QRect(20, 20, 40, 40));
    QSignalSpy created(&m_view, &TImageEnVect::newObject);
    QSignalSpy clicks(&m_view, &TImageEnVect::objectClick);
    drag(at(30, 30), at(80, 80));
    EXPECT_EQ(created.count(), 0);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_FALSE(m_view.isSelected(a));
    EXPECT_EQ(m_view.viewport()->cursor().shape(), Qt::ArrowCursor);
    m_view.setMouseMode(MouseMode::DrawBox);
    EXPECT_EQ(m_view.viewport()->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(TImageEnVect::crosshairCursor().hotSpot(), QPoint(16, 16));
}

TEST_F(ImageView, ZoomIgnoresNonsenseAndStaysWithinItsBounds)
{
    struct Step
    {
        double set;
        double expected;
    };
    const Step steps[] = {{0, 100}, {-50, 100}, {200, 200}, {400, 400}, {1e12, TImageEnVect::MaxZoom},
                          {1e-9, TImageEnVect::MinZoom}, {std::nan(""), TImageEnVect::MinZoom}};
    for (const Step &s : steps) {
        m_view.setZoom(s.set);
        EXPECT_EQ(m_view.zoom(), s.expected) << s.set;
    }
    // Doubling forever (the zoom button) ends at the bound with sane scroll ranges.
    for (int i = 0; i < 40; ++i)
        m_view.setZoom(m_view.zoom() * 2);
    EXPECT_EQ(m_view.zoom(), TImageEnVect::MaxZoom);
    EXPECT_EQ(m_view.horizontalScrollBar()->maximum(), 1200 * 64 - m_view.viewport()->width());
    EXPECT_TRUE(m_view.horizontalScrollBarShown());
    m_view.viewport()->grab(); // painting at the bound must work
    for (int i = 0; i < 40; ++i)
        m_view.setZoom(m_view.zoom() / 2);
    EXPECT_EQ(m_view.zoom(), TImageEnVect::MinZoom);
}

TEST_F(ImageView, FitShowsTheWholePageWithoutScrollBars)
{
    TImageEnVect empty;
    empty.resize(400, 300);
    empty.fit();
    EXPECT_EQ(empty.zoom(), 100) << "fit without a page does nothing";

    m_view.setZoom(300);
    EXPECT_TRUE(m_view.verticalScrollBarShown());
    m_view.fit();
    EXPECT_NEAR(m_view.zoom(), 100.0 * 300 / 900, 1e-9);
    EXPECT_FALSE(m_view.horizontalScrollBarShown());
    EXPECT_FALSE(m_view.verticalScrollBarShown());

    // A small page is enlarged.
    QImage small(40, 30, QImage::Format_RGB32);
    small.fill(Qt::white);
    m_view.setImage(small);
    m_view.fit();
    EXPECT_EQ(m_view.zoom(), 1000);
}

TEST_F(ImageView, HighlightIsTheAndOfPageAndColour)
{
    // Black bars, white paper and a colour patch under one box.
    const QImage src = fixtures::samplePage(1200, 900, true).copy(500, 400, 700, 500);
    m_view.setImage(src);
    setZoom(100);
    VectorObject &t = m_view.objectTemplate();
    t.highlight = true;
    t.brushColor = QColor(255, 255, 0);
    t.brushStyle = BrushStyle::Solid;
    const QRect box(0, 0, 300, 200);
    addBox(box);
    const QImage shown = m_view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int checked = 0;
    for (int y = 0; y < 220; y += 7)
        for (int x = 0; x < 320; x += 5) {
            const QRgb p = src.pixel(x, y);
            const QRgb expected = box.contains(x, y) ? (p & qRgb(255, 255, 0)) | 0xff000000 : p;
            ASSERT_EQ(shown.pixel(x, y), expected) << x << "," << y;
            ++checked;
        }
    EXPECT_GT(checked, 1000);
    EXPECT_EQ(shown.pixel(150, 60), qRgb(0x5a, 0xc3, 0x00)) << "colour patch tinted, blue removed";
}
