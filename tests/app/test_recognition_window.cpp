#include "../recognition/ScriptedReader.h"
#include "AreaGeometry.h"
#include "AreaListItem.h"
#include "BarcodeMarks.h"
#include "MessageBoxRecorder.h"
#include "OCRErkennung.h"
#include "QtPrinters.h"
#include "RecognitionCommands.h"
#include "ScreenCursor.h"
#include "automation/AutomationError.h"
#include "automation/ClassRegistry.h"
#include "imageview/ImageEnVect.h"
#include "reader/BarcodeReaderComponent.h"
#include "reader/BarcodeRenderer.h"
#include "reader/DabMain.h"
#include "reader/PageImage.h"
#include "umain.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

struct PlacedCode
{
    QString data;
    std::int32_t type;
    QRect box; // page pixels, quiet zone included
};

// One A4 page for all tests: three Code 128 in a column (one area holds all
// three) and an EAN-13 further down.
struct TestPage
{
    QTemporaryDir dir;
    QString file;
    QSize size;
    QList<PlacedCode> codes;

    TestPage()
    {
        QImage page = BarcodeRenderer::blankPage();
        size = page.size();
        auto place = [&](const QString &data, std::int32_t type, QPoint at) {
            codes.append({data, type, BarcodeRenderer::place(page, BarcodeRenderer::render(type, data), at)});
        };
        place(QStringLiteral("AREA-1"), 2, {300, 400});
        place(QStringLiteral("AREA-2"), 2, {300, 700});
        place(QStringLiteral("AREA-3"), 2, {300, 1000});
        place(QStringLiteral("4006381333931"), 64, {1400, 2500});
        file = dir.filePath(QStringLiteral("page.tif"));
        PageImage::saveTiff(file, {page}, PageImage::TiffEncoding::BilevelG4);
    }
};

class RecognitionWindowTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { page = new TestPage; }
    static void TearDownTestSuite()
    {
        delete page;
        page = nullptr;
    }

    void SetUp() override
    {
        registerBarcodeReaderComponent();
        window = std::make_unique<Tfmain>();
        progress = new TFR_OCRerkennung(window.get());
        window->FR_OCRerkennung = progress;
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->ImageEnVect1->loadFromFile(page->file);
        window->LB_NameDatei->setText(page->file);
    }

    void TearDown() override
    {
        window.reset();
        registerBarcodeReaderComponent();
        ScreenCursor::setArrow();
    }

    TImageEnVect &view() const { return *window->ImageEnVect1; }

    // An area entry made as drawing one does: its rectangle in the view, its
    // coordinate text, a definition of the given type.
    AreaListItem *addArea(const QRect &pixels, std::int32_t type)
    {
        VectorObject &t = view().objectTemplate();
        t.kind = ObjectKind::Box;
        t.highlight = true;
        t.brushColor = QColor(255, 255, 0);
        t.rect = pixels;
        const int handle = view().addObject();
        const QString text = RectToAreaText(pixels.x(), pixels.y(), pixels.width(), pixels.height(),
                                            view().bitmapWidth(), view().bitmapHeight());
        auto field = std::make_unique<TOCRField>(handle);
        field->BCType = type;
        field->BCArea = text;
        auto *item = new AreaListItem;
        item->setCaption(field->Name);
        item->setText(AreaListItem::AreaColumn, text);
        item->setText(AreaListItem::PatternColumn, QString());
        item->setField(std::move(field));
        window->ListView1->addTopLevelItem(item);
        return item;
    }

    void clickEntry(AreaListItem *item)
    {
        QTreeWidget *list = window->ListView1;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
        ASSERT_TRUE(item->isSelected());
    }

    void detection() { QTest::mouseClick(window->Bt_OCRStarten, Qt::LeftButton); }
    void detectAll() { QTest::mouseClick(window->SB_DetectAll, Qt::LeftButton); }
    QString resultText() const { return window->LB_OCRerkannt->text(); }

    // The area around the three Code 128 codes.
    QRect columnArea() const { return page->codes[0].box.united(page->codes[2].box).adjusted(-40, -40, 40, 40); }

    static QString errorOfCreating(const QString &progId)
    {
        try {
            automation::create(progId);
        } catch (const AutomationError &e) {
            return e.message();
        }
        return {};
    }

    static void expectOver(const TAreaRect &mark, const QRect &box)
    {
        const QRect r(mark.Left, mark.Top, mark.Width, mark.Height);
        EXPECT_TRUE(box.contains(r)) << "mark " << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
        EXPECT_GT(r.width() * r.height(), box.width() * box.height() / 4);
    }

    static inline TestPage *page = nullptr;
    std::unique_ptr<Tfmain> window;
    TFR_OCRerkennung *progress = nullptr;
    MessageBoxRecorder boxes;
};

} // namespace

TEST_F(RecognitionWindowTest, DetectionListsEveryBarcodeOfTheSelectedAreaWithItsPosition)
{
    AreaListItem *area = addArea(columnArea(), 2);
    addArea(page->codes[3].box.adjusted(-40, -40, 40, 40), 64);
    clickEntry(area);
    detection();

    EXPECT_TRUE(boxes.shown().isEmpty()) << boxes.texts().join("|").toStdString();
    const QStringList lines = resultText().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4) << resultText().toStdString();
    EXPECT_TRUE(lines[3].isEmpty()); // the last line ends with CR LF too
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const QString prefix = page->codes[i].data + QStringLiteral(" (");
        ASSERT_TRUE(lines[i].startsWith(prefix) && lines[i].endsWith(QLatin1Char(')'))) << lines[i].toStdString();
        const QString text = lines[i].mid(prefix.size()).chopped(1);
        const TAreaRect r = AreaTextToRect(text, page->size.width(), page->size.height());
        // Thousandths of the page: within a few pixels of the code.
        EXPECT_TRUE(page->codes[i].box.adjusted(-4, -4, 4, 4).contains(QRect(r.Left, r.Top, r.Width, r.Height)))
            << text.toStdString();
    }
    EXPECT_FALSE(progress->isVisible());
    EXPECT_FALSE(ScreenCursor::isOverridden());

    // An area without a code empties the text.
    clickEntry(addArea(QRect(1500, 300, 400, 300), 2));
    detection();
    EXPECT_EQ(resultText(), "");
}

TEST_F(RecognitionWindowTest, DetectionWithoutSelectionOnlySaysSo)
{
    addArea(columnArea(), 2);
    window->LB_OCRerkannt->setText(QStringLiteral("vorher"));
    ScopedClassRegistration counted(DabMain::ProgId, automation::Factory([] { return std::make_shared<DabMain>(); }));
    detection();

    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].kind, MessageKind::Information);
    EXPECT_EQ(boxes.shown()[0].text, "Es ist kein Barcode-Bereich selektiert!");
    EXPECT_EQ(counted.creations(), 0);
    EXPECT_FALSE(ScreenCursor::isOverridden());
    EXPECT_EQ(resultText(), "vorher");
}

TEST_F(RecognitionWindowTest, MissingComponentGivesTheErrorBoxAndChangesNothing)
{
    AreaListItem *area = addArea(columnArea(), 2);
    clickEntry(area);
    window->LB_OCRerkannt->setText(QStringLiteral("vorher"));
    unregisterBarcodeReaderComponent();
    const QString creationError = errorOfCreating(DabMain::ProgId);
    ASSERT_FALSE(creationError.isEmpty());

    detection();
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].kind, MessageKind::Plain);
    EXPECT_EQ(boxes.shown()[0].caption, MessageBoxes::ApplicationTitle);
    EXPECT_EQ(boxes.shown()[0].text, "Fehler bei der Barcode-Erkennung:\r\n" + creationError
                                         + "\r\n\r\nBitte prüfen Sie, ob die Barcode-Komponente installiert ist.");
    EXPECT_EQ(resultText(), "vorher");
    EXPECT_FALSE(progress->isVisible());

    // The whole page: the same box, the view untouched, the chosen area
    // selected in the view again.
    boxes.clear();
    view().deselectAllObjects();
    const int objects = view().objectCount();
    detectAll();
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].text, RecognitionErrorText(creationError));
    EXPECT_EQ(view().objectCount(), objects);
    EXPECT_TRUE(view().isSelected(area->field()->ObjectHandle));
    EXPECT_FALSE(ScreenCursor::isOverridden());
}

TEST_F(RecognitionWindowTest, CrashAndTimeOutOfTheReaderEndOneCommandOnly)
{
    clickEntry(addArea(columnArea(), 2));
    window->LB_OCRerkannt->setText(QStringLiteral("vorher"));

    BarcodeReaderClient crashing;
    crashing.setTestFault(BarcodeReaderClient::TestFault::Crash);
    registerBarcodeReaderComponent(crashing);
    detection();
    BarcodeReaderClient hanging;
    hanging.setTestFault(BarcodeReaderClient::TestFault::Hang);
    hanging.setTimeoutMs(1000);
    registerBarcodeReaderComponent(hanging);
    detectAll();

    EXPECT_EQ(boxes.texts(),
              QStringList({RecognitionErrorText(
                               "sceDab1.BarcodeReader.scanBarcodes: Der Barcode-Leser wurde unerwartet beendet."),
                           RecognitionErrorText("sceDab1.BarcodeReader.scanBarcodes: Der Barcode-Leser hat nicht "
                                                "innerhalb von 1 Sekunde geantwortet.")}));
    EXPECT_EQ(resultText(), "vorher");
    EXPECT_FALSE(progress->isVisible());
    EXPECT_FALSE(ScreenCursor::isOverridden());

    registerBarcodeReaderComponent();
    detection();
    EXPECT_EQ(boxes.shown().size(), 2);
    EXPECT_EQ(resultText().count(QStringLiteral("\r\n")), 3);
}

TEST_F(RecognitionWindowTest, ProgressWindowAndHourglassWhileTheReaderWorks)
{
    ScriptedReader component;
    bool visible = false;
    QString caption, label;
    Qt::CursorShape cursor = Qt::ArrowCursor;
    QPoint offset;
    component.reader->answerWith(QStringLiteral("scanBarcodes"), [&](AutomationArgs &) {
        visible = progress->isVisible() && progress->windowHandle() && progress->windowHandle()->isExposed();
        caption = progress->windowTitle();
        label = progress->LB_Beschriftung->text();
        if (const QCursor *c = QGuiApplication::overrideCursor())
            cursor = c->shape();
        offset = progress->frameGeometry().center() - window->frameGeometry().center();
        return automation::objectToVariant(component.list);
    });
    detectAll();

    EXPECT_TRUE(visible);
    EXPECT_EQ(caption, "Erkennung");
    EXPECT_EQ(label, "Barcode-Erkennung läuft...");
    EXPECT_EQ(cursor, Qt::WaitCursor);
    EXPECT_LE(std::abs(offset.x()), 2);
    EXPECT_LE(std::abs(offset.y()), 2);
    EXPECT_FALSE(progress->isVisible());
    EXPECT_FALSE(ScreenCursor::isOverridden());
    EXPECT_EQ(progress->size(), QSize(299, 42));
    EXPECT_EQ(progress->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(progress->LB_Beschriftung->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(progress->LB_Beschriftung->font().pixelSize(), 24);
    // The whole text shows, whatever font stands in for "MS Sans Serif".
    EXPECT_LE(QFontMetrics(progress->LB_Beschriftung->font()).horizontalAdvance(label),
              progress->LB_Beschriftung->contentsRect().width());
}

TEST_F(RecognitionWindowTest, WholePageMarksEveryBarcodeAndSelectsTheAreaAgain)
{
    AreaListItem *area = addArea(columnArea(), 2);
    clickEntry(area);
    view().deselectAllObjects();
    window->LB_OCRerkannt->setText(QStringLiteral("vorher"));
    const int before = view().objectCount();
    detectAll();

    EXPECT_TRUE(boxes.shown().isEmpty()) << boxes.texts().join("|").toStdString();
    EXPECT_EQ(resultText(), "");
    const QList<int> handles = view().objectHandles().mid(before);
    ASSERT_EQ(handles.size(), 2 * page->codes.size());
    for (int i = 0; i < page->codes.size(); ++i) {
        SCOPED_TRACE(i);
        const PlacedCode &code = page->codes[i];
        const VectorObject &highlight = view().object(handles[2 * i]);
        const VectorObject &label = view().object(handles[2 * i + 1]);
        EXPECT_TRUE(highlight.highlight);
        EXPECT_EQ(highlight.brushColor, InactiveCaptionColor());
        expectOver(view().objectRect(handles[2 * i]), code.box);
        EXPECT_EQ(view().objectRect(handles[2 * i + 1]), view().objectRect(handles[2 * i]));
        EXPECT_EQ(label.text, code.data + QStringLiteral("\r\n") + (code.type == 2 ? "Code128" : "EAN13"));
        EXPECT_EQ(label.fontHeight, MarkFontHeight(view().objectRect(handles[2 * i]).Height));
        EXPECT_FALSE(label.selectable || label.movable || label.resizable);
    }
    EXPECT_EQ(view().mouseMode(), MouseMode::Select);
    EXPECT_EQ(view().selectedObjects(), QList<int>({area->field()->ObjectHandle}));
    EXPECT_TRUE(area->isSelected());
}

TEST_F(RecognitionWindowTest, AfterARotationAreasAreScannedAsStoredAndMarksLieOverTheirBarcodes)
{
    AreaListItem *area = addArea(columnArea(), 2);
    clickEntry(area);
    detection();
    const QString unrotated = resultText();
    ASSERT_EQ(unrotated.count(QStringLiteral("\r\n")), 3);

    QTest::mouseClick(window->SpeedButton17, Qt::LeftButton); // a quarter turn clockwise
    ASSERT_EQ(view().rotation(), 270);
    detection();
    EXPECT_EQ(resultText(), unrotated);

    const int before = view().objectCount();
    detectAll();
    ASSERT_EQ(view().objectCount() - before, 2 * page->codes.size());
    const QList<int> handles = view().objectHandles().mid(before);
    const int pageHeight = page->size.height();
    for (int i = 0; i < page->codes.size(); ++i) {
        SCOPED_TRACE(i);
        // Turned clockwise: x comes from the distance to the page's bottom, y from x.
        const QRect box = page->codes[i].box;
        const QRect turned(pageHeight - box.top() - box.height(), box.left(), box.height(), box.width());
        const TAreaRect mark = view().objectRect(handles[2 * i]);
        expectOver(mark, turned.adjusted(-1, -1, 1, 1));
        // And the turned page shows bars under it.
        int dark = 0;
        for (int y = mark.Top; y < mark.Top + mark.Height; y += 2)
            for (int x = mark.Left; x < mark.Left + mark.Width; x += 2)
                dark += qGray(view().bitmap().pixel(x, y)) < 128;
        EXPECT_GT(dark, mark.Width * mark.Height / 4 / 5);
    }
}

TEST_F(RecognitionWindowTest, LabelsTakeAThirdOfTheBarcodeHeightAndNameOnlyKnownTypes)
{
    ScriptedReader component({FoundBarcode{"A", 2, {10, 10, 90, 30}}, FoundBarcode{"B", 64, {10, 100, 90, 31}},
                              FoundBarcode{"C", 3, {10, 200, 90, 32}}});
    detectAll();
    ASSERT_EQ(view().objectCount(), 6);
    EXPECT_EQ(view().object(1).fontHeight, -10);
    EXPECT_EQ(view().object(3).fontHeight, -10);
    EXPECT_EQ(view().object(5).fontHeight, -11);
    EXPECT_EQ(view().object(1).text, "A\r\nCode128");
    EXPECT_EQ(view().object(5).text, "C\r\n");
    // No rectangle object and no scan rectangle for the whole page.
    EXPECT_EQ(component.rectClass.creations(), 0);
    EXPECT_TRUE(component.entries("Reader.setScanRect").isEmpty());
}

TEST_F(RecognitionWindowTest, PageWithoutBarcodesLeavesTheViewAsItWas)
{
    ScriptedReader component;
    view().setMouseMode(MouseMode::DrawBox);
    window->LB_OCRerkannt->setText(QStringLiteral("vorher"));
    detectAll();
    EXPECT_EQ(view().objectCount(), 0);
    EXPECT_EQ(view().mouseMode(), MouseMode::DrawBox);
    EXPECT_EQ(resultText(), "");
    EXPECT_TRUE(boxes.shown().isEmpty());
}
