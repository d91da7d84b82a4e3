#include "QtPrinters.h"
#include "ReaderFixtures.h"

#include "AreaGeometry.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ScanRun
{
    int exitCode = -1;
    QStringList lines; // standard output, one per barcode
    QString errors;
};

// barcode-scan is built beside the test programs.
ScanRun barcodeScan(const QStringList &args)
{
    QProcess p;
    p.start(QCoreApplication::applicationDirPath() + QStringLiteral("/barcode-scan"), args);
    ScanRun r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = p.exitCode();
    r.lines = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    r.errors = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// A page with a Code 128 whose data holds the four escaped characters, and
// an EAN-13 lower down; a second file without any code.
struct ScanFiles : ::testing::Test
{
    static inline const QString Awkward = QStringLiteral("A\tB\\C\nD\rE");
    QTemporaryDir dir;
    QString codes, blank;
    QRect awkwardBox, eanBox;
    QSize size;

    void SetUp() override
    {
        QImage page = BarcodeRenderer::blankPage();
        size = page.size();
        awkwardBox = placeCode(page, {2, Awkward}, {300, 300});
        eanBox = placeCode(page, {64, QStringLiteral("4006381333931")}, {300, 1800});
        codes = dir.filePath(QStringLiteral("codes.tif"));
        blank = dir.filePath(QStringLiteral("blank.tif"));
        PageImage::saveTiff(codes, {page}, PageImage::TiffEncoding::BilevelG4);
        PageImage::saveTiff(blank, {BarcodeRenderer::blankPage()}, PageImage::TiffEncoding::BilevelG4);
    }

    // Checks one output line: file, type name, data as written, the area text
    // of the pixel rectangle, the rectangle over the code's box.
    void expectLine(const QString &line, const QString &type, const QString &data, const QRect &box) const
    {
        const QStringList f = line.split(QLatin1Char('\t'));
        ASSERT_EQ(f.size(), 5) << line.toStdString();
        EXPECT_EQ(f[0], codes);
        EXPECT_EQ(f[1], type);
        EXPECT_EQ(f[2], data);
        const QStringList n = f[4].split(QLatin1Char(','));
        ASSERT_EQ(n.size(), 4) << line.toStdString();
        const QRect r(n[0].toInt(), n[1].toInt(), n[2].toInt(), n[3].toInt());
        EXPECT_TRUE(box.adjusted(-4, -4, 4, 4).contains(r)) << line.toStdString();
        EXPECT_EQ(f[3], RectToAreaText(r.x(), r.y(), r.width(), r.height(), size.width(), size.height()));
    }
};

} // namespace

TEST_F(ScanFiles, PrintsOneEscapedLinePerBarcodeAndNothingForAPageWithout)
{
    const ScanRun r = barcodeScan({codes, blank});
    EXPECT_EQ(r.exitCode, 0) << r.errors.toStdString();
    ASSERT_EQ(r.lines.size(), 2) << r.lines.join(QLatin1Char('|')).toStdString();
    expectLine(r.lines[0], QStringLiteral("Code128"), QStringLiteral("A\\tB\\\\C\\nD\\rE"), awkwardBox);
    expectLine(r.lines[1], QStringLiteral("EAN13"), QStringLiteral("4006381333931"), eanBox);
}

TEST_F(ScanFiles, SettingsAndAreaNarrowTheScan)
{
    const ScanRun types = barcodeScan({QStringLiteral("--set"), QStringLiteral("BarcodeTypes=64"), QStringLiteral("--set"),
                                   QStringLiteral("ShowCheckDigit=false"), codes});
    EXPECT_EQ(types.exitCode, 0) << types.errors.toStdString();
    ASSERT_EQ(types.lines.size(), 1);
    expectLine(types.lines[0], QStringLiteral("EAN13"), QStringLiteral("400638133393"), eanBox);

    const QRect around = awkwardBox.adjusted(-50, -50, 50, 50);
    const QString area =
        RectToAreaText(around.x(), around.y(), around.width(), around.height(), size.width(), size.height());
    const ScanRun inArea = barcodeScan({QStringLiteral("--area"), area, QStringLiteral("--"), codes});
    EXPECT_EQ(inArea.exitCode, 0) << inArea.errors.toStdString();
    ASSERT_EQ(inArea.lines.size(), 1);
    expectLine(inArea.lines[0], QStringLiteral("Code128"), QStringLiteral("A\\tB\\\\C\\nD\\rE"), awkwardBox);
}

TEST_F(ScanFiles, AFileThatCannotBeScannedGivesTwoAndTheOthersAreStillScanned)
{
    const QString missing = dir.filePath(QStringLiteral("missing.tif"));
    const ScanRun r = barcodeScan({missing, codes});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.lines.size(), 2);
    EXPECT_TRUE(r.errors.contains(missing)) << r.errors.toStdString();
}

TEST(BarcodeScan, AWrongCommandLineGivesOne)
{
    const QList<QStringList> wrong = {
        {},
        {QStringLiteral("--set"), QStringLiteral("Foo=1"), QStringLiteral("x.tif")},
        {QStringLiteral("--set"), QStringLiteral("ErrorCorrection=yes"), QStringLiteral("x.tif")},
        {QStringLiteral("--set"), QStringLiteral("=1"), QStringLiteral("x.tif")},
        {QStringLiteral("--area"), QStringLiteral("1,2,3"), QStringLiteral("x.tif")},
        {QStringLiteral("--area")},
        {QStringLiteral("--colour"), QStringLiteral("x.tif")},
        {QStringLiteral("--")},
    };
    for (const QStringList &args : wrong) {
        const ScanRun r = barcodeScan(args);
        EXPECT_EQ(r.exitCode, 1) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.lines.isEmpty()) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.errors.startsWith(QStringLiteral("barcode-scan: "))) << r.errors.toStdString();
    }
}
