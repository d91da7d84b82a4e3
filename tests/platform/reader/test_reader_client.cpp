#include "QtPrinters.h"
#include "ReaderFixtures.h"
#include "reader/BarcodeReaderClient.h"

#include "AppError.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QUuid>
#include <gtest/gtest.h>

namespace {

struct ClientFixture : ::testing::Test
{
    QTemporaryDir dir;
    QString file;

    void SetUp() override
    {
        QImage page = BarcodeRenderer::blankPage();
        placeCode(page, {2, "CLIENT-1"}, {300, 300});
        placeCode(page, {64, "4006381333931"}, {300, 1500}, 3, 2);
        file = dir.filePath("page.tif");
        // Two pages: the reader reads the first one only.
        PageImage::saveTiff(file, {page, BarcodeRenderer::blankPage()}, PageImage::TiffEncoding::BilevelG4);
    }

    // How many processes have entry in their environment (the helper and whatever it forked).
    static int processesWith(const QByteArray &entry)
    {
        int n = 0;
        for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            QFile environ(QStringLiteral("/proc/%1/environ").arg(pid));
            if (pid.toInt() > 0 && environ.open(QIODevice::ReadOnly))
                n += environ.readAll().split('\0').contains(entry);
        }
        return n;
    }

    static QString errorOf(const std::function<void()> &f)
    {
        try {
            f();
        } catch (const AppError &e) {
            return e.message();
        }
        return {};
    }
};

} // namespace

TEST_F(ClientFixture, ScansTheWholePageAndAnArea)
{
    BarcodeReaderClient client;
    const auto page = client.scan(file, std::nullopt, ReaderSettings{});
    ASSERT_EQ(page.size(), 2);
    EXPECT_EQ(page[0].Data, "CLIENT-1");
    EXPECT_EQ(page[1].Data, "4006381333931");
    EXPECT_EQ(page[1].Direction, 2);

    const auto area = client.scan(file, page[0].Position.adjusted(-50, -50, 50, 50), ReaderSettings{});
    ASSERT_EQ(area.size(), 1);
    EXPECT_TRUE(page[0].Position.adjusted(-4, -4, 4, 4).contains(area[0].Position));

    EXPECT_TRUE(client.scan(file, QRect(10, 10, 0, 50), ReaderSettings{}).isEmpty());
    EXPECT_TRUE(client.scan(file, QRect(5000, 5000, 100, 100), ReaderSettings{}).isEmpty());
}

TEST_F(ClientFixture, CrashAndHangBecomeErrorsAndTheNextScanWorks)
{
    BarcodeReaderClient client;
    client.setTestFault(BarcodeReaderClient::TestFault::Crash);
    EXPECT_EQ(errorOf([&] { client.scan(file, std::nullopt, ReaderSettings{}); }),
              "Der Barcode-Leser wurde unerwartet beendet.");

    // The hang is in a decoding call's forked copy: it must end with the helper.
    const QByteArray marker = "BCE_TEST_RUN=" + QUuid::createUuid().toByteArray(QUuid::WithoutBraces);
    qputenv("BCE_TEST_RUN", marker.mid(13));
    client.setTestFault(BarcodeReaderClient::TestFault::Hang);
    client.setTimeoutMs(1000);
    EXPECT_EQ(errorOf([&] { client.scan(file, std::nullopt, ReaderSettings{}); }),
              "Der Barcode-Leser hat nicht innerhalb von 1 Sekunde geantwortet.");
    const QDeadlineTimer deadline(3000);
    while (processesWith(marker) > 0 && !deadline.hasExpired())
        QThread::msleep(20);
    EXPECT_EQ(processesWith(marker), 0);
    qunsetenv("BCE_TEST_RUN");

    client.setTestFault(BarcodeReaderClient::TestFault::None);
    client.setTimeoutMs(30000);
    EXPECT_EQ(client.scan(file, std::nullopt, ReaderSettings{}).size(), 2);
}

TEST_F(ClientFixture, UnreadableFilesGiveGermanErrors)
{
    BarcodeReaderClient client;
    EXPECT_EQ(errorOf([&] { client.scan(dir.filePath("missing.tif"), std::nullopt, ReaderSettings{}); }),
              QStringLiteral("Die Bilddatei \"%1\" wurde nicht gefunden.").arg(dir.filePath("missing.tif")));
    QFile junk(dir.filePath("junk.tif"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("II*\0garbage that is no TIFF", 27);
    junk.close();
    EXPECT_EQ(errorOf([&] { client.scan(junk.fileName(), std::nullopt, ReaderSettings{}); }),
              QStringLiteral("Die Bilddatei \"%1\" kann nicht gelesen werden.").arg(junk.fileName()));
}

// Every type on one page, some turned: the whole-page settings report all but
// the patch code, each once with its type and data.
TEST_F(ClientFixture, WholePageSettingsReadEveryTypeButPatchCodes)
{
    QImage page = BarcodeRenderer::blankPage();
    QList<QPair<SampleCode, QRect>> placed;
    int i = 0;
    for (const SampleCode &code : sampleCodes()) {
        const int direction = i == 3 ? 4 : i == 6 ? 8 : 1;
        placed.append({code, placeCode(page, code, {150 + (i % 2) * 1200, 150 + (i / 2) * 560}, 3, direction)});
        ++i;
    }
    const QString all = dir.filePath("all.tif");
    PageImage::saveTiff(all, {page}, PageImage::TiffEncoding::BilevelG4);
    ReaderSettings whole; // what the whole page puts: 1919 and 15, the rest the reader's own
    whole.BarcodeTypes = 1919;
    whole.Directions = 15;
    const auto results = BarcodeReaderClient().scan(all, std::nullopt, whole);

    QStringList expected, got;
    for (const auto &[code, box] : placed)
        if (code.type != 128)
            expected << QString::number(code.type) + "=" + reportedData(code);
    for (const BarcodeResult &r : results) {
        got << QString::number(r.BarcodeType) + "=" + r.Data;
        const auto it = std::find_if(placed.begin(), placed.end(), [&](const auto &p) { return p.first.type == r.BarcodeType; });
        ASSERT_NE(it, placed.end());
        EXPECT_TRUE(it->second.adjusted(-6, -6, 6, 6).contains(r.Position)) << r.Data.toStdString();
    }
    std::sort(expected.begin(), expected.end());
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, expected);
}
