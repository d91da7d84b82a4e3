#include "BarcodeMarks.h"
#include "QtPrinters.h"
#include "ReaderSession.h"
#include "RecognitionCommands.h"
#include "ScriptedReader.h"
#include "U_Types.h"
#include "imageview/ImageEnVect.h"

#include <gtest/gtest.h>

namespace {

FoundBarcode found(const QString &data, std::int32_t type, TAreaRect position)
{
    return FoundBarcode{data, type, position};
}

} // namespace

TEST(RecogniseArea, CallsTheComponentInTheWrittenOrder)
{
    ScriptedReader component({found("A1", 2, {100, 50, 200, 40}), found("B2", 2, {0, 0, 10, 10})});
    QStringList shown;
    ReaderSession session(ReaderSession::ScanRect::Used);
    RecogniseArea(session, TOCRField(0), QStringLiteral("100,100,500,250"), QSize(2000, 1000),
                  QStringLiteral("/tmp/page.tif"), [&](const QString &t) { shown << t; });

    const QStringList log = *component.log;
    // Creation: init, then the settings' puts after it, before the reader.
    ASSERT_GE(log.size(), 21);
    EXPECT_EQ(log[0], "DabMain.init(\"Barcode-Erweiterung\")");
    EXPECT_EQ(log[1], "Settings.BarcodeTypes=1");
    EXPECT_EQ(log[20], "Settings.UseOverSampling=False");
    EXPECT_EQ(log.mid(21), QStringList({"DabMain.createBarcodeReader",
                                        "Reader.loadSettingsFrom(ref object)",
                                        "DataRect.Left=200",
                                        "DataRect.Top=100",
                                        "DataRect.Width=800",
                                        "DataRect.Height=150",
                                        "Reader.setScanRect(ref object)",
                                        "Reader.scanBarcodes(\"/tmp/page.tif\")",
                                        "List.Count",
                                        "List.get(0)",
                                        "Barcode0.Position",
                                        "Position0.Left",
                                        "Position0.Top",
                                        "Position0.Width",
                                        "Position0.Height",
                                        "Barcode0.Data",
                                        "List.get(1)",
                                        "Barcode1.Position",
                                        "Position1.Left",
                                        "Position1.Top",
                                        "Position1.Width",
                                        "Position1.Height",
                                        "Barcode1.Data"}));
    // Cleared, then one more line after each barcode; coordinates in
    // thousandths of the page.
    EXPECT_EQ(shown, QStringList({"", "A1 (50,50,150,90)\r\n", "A1 (50,50,150,90)\r\nB2 (0,0,5,10)\r\n"}));
}

TEST(RecogniseArea, KeepsTheLinesReadBeforeAFailureAndLeavesTheTextWhenTheScanFails)
{
    {
        ScriptedReader component({found("A1", 2, {0, 0, 10, 10}), found("B2", 2, {0, 0, 10, 10})});
        component.barcodes[1]->fail(QStringLiteral("Data"), QStringLiteral("kaputt"));
        QStringList shown;
        ReaderSession session(ReaderSession::ScanRect::Used);
        const auto error = CaptureError([&] {
            RecogniseArea(session, TOCRField(0), QStringLiteral("0,0,1000,1000"), QSize(100, 100), QStringLiteral("f"),
                          [&](const QString &t) { shown << t; });
        });
        EXPECT_EQ(error, "Barcode1.Data: kaputt");
        EXPECT_EQ(shown.last(), "A1 (0,0,100,100)\r\n");
    }
    {
        ScriptedReader component;
        component.reader->fail(QStringLiteral("scanBarcodes"), QStringLiteral("Datei fehlt"));
        QStringList shown;
        ReaderSession session(ReaderSession::ScanRect::Used);
        const auto error = CaptureError([&] {
            RecogniseArea(session, TOCRField(0), QStringLiteral("0,0,1000,1000"), QSize(100, 100), QStringLiteral("f"),
                          [&](const QString &t) { shown << t; });
        });
        EXPECT_EQ(error, "Reader.scanBarcodes: Datei fehlt");
        EXPECT_TRUE(shown.isEmpty());
    }
}

TEST(RecogniseArea, BadAreaTextFailsBeforeAnyReaderIsMade)
{
    ScriptedReader component;
    ReaderSession session(ReaderSession::ScanRect::Used);
    const auto error = CaptureError([&] {
        RecogniseArea(session, TOCRField(0), QStringLiteral("1,2,3"), QSize(100, 100), QStringLiteral("f"),
                      [](const QString &) {});
    });
    ASSERT_TRUE(error);
    EXPECT_TRUE(component.entries("DabMain.createBarcodeReader").isEmpty());
}

TEST(RecognisePage, PutsOnlyThePageSettingsAndSetsNoScanRect)
{
    ScriptedReader component({found("X", 1024, {5, 6, 7, 8}), found("Y", 3, {1, 2, 3, 4})});
    QList<FoundBarcode> marked;
    QStringList shown;
    ReaderSession session(ReaderSession::ScanRect::None);
    RecognisePage(
        session, QStringLiteral("p.tif"), [&](const QString &t) { shown << t; },
        [&](const FoundBarcode &b) { marked << b; });

    EXPECT_EQ(component.entries("Settings."), QStringList({"Settings.BarcodeTypes=1919", "Settings.Directions=15"}));
    EXPECT_TRUE(component.entries("DataRect").isEmpty());
    EXPECT_TRUE(component.entries("Reader.setScanRect").isEmpty());
    EXPECT_EQ(component.mainClass.creations(), 1);
    EXPECT_EQ(component.rectClass.creations(), 0);
    EXPECT_EQ(shown, QStringList({""}));
    ASSERT_EQ(marked.size(), 2);
    EXPECT_EQ(marked[0].Data, "X");
    EXPECT_EQ(marked[0].BarcodeType, 1024);
    EXPECT_EQ(marked[0].Position, (TAreaRect{5, 6, 7, 8}));
    EXPECT_EQ(marked[1].BarcodeType, 3);
}

TEST(RecognitionTexts, ErrorBoxAndResultLine)
{
    EXPECT_EQ(RecognitionErrorText("Fehlt."),
              "Fehler bei der Barcode-Erkennung:\r\nFehlt.\r\n\r\nBitte prüfen Sie, ob die Barcode-Komponente "
              "installiert ist.");
    EXPECT_EQ(ResultLine("4711", "1,2,3,4"), "4711 (1,2,3,4)\r\n");
    EXPECT_EQ(CaptureError([] {}), std::nullopt);
    EXPECT_EQ(CaptureError([] { throw std::runtime_error("roh"); }), "roh");
    EXPECT_EQ(CaptureError([] { throw 5; }), "Unbekannter Fehler.");
}

TEST(BarcodeMarks, FontHeightIsAThirdOfTheBarcodeRounded)
{
    const struct { int height; int font; } cases[] = {{30, -10}, {31, -10}, {32, -11}, {0, 0}, {2, -1}, {150, -50}};
    for (const auto &c : cases)
        EXPECT_EQ(MarkFontHeight(c.height), c.font) << c.height;
}

TEST(BarcodeMarks, HighlightAndLabelAreVisibleOnlyOverTheBarcode)
{
    TImageEnVect view;
    QImage page(400, 300, QImage::Format_RGB32);
    page.fill(Qt::white);
    view.setImage(page);
    view.setMouseMode(MouseMode::DrawBox);

    AddBarcodeMarks(view, found("ABC", 64, {10, 20, 100, 31}));
    AddBarcodeMarks(view, found("N", 3, {0, 0, 5, 5}));
    ASSERT_EQ(view.objectCount(), 4);
    const VectorObject &box = view.object(0);
    const VectorObject &label = view.object(1);
    EXPECT_EQ(box.kind, ObjectKind::Box);
    EXPECT_TRUE(box.highlight);
    EXPECT_EQ(box.brushColor, InactiveCaptionColor());
    EXPECT_EQ(box.brushStyle, BrushStyle::Solid);
    EXPECT_EQ(view.objectRect(0), (TAreaRect{10, 20, 100, 31}));
    EXPECT_EQ(label.kind, ObjectKind::MemoBox);
    EXPECT_EQ(view.objectRect(1), (TAreaRect{10, 20, 100, 31}));
    EXPECT_EQ(label.brushColor, QColor(Qt::black));
    EXPECT_EQ(label.brushStyle, BrushStyle::DiagCross);
    EXPECT_EQ(label.penColor, QColor(Qt::black));
    EXPECT_EQ(label.textColor, QColor(Qt::white));
    EXPECT_EQ(label.fontName, "Verdana");
    EXPECT_TRUE(label.fontBold);
    EXPECT_FALSE(label.textEditable);
    EXPECT_EQ(label.fontHeight, -10);
    EXPECT_EQ(label.text, "ABC\r\nEAN13");
    EXPECT_EQ(view.object(3).text, "N\r\n");
    for (int h : view.objectHandles()) {
        const VectorObject &o = view.object(h);
        EXPECT_TRUE(o.visible && !o.selectable && !o.movable && !o.resizable) << h;
        view.selectObject(h);
    }
    EXPECT_TRUE(view.selectedObjects().isEmpty());
    // The next object the user makes is an ordinary one again.
    const VectorObject &t = view.objectTemplate();
    EXPECT_TRUE(t.visible && t.selectable && t.movable && t.resizable);
    EXPECT_EQ(view.mouseMode(), MouseMode::Select);
}

// Positions are the component's answer: values at the ends of the 32-bit
// range still give proper rectangles in every rotation.
TEST(BarcodeMarks, PositionsFarOffThePageStayProperRectangles)
{
    TImageEnVect view;
    QImage page(400, 300, QImage::Format_RGB32);
    page.fill(Qt::white);
    view.setImage(page);
    const TAreaRect far[] = {{INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX},
                             {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
                             {INT32_MAX - 5, 10, INT32_MIN, 20}};
    for (int turn = 0; turn < 4; ++turn) {
        for (const TAreaRect &position : far)
            AddBarcodeMarks(view, found("X", 2, position));
        view.rotate(90);
    }
    for (int h : view.objectHandles()) {
        const QRect r = view.object(h).rect;
        // A wrapped corner shows as a negative size.
        EXPECT_GT(r.width(), 0) << h;
        EXPECT_GT(r.height(), 0) << h;
    }
}
