#include "Application.h"
#include "AreaListItem.h"
#include "MessageBoxRecorder.h"
#include "OCRErkennung.h"
#include "QtPrinters.h"
#include "demo/DemoWorkspace.h"
#include "elosim/SimulatedComponents.h"
#include "imageview/ImageEnVect.h"
#include "reader/BarcodeReaderComponent.h"
#include "umain.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

// The picture of the README: the demo invoice as scripts/demo starts it, after
// "Barcodes erkennen", the area "Rechnungsnummer" read with "Detection".
// Written as screenshot-recognition.png to BCE_SCREENSHOT_DIR if set, else to
// the temporary folder.
TEST(RecognitionScreenshot, WholePageWithMarks)
{
    QTemporaryDir dir;
    DemoWorkspace::write(dir.path(), QStringLiteral(BCE_SOURCE_DIR "/storage/host-schema.sql"));
    const QByteArray previous = qgetenv("BCE_PLATFORM_DIR");
    qputenv("BCE_PLATFORM_DIR", DemoWorkspace::platformFolder(dir.path()).toLocal8Bit());
    QApplication::setQuitOnLastWindowClosed(false);
    registerSimulatedEloClient();
    registerBarcodeReaderComponent();
    MessageBoxRecorder boxes;
    Tfmain::setStartupFlowOnFirstShow(true);
    {
        Tfmain window;
        TFR_OCRerkennung progress(&window);
        window.FR_OCRerkennung = &progress;
        window.setCommandLineArguments(DemoWorkspace::arguments(dir.path()));
        window.resize(1280, 960);
        window.show();
        const QDeadlineTimer deadline(20000);
        while (!deadline.hasExpired() && window.startupState() != Tfmain::StartupState::Ready
               && window.startupState() != Tfmain::StartupState::Stalled
               && window.startupState() != Tfmain::StartupState::Closing)
            QTest::qWait(10);
        ASSERT_EQ(window.startupState(), Tfmain::StartupState::Ready);
        const int areas = window.areaCount();
        ASSERT_GE(areas, 5);

        QTreeWidget *list = window.ListView1;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(0)).center());
        QTest::mouseClick(window.SB_DetectAll, Qt::LeftButton);
        QTest::mouseClick(window.Bt_OCRStarten, Qt::LeftButton);
        EXPECT_TRUE(boxes.shown().isEmpty()) << boxes.texts().join("|").toStdString();
        // Every code of the invoice marked, two objects each, beside the areas.
        EXPECT_EQ(window.ImageEnVect1->objectCount(), areas + 2 * areas);
        EXPECT_TRUE(window.LB_OCRerkannt->text().startsWith(QStringLiteral("RE-2024-004711 (")))
            << window.LB_OCRerkannt->text().toStdString();

        const QImage shot = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString out = qEnvironmentVariableIsSet("BCE_SCREENSHOT_DIR") ? qEnvironmentVariable("BCE_SCREENSHOT_DIR")
                                                                            : QDir::tempPath();
        ASSERT_TRUE(shot.save(QDir(out).filePath(QStringLiteral("screenshot-recognition.png"))));
    }
    Tfmain::setStartupFlowOnFirstShow(false);
    TApplication::instance()->setOnException({});
    unregisterBarcodeReaderComponent();
    qputenv("BCE_PLATFORM_DIR", previous);
}
