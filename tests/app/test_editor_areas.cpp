#include "EditorWindowFixture.h"

#include <QComboBox>
#include <algorithm>
#include <QSpinBox>

namespace {

using Areas = EditorWindow;

const char *const PerAreaControls[] = {"SB_Bearbeite",   "SpeedButton13", "L_BCType", "L_BCDirection",
                                       "L_BCLength",     "L_BCLenSplitter", "CB_BCType", "CB_BCDirection",
                                       "SE_BCMinWidth", "SE_BCMaxWidth"};

TEST_F(Areas, DrawingTheFirstAreaMakesEntryDefinitionTextAndComboNodes)
{
    // As start-up leaves them when no area is stored.
    window->SetAreaControlsEnabled(false);
    QTest::mouseClick(window->SpeedButton7, Qt::LeftButton);
    EXPECT_EQ(view()->mouseMode(), MouseMode::DrawBox);
    EXPECT_FALSE(view()->rubberBandEnabled());
    ASSERT_TRUE(QApplication::overrideCursor());
    EXPECT_EQ(QApplication::overrideCursor()->pixmap().toImage(), TImageEnVect::crosshairCursor().pixmap().toImage());
    EXPECT_EQ(QApplication::overrideCursor()->hotSpot(), QPoint(16, 16));
    EXPECT_FALSE(window->SpeedButton7->hasFocus());

    // Pixels 100..299 x 140..419 of a 1000 x 1400 page: a tenth to three tenths.
    drag(at(100, 140), at(299, 419));

    ASSERT_EQ(window->areaCount(), 1);
    EXPECT_EQ(entry(0)->Caption(), "1 Barcode-Bereich");
    EXPECT_EQ(field(0).Name, "1 Barcode-Bereich");
    EXPECT_EQ(entry(0)->text(AreaListItem::AreaColumn), "100,100,300,300");
    EXPECT_EQ(field(0).BCArea, "100,100,300,300");
    EXPECT_EQ(entry(0)->text(AreaListItem::PatternColumn), "");
    EXPECT_TRUE(view()->hasObject(field(0).ObjectHandle));
    EXPECT_EQ(view()->object(field(0).ObjectHandle).brushColor, QColor(255, 255, 0));
    EXPECT_TRUE(view()->object(field(0).ObjectHandle).highlight);
    EXPECT_EQ(field(0).BCType, 1);
    EXPECT_EQ(field(0).MaxLen, 999);

    // Drawn, not chosen: the view shows the box selected, the list selects nothing.
    EXPECT_TRUE(list()->selectedItems().isEmpty());
    EXPECT_EQ(view()->selectedObjects(), QList<int>{field(0).ObjectHandle});
    EXPECT_EQ(view()->mouseMode(), MouseMode::Select);
    EXPECT_FALSE(QApplication::overrideCursor());
    for (const char *name : PerAreaControls)
        EXPECT_TRUE(window->findChild<QWidget *>(QLatin1String(name))->isEnabled()) << name;
    for (int k = 0; k < 3; ++k) {
        ASSERT_EQ(combo(k)->nodeCount(), 2);
        EXPECT_EQ(combo(k)->topNode(1)->text(), "1 Barcode-Bereich");
        EXPECT_EQ(combo(k)->Selection(), 0);
    }
}

struct NamingCase
{
    QStringList existing; // captions of the entries before the drawing
    const char *expected;
};

TEST_F(Areas, ANewAreaTakesTheFirstFreeNumberFromCountPlusOne)
{
    const NamingCase cases[] = {
        {{}, "1 Barcode-Bereich"},
        {{"1 Barcode-Bereich", "3 Barcode-Bereich"}, "4 Barcode-Bereich"},
        {{"3 Barcode-Bereich", "4 Barcode-Bereich"}, "5 Barcode-Bereich"},
        {{"1 barcode-bereich", "2 Barcode-Bereich "}, "3 Barcode-Bereich"},
        {{"Kunde", "03 Barcode-Bereich"}, "3 Barcode-Bereich"},
    };
    for (const NamingCase &c : cases) {
        SCOPED_TRACE(c.existing.join('|').toStdString());
        SetUp();
        addAreas(c.existing.size());
        for (int i = 0; i < c.existing.size(); ++i)
            entry(i)->setCaption(c.existing[i]);
        drawArea(QRect(300, 500, 50, 50));
        ASSERT_EQ(window->areaCount(), c.existing.size() + 1);
        EXPECT_EQ(captions().last(), c.expected);
        EXPECT_EQ(field(c.existing.size()).Name, c.expected);
    }
}

TEST_F(Areas, DeletingTheFirstOfTwoThenDrawingGivesTwoAndThree)
{
    drawArea(QRect(100, 100, 100, 50));
    drawArea(QRect(100, 300, 100, 50));
    clickEntry(0);
    QTest::mouseClick(window->SpeedButton13, Qt::LeftButton);
    drawArea(QRect(100, 500, 100, 50));
    EXPECT_EQ(captions(), QStringList({"2 Barcode-Bereich", "3 Barcode-Bereich"}));
    EXPECT_EQ(view()->objectCount(), 2);
}

TEST_F(Areas, TheThirtyThirdRectangleIsRefusedWithTheMessage)
{
    addAreas(32);
    const QList<int> before = view()->objectHandles();
    for (int attempt = 0; attempt < 2; ++attempt) {
        SCOPED_TRACE(attempt);
        boxes.clear();
        if (attempt == 0)
            QTest::mouseClick(window->SpeedButton7, Qt::LeftButton);
        drag(at(300, 600), at(400, 650));
        EXPECT_EQ(boxes.texts(), QStringList{"Es können maximal 32 Barcode-Bereiche definiert werden!"});
        ASSERT_EQ(boxes.shown().size(), 1);
        EXPECT_EQ(boxes.shown().first().kind, MessageKind::Plain);
        EXPECT_EQ(window->areaCount(), 32);
        EXPECT_EQ(combo(0)->nodeCount(), 33);
        // The box that nothing could own is taken off again; the view stays
        // ready for the next box, which meets the same message.
        EXPECT_EQ(view()->objectHandles(), before);
        EXPECT_EQ(view()->mouseMode(), MouseMode::DrawBox);
        EXPECT_FALSE(QApplication::overrideCursor());
    }
}

TEST_F(Areas, MovingAndResizingUpdateTheTextLiveAndOnlyOfTheirOwnEntry)
{
    drawArea(QRect(100, 140, 200, 280)); // 100,100,300,300
    drawArea(QRect(400, 700, 100, 70));  // 400,500,500,550
    const int h = field(0).ObjectHandle;

    // Move right by 100 pixels in four steps: 25 pixels a step, 25 thousandths.
    QStringList seen;
    drag(at(200, 280), at(300, 280), [&] { seen.append(entry(0)->text(AreaListItem::AreaColumn)); });
    EXPECT_EQ(seen, QStringList({"125,100,325,300", "150,100,350,300", "175,100,375,300", "200,100,400,300"}));
    EXPECT_EQ(field(0).BCArea, "200,100,400,300");
    EXPECT_EQ(entry(1)->text(AreaListItem::AreaColumn), "400,500,500,550");
    EXPECT_EQ(field(1).BCArea, "400,500,500,550");

    // The bottom-right grip of the selected box, dragged 100 pixels down.
    ASSERT_TRUE(view()->isSelected(h));
    seen.clear();
    drag(at(399, 419) + QPoint(1, 1), at(399, 519) + QPoint(1, 1),
         [&] { seen.append(entry(0)->text(AreaListItem::AreaColumn)); });
    EXPECT_EQ(seen.size(), 4);
    EXPECT_EQ(seen.last(), "200,100,400,371");
    EXPECT_EQ(field(0).BCArea, "200,100,400,371");
    EXPECT_EQ(view()->objectRect(h), (TAreaRect{200, 140, 200, 380}));
}

TEST_F(Areas, ClickingARectangleSelectsItsEntryAndOnlyItsObject)
{
    drawArea(QRect(100, 100, 100, 50));
    drawArea(QRect(100, 300, 100, 50));
    field(1).BCType = 64;
    field(1).MinLen = 7;
    view()->objectTemplate().rect = QRect(400, 100, 50, 50);
    const int foreign = view()->addObject(); // an annotation that no entry owns

    clickObject(field(1).ObjectHandle);
    EXPECT_EQ(window->selectedArea(), entry(1));
    EXPECT_EQ(view()->selectedObjects(), QList<int>{field(1).ObjectHandle});
    EXPECT_EQ(window->CB_BCType->currentIndex(), 6);
    EXPECT_EQ(window->SE_BCMinWidth->value(), 7);
    EXPECT_TRUE(list()->hasFocus());

    clickObject(foreign);
    EXPECT_EQ(window->selectedArea(), entry(1));
    EXPECT_EQ(view()->selectedObjects(), QList<int>{foreign});

    // The list's click deselects the areas' boxes only.
    clickEntry(0);
    QList<int> selected = view()->selectedObjects();
    std::sort(selected.begin(), selected.end());
    EXPECT_EQ(selected, QList<int>({field(0).ObjectHandle, foreign}));
}

TEST_F(Areas, DeletingTheSecondOfThreeKeepsTheCombosOnTheirAreas)
{
    drawArea(QRect(100, 100, 100, 50));
    drawArea(QRect(100, 300, 100, 50));
    drawArea(QRect(100, 500, 100, 50));
    field(0).MinLen = 11;
    window->SelectAreaInCombo(combo(0), 2);
    window->SelectAreaInCombo(combo(1), 3);
    const int second = field(1).ObjectHandle;

    clickEntry(1);
    QTest::mouseClick(window->SpeedButton13, Qt::LeftButton);

    EXPECT_EQ(captions(), QStringList({"1 Barcode-Bereich", "3 Barcode-Bereich"}));
    EXPECT_FALSE(view()->hasObject(second));
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_EQ(window->selectedArea(), entry(0));
    EXPECT_EQ(view()->selectedObjects(), QList<int>{field(0).ObjectHandle});
    EXPECT_EQ(window->SE_BCMinWidth->value(), 11);
    EXPECT_EQ(combo(0)->currentText(), "<kein Barcode-Feld>");
    EXPECT_EQ(window->AreaNumberOf(combo(0)), 0);
    EXPECT_EQ(combo(1)->currentText(), "3 Barcode-Bereich");
    EXPECT_EQ(window->AreaNumberOf(combo(1)), 2);
    EXPECT_EQ(combo(2)->nodeCount(), 3);
}

TEST_F(Areas, DeletingTheOnlyAreaLeavesNothingSelectedAndTheControlsDisabled)
{
    drawArea(QRect(100, 100, 100, 50));
    clickEntry(0);
    QTest::mouseClick(window->SpeedButton13, Qt::LeftButton);
    EXPECT_EQ(window->areaCount(), 0);
    EXPECT_TRUE(view()->selectedObjects().isEmpty());
    EXPECT_EQ(view()->objectCount(), 0);
    for (const char *name : PerAreaControls)
        EXPECT_FALSE(window->findChild<QWidget *>(QLatin1String(name))->isEnabled()) << name;
    EXPECT_TRUE(window->Bt_OCRStarten->isEnabled());
    EXPECT_TRUE(window->Bt_OCRAssistent->isEnabled());
}

TEST_F(Areas, DeletingWithoutASelectionDeletesNothing)
{
    drawArea(QRect(100, 100, 100, 50));
    ASSERT_TRUE(list()->selectedItems().isEmpty());
    window->SpeedButton13->click();
    EXPECT_EQ(window->areaCount(), 1);
    EXPECT_EQ(view()->objectCount(), 1);
    EXPECT_TRUE(window->SpeedButton13->isEnabled());
}

struct TurnCase
{
    const char *button;
    TAreaRect onPage;      // a part of the page that is in sight after the turn
    const char *text;      // its text in the page's own frame
    TAreaRect backToPage;  // AreaTextToRect of that text
    const char *movedText; // after dragging the box 40 pixels right on screen
};

TEST_F(Areas, AfterATurnDrawnAndMovedAreasAreStoredInThePagesOwnFrame)
{
    const TurnCase cases[] = {
        // A quarter turn clockwise: screen x runs up the page.
        {"SpeedButton17", {400, 900, 100, 140}, "400,643,500,743", {400, 900, 100, 140}, "400,614,500,714"},
        // Counter-clockwise: screen x runs down the page.
        {"SpeedButton18", {400, 300, 100, 140}, "400,214,500,314", {400, 299, 100, 140}, "400,243,500,343"},
    };
    for (const TurnCase &c : cases) {
        SCOPED_TRACE(c.button);
        SetUp();
        drawArea(QRect(100, 140, 200, 280));
        QTest::mouseClick(window->findChild<QToolButton *>(QLatin1String(c.button)), Qt::LeftButton);
        ASSERT_EQ(view()->bitmapWidth(), PageHeight);
        // An area the user leaves alone keeps its text through the turn.
        EXPECT_EQ(field(0).BCArea, "100,100,300,300");

        const TAreaRect shown = view()->mapRectFromDocument(c.onPage);
        drawArea(QRect(shown.Left, shown.Top, shown.Width, shown.Height));
        ASSERT_EQ(window->areaCount(), 2);
        EXPECT_EQ(field(1).BCArea, c.text);
        EXPECT_EQ(entry(1)->text(AreaListItem::AreaColumn), c.text);
        EXPECT_EQ(window->AreaTextToRect(field(1).BCArea), c.backToPage);

        const QPoint centre = at(shown.Left + shown.Width / 2, shown.Top + shown.Height / 2);
        drag(centre, centre + QPoint(40, 0));
        EXPECT_EQ(field(1).BCArea, c.movedText);
        EXPECT_EQ(field(0).BCArea, "100,100,300,300");
    }
}

TEST_F(Areas, TheFirstTwoColumnsCannotBeDraggedWiderThePatternColumnCan)
{
    QHeaderView *header = list()->header();
    QWidget *vp = header->viewport();
    const int y = header->height() / 2;
    auto dragDivider = [&](int x, int dx) {
        QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(x, y));
        QTest::mouseMove(vp, QPoint(x + dx / 2, y));
        QTest::mouseMove(vp, QPoint(x + dx, y));
        QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(x + dx, y));
    };

    dragDivider(200 - 1, -60); // between "Name" and "OCR Bereich"
    dragDivider(200 + 1, 40);
    EXPECT_EQ(header->sectionSize(0), 200);
    EXPECT_EQ(header->sectionSize(1), 116);
    EXPECT_EQ(header->sectionSize(2), 0);

    dragDivider(316, -30); // the hidden "Pattern" column lies on the next divider
    dragDivider(316, 45);
    EXPECT_EQ(header->sectionSize(0), 200);
    EXPECT_EQ(header->sectionSize(1), 116);
    EXPECT_EQ(header->sectionSize(2), 45);

    dragDivider(316 - 1, -50); // now only "OCR Bereich"'s own divider
    EXPECT_EQ(header->sectionSize(1), 116);
    EXPECT_EQ(header->sectionSize(2), 45);
    dragDivider(361, -45);
    EXPECT_EQ(header->sectionSize(2), 0);
}

} // namespace
