#include "StartupFixture.h"

#include "AreaListItem.h"
#include "AreaGeometry.h"
#include "StringGrid.h"
#include "TreeComboBox.h"
#include "imageview/ImageEnVect.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeWidget>

namespace {

using State = Tfmain::StartupState;

class Startup : public StartupFixture
{
protected:
    QStringList comboTexts(int k) const
    {
        TAdvTreeComboBox *combo = window->indexFieldCombo(k);
        QStringList texts;
        for (int i = 0; combo && i < combo->nodeCount(); ++i)
            texts << combo->topNode(i)->text();
        return texts;
    }
    QString comboChoice(int k) const { return window->indexFieldCombo(k)->currentText(); }

    // Stopped without a word, the window open, and none of the commands that
    // would write a half-loaded document type back enabled.
    void expectStalledSilently(const Tfmain &w) const
    {
        EXPECT_EQ(w.startupState(), State::Stalled);
        EXPECT_TRUE(boxes.shown().isEmpty());
        EXPECT_TRUE(w.isVisible());
        EXPECT_FALSE(w.SpeedButton15->isEnabled());
        EXPECT_FALSE(w.SpeedButton7->isEnabled());
        EXPECT_FALSE(w.SB_Bearbeite->isEnabled());
    }

    bool areaControlsEnabled() const
    {
        for (QWidget *w : std::initializer_list<QWidget *>{window->SpeedButton13, window->L_BCType,
                                                            window->L_BCDirection, window->L_BCLength,
                                                            window->L_BCLenSplitter, window->CB_BCType,
                                                            window->CB_BCDirection, window->SE_BCMinWidth,
                                                            window->SE_BCMaxWidth}) {
            if (!w->isEnabled())
                return false;
        }
        return true;
    }
};

TEST_F(Startup, NoArgumentsCannotOpenTheDatabaseAndCloses)
{
    Tfmain &w = start({});
    EXPECT_EQ(w.startupState(), State::Closing);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].kind, MessageKind::Error);
    EXPECT_EQ(boxes.shown()[0].caption, "Fehler");
    EXPECT_EQ(boxes.shown()[0].text, "Die Datenbank konnte nicht geöffnet werden!");
    EXPECT_EQ(w.LB_DocID->text(), "LB_DocID");
    EXPECT_EQ(w.LB_ConnectionString->text(), "LB_ConnectionString");
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.SpeedButton15->isEnabled());
}

TEST_F(Startup, EmptyPostBoxIsReportedAndCloses)
{
    writeEloClient(true, {pagePath}, -1);
    Tfmain &w = start(standardArguments());
    EXPECT_EQ(boxes.texts(), QStringList{"Kein Dokument in der Postbox vorhanden!"});
    EXPECT_EQ(boxes.shown()[0].kind, MessageKind::Plain);
    EXPECT_EQ(w.startupState(), State::Closing);
    // Closed before the command line was read.
    EXPECT_EQ(w.LB_DocID->text(), "LB_DocID");
    EXPECT_FALSE(w.isVisible());
}

TEST_F(Startup, DocumentTypeThatIsAWordStallsSilently)
{
    storeThreeAreas();
    Tfmain &w = start({QStringLiteral("/C") + dbPath, QStringLiteral("/Dfuenf")});
    expectStalledSilently(w);
    // The connection string was handled before the failing switch, nothing after it.
    EXPECT_TRUE(w.LB_ConnectionString->text().contains(dbPath));
    EXPECT_EQ(w.LB_NameDatei->text(), "LB_NameDatei");
    EXPECT_EQ(w.areaCount(), 0);
}

TEST_F(Startup, EloNotReadyThenOkGoesOnWithoutASecondBox)
{
    writeEloClient(false, {pagePath});
    QList<ShownMessage> shown;
    MessageBoxes::setHook([&](const ShownMessage &m) {
        shown.append(m);
        // The user starts ELO, logs in and presses OK.
        writeEloClient(true, {pagePath});
        return MessageAnswer::Ok;
    });
    Tfmain &w = start(standardArguments());
    MessageBoxes::setHook({});
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].kind, MessageKind::ConfirmOkCancel);
    EXPECT_EQ(shown[0].text, "Bitte starten Sie ELO und melden Sie sich an.");
    EXPECT_EQ(w.startupState(), State::Ready);
    EXPECT_EQ(w.LB_NameDatei->text(), pagePath);
}

TEST_F(Startup, CancelWhileWaitingForEloTouchesNothingAndCloses)
{
    storeThreeAreas();
    writeEloClient(false, {pagePath});
    for (MessageAnswer answer : {MessageAnswer::Cancel, MessageAnswer::Closed}) {
        boxes.clear();
        boxes.queueAnswer(MessageAnswer::Ok); // OK retries; ELO is still not ready
        boxes.queueAnswer(answer);
        Tfmain &w = start(standardArguments());
        EXPECT_EQ(boxes.shown().size(), 2);
        EXPECT_EQ(w.startupState(), State::Closing);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(w.LB_ConnectionString->text(), "LB_ConnectionString");
        EXPECT_EQ(w.LB_NameDatei->text(), "LB_NameDatei");
        EXPECT_FALSE(w.database().isOpen());
        EXPECT_FALSE(w.ImageEnVect1->hasImage());
        EXPECT_EQ(w.areaCount(), 0);
    }
}

TEST_F(Startup, NoStoredAreasShowsFieldsOnlyAndLeavesTheMaskUnchecked)
{
    // The mask ELO does not know goes unreported when nothing is stored.
    Tfmain &w = start({QStringLiteral("/MUnbekannt"), QStringLiteral("/C") + dbPath, QStringLiteral("/D5")});
    EXPECT_TRUE(boxes.shown().isEmpty());
    ASSERT_EQ(w.startupState(), State::Ready);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.ImageEnVect1->hasImage());
    EXPECT_EQ(w.ImageEnVect1->bitmapWidth(), PageWidth);
    EXPECT_EQ(w.ImageEnVect1->mouseMode(), MouseMode::None);
    EXPECT_EQ(w.areaCount(), 0);
    EXPECT_TRUE(w.SpeedButton15->isEnabled());
    EXPECT_TRUE(w.SpeedButton7->isEnabled());
    EXPECT_FALSE(w.SB_Bearbeite->isEnabled());
    EXPECT_FALSE(areaControlsEnabled());
    // "Unbekannt" has no fields: only the header row, and no combo.
    EXPECT_EQ(w.StringGrid_ELOAblagemaske->RowCount(), 1);
    EXPECT_EQ(w.indexFieldCombo(0), nullptr);
}

TEST_F(Startup, NoStoredAreasGridHasNamesWithoutHeaderAndPlaceholderCombos)
{
    Tfmain &w = start(standardArguments());
    ASSERT_EQ(w.startupState(), State::Ready);
    TStringGrid *grid = w.StringGrid_ELOAblagemaske;
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_EQ(grid->Cells(0, 0), "");
    EXPECT_EQ(grid->Cells(1, 0), "");
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(grid->Cells(0, k + 1), MaskFields[k]);
        EXPECT_EQ(comboTexts(k), QStringList{"<kein Barcode-Feld>"});
    }
}

TEST_F(Startup, StoredAreasWithBindingsAreListedBoxedAndBound)
{
    storeThreeAreas();
    sql({QStringLiteral("UPDATE MaskLines SET BarcodeID = 1, BCArea = 3 WHERE RowNo = 1"),
         QStringLiteral("UPDATE MaskLines SET BarcodeID = 1, BCArea = 1 WHERE RowNo = 3")});
    Tfmain &w = start(standardArguments());
    EXPECT_TRUE(boxes.shown().isEmpty());
    ASSERT_EQ(w.startupState(), State::Ready);

    ASSERT_EQ(w.areaCount(), 3);
    const QStringList names{"Rechnungsnummer", "Kunde", "Beleg"};
    const QStringList texts{"81,57,323,103", "484,228,806,297", "161,684,565,798"};
    for (int i = 0; i < 3; ++i) {
        AreaListItem *item = w.areaItem(i);
        ASSERT_NE(item->field(), nullptr);
        EXPECT_EQ(item->Caption(), names[i]);
        EXPECT_EQ(item->text(AreaListItem::AreaColumn), texts[i]);
        EXPECT_EQ(item->field()->Name, names[i]);
        EXPECT_EQ(item->field()->MinLen, 4);
        EXPECT_EQ(item->field()->QuietZone, 12);
        // One yellow highlight box per area, where its text places it.
        const int h = item->field()->ObjectHandle;
        ASSERT_TRUE(w.ImageEnVect1->hasObject(h));
        const VectorObject &o = w.ImageEnVect1->object(h);
        EXPECT_TRUE(o.highlight);
        EXPECT_EQ(o.brushColor, QColor(255, 255, 0));
        EXPECT_EQ(o.brushStyle, BrushStyle::Solid);
        const TAreaRect r = AreaTextToRect(texts[i], PageWidth, PageHeight);
        EXPECT_EQ(w.ImageEnVect1->objectRect(h), r);
    }
    EXPECT_EQ(w.areaItem(1)->text(AreaListItem::PatternColumn), "K*");
    EXPECT_EQ(w.areaItem(1)->field()->Pattern, "K*");

    // The first entry is the chosen one: in the list, on the page, and in the
    // area panel, which shows its settings instead of the design values.
    EXPECT_EQ(w.ListView1->currentItem(), w.ListView1->topLevelItem(0));
    EXPECT_TRUE(w.ListView1->topLevelItem(0)->isSelected());
    EXPECT_EQ(w.ImageEnVect1->selectedObjects(), QList<int>{w.areaItem(0)->field()->ObjectHandle});
    EXPECT_EQ(w.CB_BCType->currentText(), "Code128");
    EXPECT_EQ(w.SE_BCMinWidth->value(), 4);
    EXPECT_EQ(w.SE_BCMaxWidth->value(), 20);
    EXPECT_EQ(w.ImageEnVect1->mouseMode(), MouseMode::Select);
    EXPECT_FALSE(w.ImageEnVect1->rubberBandEnabled());

    EXPECT_EQ(w.StringGrid_ELOAblagemaske->Cells(0, 0), "Indexfeld der Ablagemaske:");
    EXPECT_EQ(w.StringGrid_ELOAblagemaske->Cells(1, 0), "Name:");
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(comboTexts(k), (QStringList{"<kein Barcode-Feld>"} + names));
    EXPECT_EQ(comboChoice(0), "Beleg");
    EXPECT_EQ(comboChoice(1), "<kein Barcode-Feld>");
    EXPECT_EQ(comboChoice(2), "Rechnungsnummer");

    EXPECT_TRUE(w.SpeedButton15->isEnabled());
    EXPECT_TRUE(w.SpeedButton7->isEnabled());
    EXPECT_TRUE(w.SB_Bearbeite->isEnabled());
    EXPECT_TRUE(areaControlsEnabled());
    EXPECT_FALSE(w.database().DS_Einstellungen().active());
}

TEST_F(Startup, StoredAreasWithAnUnknownMaskAreShownThenTheWindowCloses)
{
    storeThreeAreas();
    for (const QString &mask : {QStringLiteral("/MUnbekannt"), QStringLiteral("/M")}) {
        boxes.clear();
        Tfmain &w = start({mask, QStringLiteral("/C") + dbPath, QStringLiteral("/D5")});
        EXPECT_EQ(w.areaCount(), 3);
        EXPECT_EQ(w.ImageEnVect1->objectCount(), 3);
        ASSERT_EQ(boxes.shown().size(), 1);
        EXPECT_EQ(boxes.shown()[0].kind, MessageKind::Error);
        EXPECT_EQ(boxes.shown()[0].text, "Keine gültige Ablagemaske!");
        EXPECT_EQ(w.startupState(), State::Closing);
        EXPECT_FALSE(w.isVisible());
    }
}

// The flow stops on an unexpected exception after the page was shown: the
// window stays open, but neither "Speichern" nor "Neuer Barcodebereich" may be
// used on a half-loaded document type.
TEST_F(Startup, UnexpectedFailuresStallWithSaveDisabled)
{
    struct Case
    {
        const char *what;
        std::function<void()> arrange;
        int areas;
        int objects;
    };
    const QList<Case> cases{
        {"postbox file missing",
         [this] { writeEloClient(true, {QDir(work.path()).filePath("fehlt.tif")}); }, 0, 0},
        {"postbox file corrupt",
         [this] {
             QFile f(QDir(work.path()).filePath("kaputt.tif"));
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write("II*\0garbage", 11);
             f.close();
             writeEloClient(true, {f.fileName()});
         },
         0, 0},
        {"malformed stored area",
         [this] {
             sql({QStringLiteral("INSERT INTO BCDocuments VALUES (1, 5, 'Rechnungen', 0)"),
                    areaRow(1, QStringLiteral("Gut"), QStringLiteral("81,57,323,103")),
                    areaRow(2, QStringLiteral("Schlecht"), QStringLiteral("1,2,drei,4")),
                    areaRow(3, QStringLiteral("Nie gelesen"), QStringLiteral("1,2,3,4"))});
         },
         2, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        c.arrange();
        Tfmain &w = start(standardArguments());
        expectStalledSilently(w);
        EXPECT_EQ(w.areaCount(), c.areas);
        EXPECT_EQ(w.ImageEnVect1->objectCount(), c.objects);
    }
}

TEST_F(Startup, EmptyPostBoxPathLoadsNoPageAndTheFlowGoesOn)
{
    storeThreeAreas();
    writeEloClient(true, {QString()});
    Tfmain &w = start(standardArguments());
    ASSERT_EQ(w.startupState(), State::Ready);
    EXPECT_EQ(w.LB_NameDatei->text(), "");
    EXPECT_FALSE(w.ImageEnVect1->hasImage());
    // The areas are listed with their stored texts, but there is no page to
    // place boxes on.
    ASSERT_EQ(w.areaCount(), 3);
    EXPECT_EQ(w.areaItem(2)->text(AreaListItem::AreaColumn), "161,684,565,798");
    EXPECT_EQ(w.ImageEnVect1->objectCount(), 0);
    EXPECT_EQ(w.areaItem(0)->field()->ObjectHandle, -1);
    EXPECT_TRUE(w.SpeedButton15->isEnabled());
}

TEST_F(Startup, FormShowRunsOnceOnly)
{
    Tfmain &w = start(standardArguments());
    ASSERT_EQ(w.startupState(), State::Ready);
    w.hide();
    w.show();
    QTest::qWait(20);
    w.FormShow();
    EXPECT_EQ(w.StringGrid_ELOAblagemaske->RowCount(), 4);
    EXPECT_EQ(w.findChildren<TAdvTreeComboBox *>().size(), 3);
}

} // namespace
