#include "AreaListItem.h"
#include "Bevel.h"
#include "IndexFieldGrid.h"
#include "QtPrinters.h"
#include "StringGrid.h"
#include "TreeComboBox.h"
#include "imageview/ImageEnVect.h"
#include "umain.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

// The window at its designed size, on screen (offscreen platform).
class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<Tfmain>();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    template <typename T = QWidget>
    T *control(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }

    void click(const char *button) { QTest::mouseClick(control<QAbstractButton>(button), Qt::LeftButton); }

    // A page with a black mark in its top-left quarter, so that turns show.
    static QImage page(int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.fillRect(0, 0, w / 4, h / 5, Qt::black);
        return image;
    }

    std::unique_ptr<Tfmain> window;
};

TEST_F(MainWindowTest, CaptionFontAndRegions)
{
    EXPECT_EQ(window->windowTitle(), "Barcode-Erweiterung                 >merivant< tessalon  ");
    EXPECT_EQ(window->font().family(), "MS Sans Serif");
    EXPECT_EQ(window->font().pixelSize(), 11);
    EXPECT_EQ(window->size(), QSize(982, 779));

    EXPECT_EQ(control("Panel2")->geometry(), QRect(0, 779 - 36, 982, 36));
    EXPECT_EQ(control("Panel1")->geometry(), QRect(0, 0, 982, 36));
    EXPECT_EQ(control("Panel5")->geometry(), QRect(982 - 318, 0, 318, 779 - 36));
    EXPECT_EQ(control("ImageEnVect1")->geometry(), QRect(0, 0, 982 - 318, 779 - 36));
    EXPECT_EQ(control("ListView1")->y(), 0);
    EXPECT_EQ(control("ListView1")->height(), 185);
    EXPECT_EQ(control("Panel6")->height(), 216);
    EXPECT_EQ(control("Panel4")->y(), 185);
    EXPECT_EQ(control("Panel7")->y(), 216);
    EXPECT_EQ(control("StringGrid_ELOAblagemaske")->geometry(), control("Panel7")->rect());
    EXPECT_EQ(control("ImageEnVect1")->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(control("Panel2")->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
}

struct ToolBarControl
{
    const char *name;
    int x;
    int y;
    int w;
    int h;
    const char *text; // caption, or hint for the speed buttons
};

TEST_F(MainWindowTest, ToolBarControlsStandWhereDesigned)
{
    const ToolBarControl table[] = {
        {"SB_DetectAll", 168, 6, 109, 25, "Barcodes erkennen"},
        {"SpeedButton15", 320, 6, 26, 29, "Speichern"},
        {"SpeedButton1", 367, 6, 26, 29, "Zoom In"},
        {"SpeedButton2", 393, 6, 26, 29, "Zoom Out"},
        {"SpeedButton17", 435, 6, 26, 29, "Drehung rechts"},
        {"SpeedButton18", 461, 6, 26, 29, "Drehung links"},
        {"SpeedButton4", 498, 6, 26, 29, "An Fenster anpassen"},
        {"SpeedButton5", 524, 6, 26, 29, "Effektivste Größe"},
        {"SpeedButton7", 570, 8, 26, 29, "Neuer Barcodebereich"},
        {"SpeedButton13", 613, 6, 26, 29, "Barcodebereich löschen"},
        {"SB_Bearbeite", 639, 6, 26, 29, "Barcodebereich benennen"},
        {"Bt_Schliessen", 871, 6, 89, 25, "Schließen"},
    };
    for (const ToolBarControl &c : table) {
        SCOPED_TRACE(c.name);
        auto *w = control<QAbstractButton>(c.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->parentWidget(), control("Panel1"));
        EXPECT_EQ(w->geometry(), QRect(c.x, c.y, c.w, c.h));
        if (qobject_cast<QToolButton *>(w)) {
            EXPECT_EQ(w->toolTip(), QString::fromUtf8(c.text));
            EXPECT_FALSE(w->icon().isNull());
        } else {
            EXPECT_EQ(w->text(), QString::fromUtf8(c.text));
            EXPECT_TRUE(w->toolTip().isEmpty());
        }
    }
    const std::pair<const char *, int> bevels[] = {
        {"Bevel3", 355}, {"Bevel1", 426}, {"Bevel5", 492}, {"Bevel2", 558}, {"Bevel4", 602}};
    for (const auto &[name, x] : bevels) {
        auto *b = control<TBevel>(name);
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->x(), x);
        EXPECT_EQ(b->size(), QSize(7, 30));
    }
    EXPECT_EQ(control<TBevel>("Bevel5")->y(), 8);
    EXPECT_EQ(control<QLabel>("LB_Version")->text(), "Version: 1.0.0.0");
    EXPECT_EQ(control<QLabel>("LB_Version")->pos(), QPoint(8, 16));
}

TEST_F(MainWindowTest, CloseButtonKeepsItsShareOfTheToolBar)
{
    window->resize(1964, 779);
    QApplication::processEvents();
    auto *close = control("Bt_Schliessen");
    EXPECT_NEAR(close->x() + close->width() / 2.0, (871 + 44.5) * 2, 1.0);
    EXPECT_EQ(control("SpeedButton15")->x(), 320);
}

TEST_F(MainWindowTest, AreaPanelAndList)
{
    struct Placed
    {
        const char *name;
        QRect rect; // width and height 0: not checked
        const char *text;
    };
    const Placed table[] = {
        {"Label1", {8, 11, 0, 0}, "Erkannter Text:"},
        {"Bt_OCRStarten", {120, 5, 83, 25}, "Detection"},
        {"Bt_OCRAssistent", {224, 5, 83, 25}, "Settings"},
        {"L_BCType", {8, 39, 0, 0}, "Barcodetype"},
        {"CB_BCType", {120, 36, 187, 0}, "Code39"},
        {"L_BCDirection", {8, 66, 0, 0}, "Direction"},
        {"CB_BCDirection", {120, 63, 187, 0}, "Left -> Right"},
        {"L_BCLength", {8, 93, 0, 0}, "Length min/max"},
        {"SE_BCMinWidth", {120, 90, 83, 0}, "2"},
        {"L_BCLenSplitter", {210, 93, 0, 0}, "/"},
        {"SE_BCMaxWidth", {224, 90, 83, 0}, "999"},
        {"ScBox_ErkannterText", {4, 118, 301, 89}, ""},
    };
    for (const Placed &c : table) {
        SCOPED_TRACE(c.name);
        QWidget *w = control(c.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->parentWidget(), control("Panel6"));
        EXPECT_EQ(w->pos(), c.rect.topLeft());
        if (c.rect.width()) {
            EXPECT_EQ(w->width(), c.rect.width());
        }
        if (c.rect.height()) {
            EXPECT_EQ(w->height(), c.rect.height());
        }
        QString text;
        if (auto *l = qobject_cast<QLabel *>(w))
            text = l->text();
        else if (auto *b = qobject_cast<QAbstractButton *>(w))
            text = b->text();
        else if (auto *cb = qobject_cast<QComboBox *>(w))
            text = cb->currentText();
        else if (auto *s = qobject_cast<QSpinBox *>(w))
            text = s->text();
        EXPECT_EQ(text, QString::fromUtf8(c.text));
    }
    EXPECT_EQ(control<QPushButton>("Bt_OCRStarten")->font().pixelSize(), 13);
    EXPECT_EQ(control<QComboBox>("CB_BCType")->count(), 11);
    EXPECT_EQ(control<QComboBox>("CB_BCDirection")->count(), 4);
    EXPECT_EQ(control<QSpinBox>("SE_BCMinWidth")->maximum(), 9999);
    EXPECT_EQ(control<QSpinBox>("SE_BCMaxWidth")->minimum(), 1);
    auto *result = control<QLabel>("LB_OCRerkannt");
    EXPECT_EQ(result->pos(), QPoint(5, 5));
    EXPECT_TRUE(control<QScrollArea>("ScBox_ErkannterText")->isAncestorOf(result));

    auto *list = window->ListView1;
    ASSERT_EQ(list->columnCount(), 3);
    EXPECT_EQ(list->headerItem()->text(0), "Name");
    EXPECT_EQ(list->headerItem()->text(1), "OCR Bereich");
    EXPECT_EQ(list->headerItem()->text(2), "Pattern");
    EXPECT_EQ(list->header()->sectionSize(0), 200);
    EXPECT_EQ(list->header()->sectionSize(1), 116);
    EXPECT_EQ(list->header()->sectionSize(2), 0);
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);

    // Entries carry their definition.
    auto *item = new AreaListItem;
    item->setField(std::make_unique<TOCRField>(0));
    item->field()->Name = "Rechnung";
    list->addTopLevelItem(item);
    EXPECT_EQ(window->areaItem(0)->field()->Name, "Rechnung");
    EXPECT_EQ(window->areaNames(), QStringList{"Rechnung"});
}

TEST_F(MainWindowTest, StartsWithHiddenLabelsAndDisabledCommands)
{
    const std::pair<const char *, const char *> hidden[] = {
        {"LB_NameDatei", "Panel1"}, {"LB_ConnectionString", "Panel1"}, {"LB_DocID", "ImageEnVect1"}};
    for (const auto &[name, parent] : hidden) {
        auto *l = control<QLabel>(name);
        ASSERT_NE(l, nullptr) << name;
        EXPECT_EQ(l->text(), name);
        EXPECT_FALSE(l->isVisible());
        EXPECT_TRUE(control(parent)->isAncestorOf(l));
    }
    EXPECT_FALSE(window->SpeedButton15->isEnabled());
    EXPECT_FALSE(window->SpeedButton7->isEnabled());
    EXPECT_FALSE(window->SB_Bearbeite->isEnabled());
    EXPECT_TRUE(window->SpeedButton13->isEnabled());
    EXPECT_TRUE(window->CB_BCType->isEnabled());
    EXPECT_FALSE(window->ImageEnVect1->rubberBandEnabled());
    EXPECT_EQ(window->StringGrid_ELOAblagemaske->ColWidths(0), 156);
    EXPECT_EQ(window->StringGrid_ELOAblagemaske->ColWidths(1), 151);
    EXPECT_EQ(window->StringGrid_ELOAblagemaske->RowCount(), 2);
    EXPECT_EQ(window->StringGrid_ELOAblagemaske->RowHeights(1), 24);
}

TEST_F(MainWindowTest, ZoomSequences)
{
    window->ImageEnVect1->setImage(page(400, 300));
    window->SpeedButton5Click();
    ASSERT_EQ(window->ImageEnVect1->zoom(), 100);
    click("SpeedButton1");
    EXPECT_EQ(window->ImageEnVect1->zoom(), 200);
    click("SpeedButton1");
    EXPECT_EQ(window->ImageEnVect1->zoom(), 400);

    click("SpeedButton5");
    EXPECT_EQ(window->ImageEnVect1->zoom(), 100);
    click("SpeedButton2");
    EXPECT_EQ(window->ImageEnVect1->zoom(), 50);
    click("SpeedButton2");
    EXPECT_EQ(window->ImageEnVect1->zoom(), 25);
}

TEST_F(MainWindowTest, FitBeforeLoadingDoesNothingAndAfterwardsFitsThePage)
{
    TImageEnVect *view = window->ImageEnVect1;
    view->setZoom(300);
    click("SpeedButton4");
    EXPECT_EQ(view->zoom(), 300);

    view->setImage(page(2480, 3508));
    click("SpeedButton4");
    const double expected = std::min(view->viewport()->width() * 100.0 / 2480, view->viewport()->height() * 100.0 / 3508);
    EXPECT_NEAR(view->zoom(), expected, 0.5);
    EXPECT_FALSE(view->verticalScrollBarShown());
    EXPECT_FALSE(view->horizontalScrollBarShown());

    // A small page is enlarged.
    view->setImage(page(40, 30));
    click("SpeedButton4");
    EXPECT_GT(view->zoom(), 100);
}

TEST_F(MainWindowTest, FourTurnsInEitherDirectionGiveThePageBack)
{
    TImageEnVect *view = window->ImageEnVect1;
    const QImage original = page(300, 200);
    view->setImage(original);

    for (const char *button : {"SpeedButton17", "SpeedButton18"}) {
        SCOPED_TRACE(button);
        click(button);
        EXPECT_EQ(view->bitmapWidth(), 200);
        EXPECT_EQ(view->bitmapHeight(), 300);
        for (int i = 0; i < 3; ++i)
            click(button);
        EXPECT_EQ(view->rotation(), 0);
        EXPECT_EQ(view->bitmap().convertToFormat(QImage::Format_RGB32), original);
    }

    // A quarter turn clockwise carries the mark from the top-left to the top-right.
    click("SpeedButton17");
    EXPECT_EQ(view->rotation(), 270);
    EXPECT_EQ(view->bitmap().pixelColor(view->bitmapWidth() - 2, 1), QColor(Qt::black));
    EXPECT_EQ(view->bitmap().pixelColor(1, 1), QColor(Qt::white));
    click("SpeedButton18");
    EXPECT_EQ(view->rotation(), 0);
}

// Whether an area stays over its part of the page, within a pixel.
void expectNear(const TAreaRect &actual, const QRect &expected)
{
    EXPECT_NEAR(actual.Left, expected.left(), 1);
    EXPECT_NEAR(actual.Top, expected.top(), 1);
    EXPECT_NEAR(actual.Left + actual.Width, expected.left() + expected.width(), 1);
    EXPECT_NEAR(actual.Top + actual.Height, expected.top() + expected.height(), 1);
}

TEST_F(MainWindowTest, AQuarterTurnCarriesTheAreasWithThePage)
{
    TImageEnVect *view = window->ImageEnVect1;
    view->setImage(page(300, 200));
    view->objectTemplate().rect = QRect(10, 20, 50, 30);
    const int hobj = view->addObject();

    click("SpeedButton17"); // clockwise: the page's left edge becomes the top
    expectNear(view->objectRect(hobj), QRect(150, 10, 30, 50));
}

// Turns there and back, and four turns the same way, bring every area back
// onto the same pixels: no pixel is lost at an edge per turn.
TEST_F(MainWindowTest, FourTurnsBringTheAreasBack)
{
    TImageEnVect *view = window->ImageEnVect1;
    view->setImage(page(300, 200));
    view->objectTemplate().rect = QRect(10, 20, 50, 30);
    const int hobj = view->addObject();
    click("SpeedButton17");
    click("SpeedButton18");
    expectNear(view->objectRect(hobj), QRect(10, 20, 50, 30));
    for (int i = 0; i < 4; ++i)
        click("SpeedButton17");
    expectNear(view->objectRect(hobj), QRect(10, 20, 50, 30));
}

// Enough fields that the grid needs a scroll bar at the designed height
// (340 pixels of grid for 14 rows of 25) but not at a taller one.
TEST_F(MainWindowTest, ResizeFitsSecondColumnAndCombosToTheScrollBar)
{
    TStringGrid *grid = window->StringGrid_ELOAblagemaske;
    QStringList names;
    for (int i = 0; i < 13; ++i)
        names << "Feld " + QString::number(i);
    window->BuildIndexFieldGrid(names, names.size());
    auto widths = [&] {
        QList<int> w;
        for (int k = 0; k < 13; ++k)
            w << window->indexFieldCombo(k)->width();
        return w;
    };

    // Before any change of the column the combos keep their created width.
    window->resize(982, 780);
    QApplication::processEvents();
    ASSERT_TRUE(grid->showsVerticalScrollBar());
    EXPECT_EQ(grid->ColWidths(1), 134);
    EXPECT_EQ(widths(), QList<int>(13, 136));

    window->resize(982, 1000);
    QApplication::processEvents();
    EXPECT_FALSE(grid->showsVerticalScrollBar());
    EXPECT_EQ(grid->ColWidths(1), 151);
    EXPECT_EQ(widths(), QList<int>(13, 153));

    window->resize(982, 779);
    QApplication::processEvents();
    EXPECT_EQ(widths(), QList<int>(13, 136));
}

TEST_F(MainWindowTest, ResizeThatKeepsTheColumnLeavesCombosAlone)
{
    window->BuildIndexFieldGrid({"A", "B", "C"}, 3);
    window->resize(1000, 800);
    QApplication::processEvents();
    EXPECT_EQ(window->StringGrid_ELOAblagemaske->ColWidths(1), 151);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(window->indexFieldCombo(k)->width(), 155);
}

TEST_F(MainWindowTest, WindowFindsAndUpdatesItsCombosByName)
{
    window->BuildIndexFieldGrid({"A", "B", "C"}, 3);
    for (const char *name : {"A1", "A2"}) {
        auto *item = new AreaListItem;
        item->setField(std::make_unique<TOCRField>(0));
        item->field()->Name = name;
        item->setCaption(name);
        window->ListView1->addTopLevelItem(item);
    }
    for (int k = 0; k < 3; ++k)
        window->FillComboWithAreas(window->findChild<TAdvTreeComboBox *>("AdvTreeComboBoxElement_" + QString::number(k)));
    TAdvTreeComboBox *second = window->indexFieldCombo(1);
    EXPECT_EQ(second->parentWidget(), window->StringGrid_ELOAblagemaske->viewport());
    EXPECT_EQ(second->pos(), QPoint(153, 50));
    window->SelectAreaInCombo(second, 2);
    window->AddAreaToCombos("A3");
    window->RenameAreaInCombos(1, "Kunde");
    EXPECT_EQ(second->currentText(), "Kunde");
    window->RemoveAreaFromCombos(0);
    EXPECT_EQ(window->AreaNumberOf(second), 1);
    EXPECT_EQ(window->indexFieldCombo(2)->count(), 3);

    // The user picks an area from the drop-down with the mouse.
    QTest::mouseClick(window->indexFieldCombo(0), Qt::LeftButton);
    ASSERT_TRUE(window->indexFieldCombo(0)->isDroppedDown());
    QTreeView *tree = window->indexFieldCombo(0)->treeView();
    const QRect node = tree->visualRect(tree->model()->index(2, 0));
    // The combo ignores a release that comes right after it opened.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, node.center());
    EXPECT_EQ(window->AreaNumberOf(window->indexFieldCombo(0)), 2);
    EXPECT_EQ(window->indexFieldCombo(0)->currentText(), "A3");
}

TEST_F(MainWindowTest, CloseButtonClosesWithoutAQuestion)
{
    click("Bt_Schliessen");
    EXPECT_FALSE(window->isVisible());
}

TEST(MainWindowLifecycle, DestroyFreesCombosAndDefinitions)
{
    QPointer<TAdvTreeComboBox> combo;
    {
        Tfmain window;
        window.BuildIndexFieldGrid({"A"}, 1);
        combo = window.indexFieldCombo(0);
        auto *item = new AreaListItem;
        item->setField(std::make_unique<TOCRField>(0));
        window.ListView1->addTopLevelItem(item);
        window.FormDestroy();
        EXPECT_TRUE(combo.isNull());
        EXPECT_EQ(window.areaItem(0)->field(), nullptr);
    }
}

} // namespace
