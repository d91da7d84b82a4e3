#include "Application.h"
#include "AreaGeometry.h"
#include "AreaListItem.h"
#include "MessageBoxRecorder.h"
#include "QtPrinters.h"
#include "TreeComboBox.h"
#include "demo/DemoPage.h"
#include "demo/DemoWorkspace.h"
#include "elosim/SimulatedComponents.h"
#include "imageview/ImageEnVect.h"
#include "reader/BarcodeReaderClient.h"
#include "umain.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLabel>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The demo as scripts/demo starts it: the tool comes up ready on the invoice,
// and every stored area lies over a code the reader reads as the page meant.
TEST(DemoWorkspace, StartsReadyWithEveryStoredAreaOverItsCode)
{
    QTemporaryDir dir;
    DemoWorkspace::write(dir.path(), QStringLiteral(BCE_SOURCE_DIR "/storage/host-schema.sql"));
    for (const char *file : {"platform/registry.reg", "platform/elo-client.json", "host.db",
                             "pages/rechnung-2024-004711.tif", "pages/lieferschein-2024-08815.tif"})
        EXPECT_TRUE(QFileInfo::exists(dir.filePath(QString::fromLatin1(file)))) << file;

    const QByteArray previous = qgetenv("BCE_PLATFORM_DIR");
    // Put back even when an assertion below ends the test early, so that the
    // tests after it compose their windows as usual.
    const auto restore = qScopeGuard([previous] {
        Tfmain::setStartupFlowOnFirstShow(false);
        TApplication::instance()->setOnException({});
        qputenv("BCE_PLATFORM_DIR", previous);
    });
    qputenv("BCE_PLATFORM_DIR", DemoWorkspace::platformFolder(dir.path()).toLocal8Bit());
    QApplication::setQuitOnLastWindowClosed(false);
    registerSimulatedEloClient();
    MessageBoxRecorder boxes;
    Tfmain::setStartupFlowOnFirstShow(true);
    {
        Tfmain w;
        w.setCommandLineArguments(DemoWorkspace::arguments(dir.path()));
        w.show();
        const QDeadlineTimer deadline(20000);
        while (!deadline.hasExpired() && w.startupState() != Tfmain::StartupState::Ready
               && w.startupState() != Tfmain::StartupState::Stalled
               && w.startupState() != Tfmain::StartupState::Closing)
            QTest::qWait(10);
        ASSERT_EQ(w.startupState(), Tfmain::StartupState::Ready);
        EXPECT_TRUE(boxes.shown().isEmpty());
        EXPECT_TRUE(w.LB_NameDatei->text().endsWith("rechnung-2024-004711.tif"));
        const DemoPage invoice = DemoPage::invoice();
        // A4 at 300 dpi.
        EXPECT_EQ(w.ImageEnVect1->bitmapWidth(), 2480);
        EXPECT_EQ(w.ImageEnVect1->bitmapHeight(), 3508);
        const int pageW = w.ImageEnVect1->bitmapWidth();
        const int pageH = w.ImageEnVect1->bitmapHeight();
        ASSERT_EQ(w.areaCount(), invoice.Codes.size());
        QSet<std::int32_t> types;
        for (int i = 0; i < w.areaCount(); ++i) {
            const TOCRField &f = *w.areaItem(i)->field();
            const DemoPage::Code &code = invoice.Codes[i];
            SCOPED_TRACE(code.Label.toStdString());
            EXPECT_EQ(f.Name, code.Label);
            EXPECT_EQ(f.BCType, code.Type);
            types.insert(f.BCType);
            const TAreaRect r = AreaTextToRect(f.BCArea, pageW, pageH);
            ReaderSettings settings;
            settings.BarcodeTypes = f.BCType;
            const QList<BarcodeResult> found = BarcodeReaderClient().scan(
                w.LB_NameDatei->text(), QRect(r.Left, r.Top, r.Width, r.Height), settings);
            ASSERT_EQ(found.size(), 1);
            EXPECT_EQ(found[0].Data, code.Data);
        }
        EXPECT_GE(types.size(), 5);

        // Fields 1, 2 and 6 of the mask are bound, the others are the user's to do.
        const QStringList bound{"Rechnungsnummer", "Kundennummer", "<kein Barcode-Feld>", "<kein Barcode-Feld>",
                                "<kein Barcode-Feld>", "Archivnummer"};
        for (int k = 0; k < bound.size(); ++k)
            EXPECT_EQ(w.indexFieldCombo(k)->currentText(), bound[k]) << k;
    }
}

} // namespace
