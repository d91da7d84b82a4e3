#include "AreaGeometry.h"
#include "AreaListItem.h"
#include "BarcodeMarks.h"
#include "MessageBoxRecorder.h"
#include "OCRErkennung.h"
#include "QtPrinters.h"
#include "imageview/ImageEnVect.h"
#include "reader/BarcodeReaderComponent.h"
#include "reader/BarcodeRenderer.h"
#include "reader/PageImage.h"
#include "umain.h"

#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

// The picture of the README: a delivery note with six codes after
// "Barcodes erkennen", one area chosen and read with "Detection". Written as
// screenshot-recognition.png to BCE_SCREENSHOT_DIR if set, else to the
// temporary folder.
TEST(RecognitionScreenshot, WholePageWithMarks)
{
    registerBarcodeReaderComponent();
    QTemporaryDir dir;
    QImage page = BarcodeRenderer::blankPage();
    {
        QPainter p(&page);
        p.setPen(Qt::black);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(70);
        f.setBold(true);
        p.setFont(f);
        p.drawText(250, 300, QStringLiteral("Lieferschein 2024-0815"));
        f.setPixelSize(45);
        f.setBold(false);
        p.setFont(f);
        p.drawText(250, 420, QStringLiteral("Kunde 4711   Musterstraße 1   12345 Musterstadt"));
        for (int i = 0; i < 14; ++i)
            p.drawText(250, 1900 + i * 80, QStringLiteral("Position %1   Artikel %2   Menge %3").arg(i + 1).arg(30 + i * 7).arg(i % 4 + 1));
    }
    BarcodeRenderer::Options o;
    o.moduleWidth = 5;
    o.barHeight = 220;
    const QRect code39 = BarcodeRenderer::place(page, BarcodeRenderer::render(1, QStringLiteral("LS-2024-0815"), o), {250, 550});
    BarcodeRenderer::place(page, BarcodeRenderer::render(2, QStringLiteral("Kunde 4711"), o), {1350, 550});
    BarcodeRenderer::place(page, BarcodeRenderer::render(64, QStringLiteral("4006381333931"), o), {250, 1000});
    BarcodeRenderer::place(page, BarcodeRenderer::render(8, QStringLiteral("20240815"), o), {1350, 1000});
    BarcodeRenderer::place(page, BarcodeRenderer::render(256, QStringLiteral("036000291452"), o), {250, 1450});
    o.moduleWidth = 4;
    BarcodeRenderer::place(page, BarcodeRenderer::render(1024, QStringLiteral("Lieferschein 2024-0815"), o),
                           {1350, 1450});
    const QString file = dir.filePath(QStringLiteral("lieferschein.tif"));
    PageImage::saveTiff(file, {page}, PageImage::TiffEncoding::BilevelG4);

    Tfmain window;
    TFR_OCRerkennung progress(&window);
    window.FR_OCRerkennung = &progress;
    window.resize(1280, 960);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.ImageEnVect1->loadFromFile(file);
    window.LB_NameDatei->setText(file);
    QTest::mouseClick(window.SpeedButton4, Qt::LeftButton);

    // One area over the Code 39, as drawing it would make it.
    const QRect areaBox = code39.adjusted(-30, -30, 30, 30);
    VectorObject &t = window.ImageEnVect1->objectTemplate();
    t.highlight = true;
    t.brushColor = QColor(255, 255, 0);
    t.rect = areaBox;
    auto field = std::make_unique<TOCRField>(window.ImageEnVect1->addObject());
    field->Name = QStringLiteral("1 Barcode-Bereich");
    field->BCArea = RectToAreaText(areaBox.x(), areaBox.y(), areaBox.width(), areaBox.height(), page.width(),
                                   page.height());
    auto *item = new AreaListItem;
    item->setCaption(field->Name);
    item->setText(AreaListItem::AreaColumn, field->BCArea);
    item->setField(std::move(field));
    window.ListView1->addTopLevelItem(item);
    item->setSelected(true);

    MessageBoxRecorder boxes;
    QTest::mouseClick(window.SB_DetectAll, Qt::LeftButton);
    QTest::mouseClick(window.Bt_OCRStarten, Qt::LeftButton);
    EXPECT_TRUE(boxes.shown().isEmpty()) << boxes.texts().join("|").toStdString();
    EXPECT_EQ(window.ImageEnVect1->objectCount(), 1 + 2 * 6);
    EXPECT_TRUE(window.LB_OCRerkannt->text().startsWith(QStringLiteral("LS-2024-0815 (")));

    const QImage shot = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString out = qEnvironmentVariableIsSet("BCE_SCREENSHOT_DIR") ? qEnvironmentVariable("BCE_SCREENSHOT_DIR")
                                                                        : QDir::tempPath();
    ASSERT_TRUE(shot.save(QDir(out).filePath(QStringLiteral("screenshot-recognition.png"))));
    // The paper under the marks shows the inactive-caption colour.
    const QColor mark = InactiveCaptionColor();
    int tinted = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            tinted += shot.pixel(x, y) == mark.rgb();
    EXPECT_GT(tinted, 2000);
    unregisterBarcodeReaderComponent();
}
