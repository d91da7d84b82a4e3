#include "StartupFixture.h"

#include "AreaListItem.h"
#include "TreeComboBox.h"

#include <QFile>
#include <QToolButton>

namespace {

using State = Tfmain::StartupState;

class SaveFromWindow : public StartupFixture
{
protected:
    void SetUp() override
    {
        StartupFixture::SetUp();
        storeThreeAreas();
        sql({QStringLiteral("UPDATE MaskLines SET BarcodeID = 1, BCArea = 2 WHERE RowNo = 2")});
    }

    void clickSave() { QTest::mouseClick(window->SpeedButton15, Qt::LeftButton); }

    // What a window shows of the stored state: each area with its settings,
    // then each combo's choice.
    static QStringList shownState(Tfmain &w)
    {
        QStringList state;
        for (int i = 0; i < w.areaCount(); ++i) {
            const AreaListItem *item = w.areaItem(i);
            const TOCRField &f = *item->field();
            state << QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9")
                         .arg(item->Caption(), item->text(AreaListItem::AreaColumn), f.Name, f.BCArea)
                         .arg(f.BCType)
                         .arg(f.MinLen)
                         .arg(f.Code39StartStop)
                         .arg(f.SkewTolerance)
                         .arg(f.Pattern);
        }
        for (int k = 0; TAdvTreeComboBox *combo = w.indexFieldCombo(k); ++k)
            state << QStringLiteral("combo %1: %2 %3").arg(k).arg(w.AreaNumberOf(combo)).arg(combo->currentText());
        return state;
    }
};

TEST_F(SaveFromWindow, SavedStateComesBackInAFreshWindow)
{
    Tfmain &w = start(standardArguments());
    ASSERT_EQ(w.startupState(), State::Ready);
    ASSERT_TRUE(w.SpeedButton15->isEnabled());

    // Change what the user can change: settings, a quote in a name, bindings.
    TOCRField &second = *w.areaItem(1)->field();
    second.BCType = 1024;
    second.MinLen = 7;
    second.Code39StartStop = false;
    second.SkewTolerance = 3;
    second.Name = QStringLiteral("Kunden'nr");
    w.areaItem(1)->setCaption(second.Name);
    w.RenameAreaInCombos(1, second.Name);
    w.indexFieldCombo(0)->setSelection(2);
    w.indexFieldCombo(1)->setSelection(0);
    w.indexFieldCombo(2)->setSelection(3);
    const QStringList before = shownState(w);

    clickSave();
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].kind, MessageKind::Information);
    EXPECT_EQ(boxes.shown()[0].text, "Ihre Einstellungen wurden in der Datenbank gespeichert!");
    EXPECT_FALSE(w.database().isOpen());
    // The document type kept its row, id and name.
    const QStringList rows = [&] {
        QStringList r;
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "look");
        db.setDatabaseName(dbPath);
        EXPECT_TRUE(db.open());
        QSqlQuery q("SELECT DocBCID, Name FROM BCDocuments WHERE DocID = 5", db);
        while (q.next())
            r << q.value(0).toString() + "|" + q.value(1).toString();
        q.finish();
        db.close();
        return r;
    }();
    QSqlDatabase::removeDatabase("look");
    EXPECT_EQ(rows, QStringList{"1|Rechnungen"});

    boxes.clear();
    Tfmain &again = start(standardArguments());
    ASSERT_EQ(again.startupState(), State::Ready);
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_EQ(shownState(again), before);
    EXPECT_EQ(again.indexFieldCombo(0)->currentText(), "Kunden'nr");
}

TEST_F(SaveFromWindow, EachOutcomeEndsWithItsOwnBox)
{
    Tfmain &w = start(standardArguments());
    ASSERT_EQ(w.startupState(), State::Ready);

    // A statement fails in the middle: a plain box with the error's text, and
    // the database as it was.
    sql({QStringLiteral("CREATE TRIGGER nein BEFORE INSERT ON BCAreas WHEN NEW.AreaBCID = 2 "
                        "BEGIN SELECT RAISE(ABORT, 'Bereich abgelehnt'); END")});
    clickSave();
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].kind, MessageKind::Plain);
    EXPECT_TRUE(boxes.shown()[0].text.startsWith("Es sind Fehler beim Speichern aufgetreten:\r\n"));
    EXPECT_TRUE(boxes.shown()[0].text.contains("Bereich abgelehnt"));

    // The database is gone: the error box.
    boxes.clear();
    w.CloseDatabase();
    ASSERT_TRUE(QFile::remove(dbPath));
    clickSave();
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].kind, MessageKind::Error);
    EXPECT_EQ(boxes.shown()[0].text,
              "Die Datenbank konnte nicht geöffnet werden! Die Daten konnten nicht gespeichert werden.");
}

TEST_F(SaveFromWindow, AFailedSaveLeavesTheStoredAreasForTheNextStart)
{
    Tfmain &w = start(standardArguments());
    const QStringList stored = shownState(w);
    sql({QStringLiteral("CREATE TRIGGER nein BEFORE INSERT ON BCAreas WHEN NEW.AreaBCID = 3 "
                        "BEGIN SELECT RAISE(ABORT, 'Bereich abgelehnt'); END")});
    w.areaItem(0)->field()->BCType = 4;
    clickSave();
    ASSERT_EQ(boxes.shown().size(), 1);
    sql({QStringLiteral("DROP TRIGGER nein")});
    boxes.clear();
    EXPECT_EQ(shownState(start(standardArguments())), stored);
}

} // namespace

namespace {

TEST_F(SaveFromWindow, AnEntryWithoutDefinitionIsRefusedNotSavedWithDefaults)
{
    Tfmain &w = start(standardArguments());
    const QStringList stored = shownState(w);
    w.areaItem(1)->freeField();
    clickSave();
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].kind, MessageKind::Plain);
    EXPECT_TRUE(boxes.shown()[0].text.startsWith("Es sind Fehler beim Speichern aufgetreten:\r\n"));
    boxes.clear();
    EXPECT_EQ(shownState(start(standardArguments())), stored);
}

} // namespace
