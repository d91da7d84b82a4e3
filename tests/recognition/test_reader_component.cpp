#include "QtPrinters.h"
#include "automation/AutomationError.h"
#include "automation/AutomationVariant.h"
#include "automation/ClassRegistry.h"
#include "reader/BarcodeReaderComponent.h"
#include "reader/BarcodeRenderer.h"
#include "reader/PageImage.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace automation;

namespace {

QRect placeCode(QImage &page, std::int32_t type, const QString &data, QPoint topLeft)
{
    return BarcodeRenderer::place(page, BarcodeRenderer::render(type, data), topLeft);
}

struct ComponentTest : ::testing::Test
{
    QTemporaryDir dir;
    QString file;
    QRect code128, ean13;

    void SetUp() override
    {
        registerBarcodeReaderComponent();
        QImage page = BarcodeRenderer::blankPage();
        code128 = placeCode(page, 2, QStringLiteral("COMP-128"), {300, 400});
        ean13 = placeCode(page, 64, QStringLiteral("4006381333931"), {300, 1600});
        file = dir.filePath(QStringLiteral("page.tif"));
        PageImage::saveTiff(file, {page});
    }
    void TearDown() override { unregisterBarcodeReaderComponent(); }

    static AutomationObjectPtr object(const QVariant &v)
    {
        AutomationObjectPtr o = variantToObject(v);
        EXPECT_TRUE(o);
        return o;
    }

    // init, the settings, a reader with them and (if given) a scan rectangle.
    static AutomationObjectPtr reader(const QVariantMap &puts, const std::optional<QRect> &rect = {})
    {
        AutomationObjectPtr main = create(QStringLiteral("sceDab1.DabMain"));
        main->call(QStringLiteral("init"), {QStringLiteral("Test")});
        AutomationObjectPtr settings = create(QStringLiteral("sceDab1.BarcodeReaderSettings"));
        for (auto it = puts.begin(); it != puts.end(); ++it)
            settings->setProperty(it.key(), it.value());
        AutomationObjectPtr r = object(main->call(QStringLiteral("createBarcodeReader")));
        AutomationArgs byRef{AutomationArg::byReference(objectToVariant(settings))};
        r->call(QStringLiteral("loadSettingsFrom"), byRef);
        if (rect) {
            AutomationObjectPtr dataRect = create(QStringLiteral("sceDab1.DataRect"));
            dataRect->setProperty(QStringLiteral("Left"), rect->left());
            dataRect->setProperty(QStringLiteral("Top"), rect->top());
            dataRect->setProperty(QStringLiteral("Width"), rect->width());
            dataRect->setProperty(QStringLiteral("Height"), rect->height());
            AutomationArgs rectArg{AutomationArg::byReference(objectToVariant(dataRect))};
            r->call(QStringLiteral("setScanRect"), rectArg);
        }
        return r;
    }

    QStringList scanData(const AutomationObjectPtr &r) const
    {
        AutomationObjectPtr list = object(r->call(QStringLiteral("scanBarcodes"), {file}));
        QStringList data;
        const int n = variantToInt32(list->call(QStringLiteral("Count"))).value_or(-1);
        for (int i = 0; i < n; ++i)
            data << object(list->call(QStringLiteral("get"), {i}))->call(QStringLiteral("Data")).toString();
        return data;
    }

    static QString errorOf(const std::function<void()> &f)
    {
        try {
            f();
        } catch (const AutomationError &e) {
            return e.message();
        }
        return {};
    }
};

} // namespace

TEST_F(ComponentTest, ScansAPageThroughTheHelperAndAnswersMethodsAndPropertyReads)
{
    AutomationObjectPtr r = reader({});
    AutomationObjectPtr list = object(r->call(QStringLiteral("scanBarcodes"), {file}));
    ASSERT_EQ(list->call(QStringLiteral("Count")), 2);
    EXPECT_EQ(list->getProperty(QStringLiteral("Count")), 2);

    AutomationObjectPtr first = object(list->call(QStringLiteral("get"), {0}));
    EXPECT_EQ(first->call(QStringLiteral("Data")), "COMP-128");
    EXPECT_EQ(first->getProperty(QStringLiteral("Data")), "COMP-128");
    EXPECT_EQ(first->call(QStringLiteral("BarcodeType")), 2);
    EXPECT_EQ(object(list->call(QStringLiteral("get"), {1}))->getProperty(QStringLiteral("BarcodeType")), 64);

    AutomationObjectPtr position = object(first->call(QStringLiteral("Position")));
    const QRect found(position->call(QStringLiteral("Left")).toInt(), position->call(QStringLiteral("Top")).toInt(),
                      position->getProperty(QStringLiteral("Width")).toInt(),
                      position->getProperty(QStringLiteral("Height")).toInt());
    EXPECT_TRUE(code128.contains(found)) << found.x() << "," << found.y() << " " << found.width() << "x" << found.height();
    EXPECT_GT(found.width(), code128.width() / 2);
    // Read again, the same values.
    AutomationObjectPtr again = object(first->getProperty(QStringLiteral("Position")));
    EXPECT_EQ(again->getProperty(QStringLiteral("Left")), found.left());
    EXPECT_EQ(again->call(QStringLiteral("Height")), found.height());

    // createBarcodeReader also answers as a property read.
    AutomationObjectPtr main = create(QStringLiteral("sceDab1.DabMain"));
    main->call(QStringLiteral("init"), {QString()});
    EXPECT_TRUE(object(main->getProperty(QStringLiteral("createBarcodeReader"))));
}

TEST_F(ComponentTest, SettingsAndScanRectReachTheReader)
{
    EXPECT_EQ(scanData(reader({{QStringLiteral("BarcodeTypes"), 64}})), QStringList({"4006381333931"}));
    EXPECT_EQ(scanData(reader({{QStringLiteral("Pattern"), QStringLiteral("COMP-*")}})), QStringList({"COMP-128"}));
    EXPECT_EQ(scanData(reader({{QStringLiteral("ShowCheckDigit"), false}})), QStringList({"COMP-128", "400638133393"}));
    EXPECT_EQ(scanData(reader({}, ean13.adjusted(-30, -30, 30, 30))), QStringList({"4006381333931"}));
    EXPECT_EQ(scanData(reader({}, QRect(10, 10, 0, 0))), QStringList());
    // A rectangle at the far end of the 32-bit range is empty, not a fault.
    EXPECT_EQ(scanData(reader({}, QRect(INT32_MAX - 5, INT32_MAX - 5, 5, 5))), QStringList());
}

TEST_F(ComponentTest, ReaderCopiesSettingsWhenTheyAreLoaded)
{
    AutomationObjectPtr main = create(QStringLiteral("sceDab1.DabMain"));
    main->call(QStringLiteral("init"), {QStringLiteral("Test")});
    AutomationObjectPtr settings = create(QStringLiteral("sceDab1.BarcodeReaderSettings"));
    settings->setProperty(QStringLiteral("BarcodeTypes"), 2);
    AutomationObjectPtr r = object(main->call(QStringLiteral("createBarcodeReader")));
    AutomationArgs byRef{AutomationArg::byReference(objectToVariant(settings))};
    r->call(QStringLiteral("loadSettingsFrom"), byRef);
    settings->setProperty(QStringLiteral("BarcodeTypes"), 64);
    EXPECT_EQ(scanData(r), QStringList({"COMP-128"}));
}

TEST_F(ComponentTest, SettingsObjectTakesEverySettingAndRefusesUnknownNames)
{
    AutomationObjectPtr settings = create(QStringLiteral("sceDab1.BarcodeReaderSettings"));
    for (const QString &name : ReaderSettings::names()) {
        const QVariant before = settings->getProperty(name);
        EXPECT_NO_THROW(settings->setProperty(name, before)) << name.toStdString();
    }
    settings->setProperty(QStringLiteral("ErrorCorrection"), -1);
    EXPECT_EQ(settings->getProperty(QStringLiteral("ErrorCorrection")), true);
    EXPECT_EQ(variantToInt32(settings->getProperty(QStringLiteral("ErrorCorrection"))), -1);
    settings->setProperty(QStringLiteral("ErrorCorrection"), 0);
    EXPECT_EQ(settings->getProperty(QStringLiteral("ErrorCorrection")), false);
    settings->setProperty(QStringLiteral("MinLength"), 4);
    EXPECT_EQ(settings->getProperty(QStringLiteral("MinLength")), 4);

    EXPECT_EQ(errorOf([&] { settings->setProperty(QStringLiteral("BarcodeTyp"), 1); }),
              "sceDab1.BarcodeReaderSettings.BarcodeTyp: Unbekannter Name.");
    EXPECT_EQ(errorOf([&] { settings->setProperty(QStringLiteral("MinLength"), QStringLiteral("viele")); }),
              "sceDab1.BarcodeReaderSettings.MinLength: Typkonflikt.");
    EXPECT_EQ(errorOf([&] { settings->setProperty(QStringLiteral("ReadNumeric"), QStringLiteral("ja")); }),
              "sceDab1.BarcodeReaderSettings.ReadNumeric: Typkonflikt.");
}

TEST_F(ComponentTest, MisuseGivesErrorsNamingTheMember)
{
    AutomationObjectPtr main = create(QStringLiteral("sceDab1.DabMain"));
    EXPECT_EQ(errorOf([&] { main->call(QStringLiteral("createBarcodeReader")); }),
              "sceDab1.DabMain.createBarcodeReader: Die Barcode-Komponente wurde nicht mit init initialisiert.");
    main->call(QStringLiteral("init"), {QStringLiteral("x")});
    AutomationObjectPtr r = object(main->call(QStringLiteral("createBarcodeReader")));
    AutomationArgs wrong{AutomationArg::byReference(objectToVariant(create(QStringLiteral("sceDab1.DataRect"))))};
    EXPECT_EQ(errorOf([&] { r->call(QStringLiteral("loadSettingsFrom"), wrong); }),
              "sceDab1.BarcodeReader.loadSettingsFrom: Typkonflikt: erwartet wird ein Objekt "
              "sceDab1.BarcodeReaderSettings.");
    EXPECT_EQ(errorOf([&] { r->call(QStringLiteral("scanBarcodes"), {dir.filePath("missing.tif")}); }),
              QStringLiteral("sceDab1.BarcodeReader.scanBarcodes: Die Bilddatei \"%1\" wurde nicht gefunden.")
                  .arg(dir.filePath("missing.tif")));
    AutomationObjectPtr list = object(r->call(QStringLiteral("scanBarcodes"), {file}));
    EXPECT_EQ(errorOf([&] { list->call(QStringLiteral("get"), {2}); }),
              "sceDab1.BarcodeList.get: Der Index 2 liegt außerhalb der Liste (2 Barcodes).");
    EXPECT_EQ(errorOf([&] { list->call(QStringLiteral("get"), {-1}); }),
              "sceDab1.BarcodeList.get: Der Index -1 liegt außerhalb der Liste (2 Barcodes).");
}

TEST_F(ComponentTest, HelperCrashAndTimeOutEndOneScanOnly)
{
    BarcodeReaderClient crashing;
    crashing.setTestFault(BarcodeReaderClient::TestFault::Crash);
    registerBarcodeReaderComponent(crashing);
    EXPECT_EQ(errorOf([&] { scanData(reader({})); }),
              "sceDab1.BarcodeReader.scanBarcodes: Der Barcode-Leser wurde unerwartet beendet.");

    BarcodeReaderClient hanging;
    hanging.setTestFault(BarcodeReaderClient::TestFault::Hang);
    hanging.setTimeoutMs(1000);
    registerBarcodeReaderComponent(hanging);
    EXPECT_EQ(errorOf([&] { scanData(reader({})); }),
              "sceDab1.BarcodeReader.scanBarcodes: Der Barcode-Leser hat nicht innerhalb von 1 Sekunde geantwortet.");

    registerBarcodeReaderComponent();
    EXPECT_EQ(scanData(reader({})).size(), 2);
}
