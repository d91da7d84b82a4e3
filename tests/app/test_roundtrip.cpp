// The whole way of an area through the tool, as a user goes it on the demo
// workspace: draw it, name it, set it, bind it, save, start again, find it.

#include "EditorWindowFixture.h"

#include "Application.h"
#include "AreaGeometry.h"
#include "demo/DemoPage.h"
#include "demo/DemoWorkspace.h"
#include "elosim/SimulatedComponents.h"
#include "reader/BarcodeReaderClient.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeView>

namespace {

using State = Tfmain::StartupState;

class RoundTrip : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_workspace = new QTemporaryDir;
        DemoWorkspace::write(s_workspace->path(), QStringLiteral(BCE_SOURCE_DIR "/storage/host-schema.sql"));
        s_invoice = new DemoPage(DemoPage::invoice());
    }

    static void TearDownTestSuite()
    {
        delete s_invoice;
        s_invoice = nullptr;
        delete s_workspace;
        s_workspace = nullptr;
    }

    void SetUp() override
    {
        m_hadPlatform = qEnvironmentVariableIsSet("BCE_PLATFORM_DIR");
        m_previousPlatform = qgetenv("BCE_PLATFORM_DIR");
        qputenv("BCE_PLATFORM_DIR", DemoWorkspace::platformFolder(s_workspace->path()).toLocal8Bit());
        QApplication::setQuitOnLastWindowClosed(false);
        registerSimulatedEloClient();
        Tfmain::setStartupFlowOnFirstShow(true);
        freshDatabase();
    }

    // Saves go into a database of their own, as the demo wrote it.
    void freshDatabase()
    {
        m_dbPath = QDir(m_work.path()).filePath(QStringLiteral("host-%1.db").arg(++m_databases));
        ASSERT_TRUE(QFile::copy(QDir(s_workspace->path()).filePath(QStringLiteral("host.db")), m_dbPath));
    }

    void TearDown() override
    {
        window.reset();
        Tfmain::setStartupFlowOnFirstShow(false);
        TApplication::instance()->setOnException({});
        if (m_hadPlatform)
            qputenv("BCE_PLATFORM_DIR", m_previousPlatform);
        else
            qunsetenv("BCE_PLATFORM_DIR");
        ScreenCursor::setArrow();
    }

    // A fresh window started as the host starts the tool, on this test's database.
    Tfmain &start()
    {
        QStringList arguments = DemoWorkspace::arguments(s_workspace->path());
        arguments[1] = QStringLiteral("/C") + m_dbPath;
        window = std::make_unique<Tfmain>();
        // The program block's secondary windows.
        window->Form1 = new TForm1(window.get());
        window->F_BarcodeSettings = new TF_BarcodeSettings(window.get());
        window->setCommandLineArguments(arguments);
        window->show();
        const QDeadlineTimer deadline(20000);
        while (!deadline.hasExpired() && window->startupState() != State::Ready
               && window->startupState() != State::Stalled && window->startupState() != State::Closing)
            QTest::qWait(5);
        EXPECT_EQ(window->startupState(), State::Ready);
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return *window;
    }

    TImageEnVect *view() const { return window->ImageEnVect1; }

    // The viewport point over the middle of a pixel of the bitmap as shown;
    // the page is fitted, so it lies whole in the view.
    QPoint viewPoint(QPoint pixel) const
    {
        const double s = view()->zoom() / 100.0;
        const QSize vp = view()->viewport()->size();
        const int contentW = int(std::lround(view()->bitmapWidth() * s));
        const int contentH = int(std::lround(view()->bitmapHeight() * s));
        EXPECT_LE(contentW, vp.width());
        EXPECT_LE(contentH, vp.height());
        const double ox = std::floor((vp.width() - contentW) / 2.0);
        const double oy = std::floor((vp.height() - contentH) / 2.0);
        return QPoint(int(ox + (pixel.x() + 0.5) * s), int(oy + (pixel.y() + 0.5) * s));
    }

    // "Neuer Barcodebereich" and a box dragged with the mouse around a part of
    // the page (page pixels, the page as loaded), on the view as it is turned.
    void drawAround(const QRect &onPage)
    {
        const TAreaRect shown =
            view()->mapRectFromDocument({onPage.left(), onPage.top(), onPage.width(), onPage.height()});
        // Three screen pixels beyond the part on every side.
        const QPoint from = viewPoint({shown.Left, shown.Top}) - QPoint(3, 3);
        const QPoint to = viewPoint({shown.Left + shown.Width - 1, shown.Top + shown.Height - 1}) + QPoint(3, 3);
        QTest::mouseClick(window->SpeedButton7, Qt::LeftButton);
        QWidget *vp = view()->viewport();
        QTest::mousePress(vp, Qt::LeftButton, {}, from);
        QTest::mouseMove(vp, (from + to) / 2);
        QTest::mouseMove(vp, to);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, to);
    }

    void clickObject(int hobj)
    {
        const TAreaRect r = view()->objectRect(hobj);
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {},
                          viewPoint({r.Left + r.Width / 2, r.Top + r.Height / 2}));
    }

    // Opens a drop-down with the mouse and picks an entry with the keys.
    static void pick(QComboBox *combo, QAbstractItemView *popupView, int index)
    {
        QTest::mouseClick(combo, Qt::LeftButton);
        ASSERT_TRUE(popupView->isVisible());
        QTest::keyClick(popupView, Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(popupView, Qt::Key_Down);
        QTest::keyClick(popupView, Qt::Key_Return);
        EXPECT_FALSE(popupView->isVisible());
        EXPECT_EQ(combo->currentIndex(), index);
        // The offscreen platform leaves no window active once the drop-down
        // is gone; a window manager would give the activation back.
        combo->window()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(combo->window()));
        EXPECT_TRUE(combo->hasFocus());
    }

    // Clicks into a spin field and types over its text.
    static void typeInto(QSpinBox *spin, const char *text)
    {
        QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(10, spin->height() / 2));
        QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(spin, text);
    }

    // Every value the window holds of its areas and bindings, except the
    // object handles and the hidden pattern column, which a start refills.
    static QStringList heldState(Tfmain &w)
    {
        QStringList state;
        for (int i = 0; i < w.areaCount(); ++i) {
            const AreaListItem *item = w.areaItem(i);
            const TOCRField &f = *item->field();
            state << QStringList{item->Caption(), item->text(AreaListItem::AreaColumn), f.Name, f.BCArea,
                                 QString::number(f.BCType), QString::number(f.BCDirection),
                                 QString::number(f.MinLen), QString::number(f.MaxLen),
                                 QString::number(f.Code39StartStop), QString::number(f.ExtendedC39),
                                 QString::number(f.ConvertUPCE), QString::number(f.Numeric),
                                 QString::number(f.OverSampling), QString::number(f.AllowDuplicate),
                                 QString::number(f.Code39Checksum), QString::number(f.ErrorCorrection),
                                 QString::number(f.ShowCheckDig), QString::number(f.SkewTolerance), f.Pattern,
                                 QString::number(f.NoiseReduction), QString::number(f.QuietZone),
                                 QString::number(f.LineJump), QString::number(f.ColorThreshold),
                                 QString::number(f.MinSpaceBar)}
                         .join('|');
        }
        for (int k = 0; TAdvTreeComboBox *combo = w.indexFieldCombo(k); ++k)
            state << QStringLiteral("field %1: %2 %3").arg(k).arg(w.AreaNumberOf(combo)).arg(combo->currentText());
        return state;
    }

    void save()
    {
        boxes.clear();
        QTest::mouseClick(window->SpeedButton15, Qt::LeftButton);
        ASSERT_EQ(boxes.shown().size(), 1);
        EXPECT_EQ(boxes.shown()[0].kind, MessageKind::Information);
        EXPECT_EQ(boxes.shown()[0].text, "Ihre Einstellungen wurden in der Datenbank gespeichert!");
        boxes.clear();
    }

    // The page pixels an area's stored text stands for.
    static QRect onPage(const QString &areaText)
    {
        const TAreaRect r = AreaTextToRect(areaText, s_invoice->Image.width(), s_invoice->Image.height());
        return QRect(r.Left, r.Top, r.Width, r.Height);
    }

    // What the reader finds of the types in that part of the document file.
    QStringList readIn(const QString &areaText, std::int32_t types) const
    {
        ReaderSettings settings;
        settings.BarcodeTypes = types;
        QStringList data;
        for (const BarcodeResult &found : BarcodeReaderClient().scan(window->LB_NameDatei->text(), onPage(areaText),
                                                                      settings))
            data << found.Data;
        return data;
    }

    static const DemoPage::Code &code(const char *label)
    {
        for (const DemoPage::Code &c : s_invoice->Codes) {
            if (c.Label == QLatin1String(label))
                return c;
        }
        throw std::logic_error(label);
    }

    static inline QTemporaryDir *s_workspace = nullptr;
    static inline DemoPage *s_invoice = nullptr;

    QTemporaryDir m_work;
    QString m_dbPath;
    int m_databases = 0;
    bool m_hadPlatform = false;
    QByteArray m_previousPlatform;
    MessageBoxRecorder boxes;
    std::unique_ptr<Tfmain> window;
};

TEST_F(RoundTrip, DrawNameSetBindSaveAndFindItAgain)
{
    Tfmain &w = start();
    ASSERT_EQ(w.areaCount(), 5);
    const QStringList stored = heldState(w);

    // Around the EAN-13 of the invoice's main article.
    const QRect target = code("Artikel-EAN").Box;
    drawAround(target);
    ASSERT_EQ(w.areaCount(), 6);
    AreaListItem *item = w.areaItem(5);
    EXPECT_EQ(item->Caption(), "6 Barcode-Bereich");
    // One screen pixel is about five page pixels at this zoom, one thousandth
    // three or four.
    const QRect drawn = onPage(item->text(AreaListItem::AreaColumn));
    EXPECT_TRUE(drawn.contains(target)) << drawn.x() << "," << drawn.y() << " " << drawn.width() << "x"
                                        << drawn.height();
    EXPECT_TRUE(target.adjusted(-30, -30, 30, 30).contains(drawn));

    clickObject(item->field()->ObjectHandle);
    ASSERT_EQ(w.selectedArea(), item);

    EditorWindow::whileModal(w.Form1, [&] {
        EditorWindow::typeText(w.Form1->Edit1, QStringLiteral("Artikel-Nr. Größe"));
        QTest::keyClick(w.Form1->Edit1, Qt::Key_Return);
    });
    QTest::mouseClick(w.SB_Bearbeite, Qt::LeftButton);
    EXPECT_EQ(item->Caption(), "Artikel-Nr. Größe");

    // The advanced settings: two options, a skew tolerance, a pattern, a spin field.
    TF_BarcodeSettings *d = w.F_BarcodeSettings;
    EditorWindow::whileModal(d, [&] {
        QTest::mouseClick(d->CB_Numeric, Qt::LeftButton, {}, QPoint(6, d->CB_Numeric->height() / 2));
        QTest::mouseClick(d->CB_Duplicates, Qt::LeftButton, {}, QPoint(6, d->CB_Duplicates->height() / 2));
        pick(d->CB_Skew, d->CB_Skew->view(), 2);
        QTest::mouseClick(d->E_Pattern, Qt::LeftButton);
        QTest::keyClicks(d->E_Pattern, "400##########");
        typeInto(d->SE_Quiet, "7");
        QTest::mouseClick(d->B_OK, Qt::LeftButton);
    });
    QTest::mouseClick(w.Bt_OCRAssistent, Qt::LeftButton);

    // "Bestellnummer" of the mask is filled from the new area.
    TAdvTreeComboBox *binding = w.indexFieldCombo(3);
    pick(binding, binding->treeView(), 6);
    EXPECT_EQ(binding->currentText(), "Artikel-Nr. Größe");

    // The area panel last: the maximum length is still being typed when
    // "Speichern" is clicked.
    QTest::mouseClick(w.ListView1->viewport(), Qt::LeftButton, {}, w.ListView1->visualItemRect(item).center());
    ASSERT_EQ(w.selectedArea(), item);
    pick(w.CB_BCType, w.CB_BCType->view(), 6);
    pick(w.CB_BCDirection, w.CB_BCDirection->view(), 2);
    typeInto(w.SE_BCMinWidth, "13");
    typeInto(w.SE_BCMaxWidth, "14");
    ASSERT_TRUE(w.SE_BCMaxWidth->hasFocus());

    save();
    const QStringList held = heldState(w);
    ASSERT_EQ(held.size(), 6 + 6);
    EXPECT_EQ(held.mid(0, 5), stored.mid(0, 5));
    EXPECT_EQ(held[5], QStringList({"Artikel-Nr. Größe", item->text(AreaListItem::AreaColumn), "Artikel-Nr. Größe",
                                    item->text(AreaListItem::AreaColumn), "64", "4", "13", "14", "1", "0", "1", "1",
                                    "0", "0", "0", "0", "0", "2", "400##########", "0", "7", "5", "128", "1"})
                           .join('|'));
    EXPECT_EQ(held[6 + 3], "field 3: 6 Artikel-Nr. Größe");

    Tfmain &again = start();
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_EQ(heldState(again), held);
    // A loaded area shows its stored pattern in the hidden column, and its box.
    EXPECT_EQ(again.areaItem(5)->text(AreaListItem::PatternColumn), "400##########");
    const TOCRField &loaded = *again.areaItem(5)->field();
    ASSERT_TRUE(view()->hasObject(loaded.ObjectHandle));
    const TAreaRect box = view()->objectRect(loaded.ObjectHandle);
    EXPECT_EQ(QRect(box.Left, box.Top, box.Width, box.Height), onPage(loaded.BCArea));
    // The area still reads the code it was drawn around.
    EXPECT_EQ(readIn(loaded.BCArea, 64), QStringList{code("Artikel-EAN").Data});
}

TEST_F(RoundTrip, AnAreaDrawnOnTheTurnedViewIsStoredOverThatPartOfThePage)
{
    struct Turn
    {
        const char *button;
        int rotation;
    };
    for (const Turn turn : {Turn{"SpeedButton17", 270}, Turn{"SpeedButton18", 90}}) {
        SCOPED_TRACE(turn.button);
        freshDatabase();
        Tfmain &w = start();
        const QStringList stored = heldState(w);

        QTest::mouseClick(w.findChild<QToolButton *>(QLatin1String(turn.button)), Qt::LeftButton);
        QTest::mouseClick(w.SpeedButton4, Qt::LeftButton); // fit the turned page
        ASSERT_EQ(view()->rotation(), turn.rotation);
        ASSERT_EQ(view()->bitmapWidth(), s_invoice->Image.height());

        const DemoPage::Code &customer = code("Kundennummer");
        drawAround(customer.Box);
        ASSERT_EQ(w.areaCount(), 6);
        const QString text = w.areaItem(5)->field()->BCArea;
        EXPECT_TRUE(onPage(text).contains(customer.Box));
        EXPECT_TRUE(customer.Box.adjusted(-30, -30, 30, 30).contains(onPage(text)));
        save();
        // The areas nobody touched kept their texts through the turn.
        EXPECT_EQ(heldState(w).mid(0, 5), stored.mid(0, 5));

        Tfmain &again = start();
        ASSERT_EQ(again.areaCount(), 6);
        EXPECT_EQ(again.areaItem(5)->field()->BCArea, text);
        EXPECT_EQ(readIn(text, customer.Type), QStringList{customer.Data});
    }
}

} // namespace
