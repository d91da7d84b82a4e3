#include "AppError.h"
#include "DefinitionLoading.h"
#include "HostDatabase.h"
#include "QtPrinters.h"
#include "RecordingAreaSink.h"
#include "SaveDefinitions.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <future>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace {

SaveArea area(const QString &name, const QString &text, const QString &pattern = {})
{
    SaveArea a{name, text, TOCRField(0)};
    a.Definition.Name = name;
    a.Definition.BCArea = text;
    a.Definition.Pattern = pattern;
    return a;
}

QList<SaveCombo> combos(std::initializer_list<std::int32_t> areaNumbers)
{
    QList<SaveCombo> list;
    for (const std::int32_t n : areaNumbers)
        list << SaveCombo{QStringLiteral("AdvTreeComboBoxElement_%1").arg(list.size()), n};
    return list;
}

// The statements that open a save's transaction on each backend.
QStringList beginStatements(Backend backend)
{
    if (backend == Backend::Sqlite)
        return {QStringLiteral("BEGIN IMMEDIATE")};
    return {QStringLiteral("BEGIN ISOLATION LEVEL READ COMMITTED"),
            QStringLiteral("LOCK TABLE BCDocuments IN SHARE ROW EXCLUSIVE MODE")};
}

// A data source of the backend that does not exist.
QString missingSource(const HostDatabase &host)
{
    return host.backend() == Backend::Sqlite ? host.dir() + QStringLiteral("/fehlt.db")
                                             : serverUriFor(QStringLiteral("bce_fehlt_nirgends"));
}

class Saving : public ::testing::TestWithParam<Backend>
{
protected:
    void SetUp() override
    {
        // A stored definition set for D = 5 and one of another document type,
        // both bound in MaskLines, so that a lost or half-written save shows.
        host.exec(QStringLiteral("INSERT INTO BCDocuments VALUES (2, 5, 'Rechnungen', 0)"));
        host.exec(QStringLiteral("INSERT INTO BCDocuments VALUES (6, 8, 'BCDocument 6', 0)"));
        host.exec(QStringLiteral("INSERT INTO BCAreas (AreaBCID, DocBCID, Name, BCArea) VALUES (1, 2, 'alt 1', '0,0,10,10')"));
        host.exec(QStringLiteral("INSERT INTO BCAreas (AreaBCID, DocBCID, Name, BCArea) VALUES (2, 2, 'alt 2', '0,0,20,20')"));
        host.exec(QStringLiteral("INSERT INTO BCAreas (AreaBCID, DocBCID, Name, BCArea) VALUES (1, 6, 'fremd', '0,0,30,30')"));
        host.exec(QStringLiteral("INSERT INTO Maske (DocID, EloID) VALUES (5, 17)"));
        for (int row = 1; row <= 4; ++row)
            host.exec(QStringLiteral("INSERT INTO MaskLines (DocID, RowNo, BarcodeID, BCArea) VALUES (5, %1, 2, %2)").arg(row).arg(row % 3));
        host.exec(QStringLiteral("INSERT INTO MaskLines (DocID, RowNo, BarcodeID, BCArea) VALUES (8, 1, 6, 1)"));
        db.setStatementObserver([this](const QString &sql) {
            statements << sql;
            if (onStatement)
                onStatement(sql);
        });
    }

    SaveResult save(const QList<SaveArea> &areas, const QList<SaveCombo> &comboList, const QString &d = QStringLiteral("5"))
    {
        statements.clear();
        return SaveDefinitions(db, host.connectionString(), d, areas, comboList);
    }
    QList<SaveArea> fourAreas() const
    {
        return {area("eins", "1,1,2,2"), area("zwei", "3,3,4,4"), area("drei", "5,5,6,6"), area("vier", "7,7,8,8")};
    }
    void expectFailedAndUnchanged(const SaveResult &result, const QStringList &before, const QString &errorPart)
    {
        EXPECT_EQ(result.Outcome, SaveOutcome::Failed);
        EXPECT_TRUE(result.ErrorText.contains(errorPart)) << result.ErrorText.toStdString();
        EXPECT_EQ(result.boxText(), QStringLiteral("Es sind Fehler beim Speichern aufgetreten:\r\n") + result.ErrorText);
        EXPECT_EQ(host.snapshot(), before);
        EXPECT_FALSE(db.inTransaction());
    }

    HostDatabase host{GetParam()};
    DefinitionDatabase db;
    QStringList statements;
    std::function<void(const QString &)> onStatement;
};

INSTANTIATE_TEST_SUITE_P(Backends, Saving, ::testing::Values(Backend::Sqlite, Backend::Postgres), BackendName());

// Faults only SQLite can be made to show this way.
using SavingOnSqlite = Saving;
INSTANTIATE_TEST_SUITE_P(Sqlite, SavingOnSqlite, ::testing::Values(Backend::Sqlite), BackendName());

TEST_P(Saving, RunsTheStatementsInOrderInsideOneTransaction)
{
    SaveArea kunde = area("O'Brien", "100,200,300,400", "A'B");
    TOCRField &f = kunde.Definition;
    f.BCType = 2;
    f.BCDirection = 8;
    f.MinLen = 4;
    f.MaxLen = 12;
    f.AllowDuplicate = false;
    f.Code39Checksum = true;
    f.Code39StartStop = false;
    f.Numeric = true;
    f.ConvertUPCE = false;
    f.ErrorCorrection = true;
    f.ExtendedC39 = true;
    f.ShowCheckDig = true;
    f.OverSampling = true;
    f.LineJump = 6;
    f.ColorThreshold = 100;
    f.MinSpaceBar = 3;
    f.QuietZone = 11;
    f.NoiseReduction = 2;
    f.SkewTolerance = 5;

    const SaveResult result = save({kunde, area("Datum", "0,0,1000,1000")}, combos({2, 0, 1}), QStringLiteral("7"));

    ASSERT_EQ(result.Outcome, SaveOutcome::Saved) << result.ErrorText.toStdString();
    EXPECT_EQ(result.boxText(), QStringLiteral("Ihre Einstellungen wurden in der Datenbank gespeichert!"));
    const QString columns = QStringLiteral(
        "INSERT INTO BCAreas (AreaBCID, DocBCID, Name, BCArea, BCType, BCDirection, MinLen, MaxLen, AllowDuplicate, "
        "Code39Checksum, Code39StartStop, [Numeric], ConvertUPCE, ErrorCorrection, ExtendedC39, ShowCheckDig, "
        "OverSampling, LineJump, ColorThreshold, MinSpaceBar, QuietZone, NoiseReduction, SkewTolerance, Pattern) VALUES (");
    EXPECT_EQ(statements,
              beginStatements(GetParam()) + (QStringList{
                  "SELECT DocBCID FROM BCDocuments ORDER BY DocBCID DESC",
                  "SELECT DocID, Name, DocBCID FROM BCDocuments WHERE DocID = 7",
                  "UPDATE MaskLines SET BarcodeID = 0 WHERE DocID = 7",
                  "DELETE FROM  BCDocuments WHERE DocID = 7",
                  "INSERT INTO BCDocuments (DocBCID, DocID, Name, AdrID) VALUES (7,7,'BCDocument 7','0')",
                  columns + "1,7,'O''Brien','100,200,300,400',2,8,4,12,0,1,0,1,0,1,1,1,1,6,100,3,11,2,5,'A''B')",
                  columns + "2,7,'Datum','0,0,1000,1000',1,1,2,999,1,0,1,0,1,0,0,0,0,5,128,1,10,0,0,NULL)",
                  "UPDATE MaskLines SET BarcodeID=7, BCArea = 1 WHERE DocID = 7 AND RowNo = 3",
                  "UPDATE MaskLines SET BarcodeID=7, BCArea = 0 WHERE DocID = 7 AND RowNo = 2",
                  "UPDATE MaskLines SET BarcodeID=7, BCArea = 2 WHERE DocID = 7 AND RowNo = 1",
                  "COMMIT",
              }));
    EXPECT_FALSE(db.isOpen());
}

TEST_P(Saving, ReplacesTheDocumentTypesRowsAndBindsItsIndexFields)
{
    const SaveResult result = save({area("O'Brien", "1,2,3,4", "X'Y"), area("Ohne", "5,6,7,8")}, combos({2, 0, 1}));
    ASSERT_EQ(result.Outcome, SaveOutcome::Saved) << result.ErrorText.toStdString();

    // DocBCID and name of the existing row stay; its old areas went with it.
    EXPECT_EQ(host.rows("SELECT DocBCID, DocID, Name, AdrID FROM BCDocuments ORDER BY DocBCID"),
              (QStringList{"2|5|Rechnungen|0", "6|8|BCDocument 6|0"}));
    EXPECT_EQ(host.rows("SELECT DocBCID, AreaBCID, Name, BCArea, Pattern FROM BCAreas ORDER BY DocBCID DESC, AreaBCID"),
              (QStringList{"6|1|fremd|0,0,30,30|NULL", "2|1|O'Brien|1,2,3,4|X'Y", "2|2|Ohne|5,6,7,8|NULL"}));
    // Rows 1 to 3 belong to the mask's fields; row 4 keeps its area, loses its id.
    EXPECT_EQ(host.rows("SELECT DocID, RowNo, BarcodeID, BCArea FROM MaskLines ORDER BY DocID, RowNo"),
              (QStringList{"5|1|2|2", "5|2|2|0", "5|3|2|1", "5|4|0|1", "8|1|6|1"}));

    // An empty list keeps the row and binds every field to no area.
    ASSERT_EQ(save({}, combos({0, 0})).Outcome, SaveOutcome::Saved);
    EXPECT_EQ(host.scalar("SELECT COUNT(*) FROM BCAreas WHERE DocBCID = 2").toInt(), 0);
    EXPECT_EQ(host.rows("SELECT RowNo, BarcodeID, BCArea FROM MaskLines WHERE DocID = 5 ORDER BY RowNo"),
              (QStringList{"1|2|0", "2|2|0", "3|0|1", "4|0|1"}));
}

struct Allocation
{
    const char *name;
    QStringList documents; // VALUES of BCDocuments rows; D is 1
    int expectedId;
    const char *expectedName;
};

void PrintTo(const Allocation &a, std::ostream *os)
{
    *os << a.name;
}

class DocBCIDAllocation : public ::testing::TestWithParam<std::tuple<Backend, Allocation>>
{
protected:
    const Allocation &allocation() const { return std::get<1>(GetParam()); }
};

TEST_P(DocBCIDAllocation, KeepsAnExistingRowElseTakesTheLargestPlusOne)
{
    HostDatabase host(std::get<0>(GetParam()));
    for (const QString &values : allocation().documents) {
        host.exec("INSERT INTO BCDocuments (DocBCID, DocID, Name, AdrID) VALUES (" + values + ")");
        host.exec("INSERT INTO BCAreas (AreaBCID, DocBCID, BCArea) VALUES (1, " + values.section(',', 0, 0) + ", '0,0,1,1')");
    }
    DefinitionDatabase db;
    ASSERT_EQ(SaveDefinitions(db, host.connectionString(), "1", {area("neu", "1,1,2,2")}, {}).Outcome, SaveOutcome::Saved);
    EXPECT_EQ(host.rows("SELECT DocBCID, Name, AdrID FROM BCDocuments WHERE DocID = 1"),
              QStringList{QStringLiteral("%1|%2|0").arg(allocation().expectedId).arg(QString::fromUtf8(allocation().expectedName))});
    EXPECT_EQ(host.rows("SELECT A.DocBCID, A.Name FROM BCAreas A JOIN BCDocuments D ON A.DocBCID = D.DocBCID WHERE D.DocID = 1"),
              QStringList{QStringLiteral("%1|neu").arg(allocation().expectedId)});
    EXPECT_EQ(host.scalar("SELECT COUNT(*) FROM BCAreas").toInt(),
              host.scalar("SELECT COUNT(*) FROM BCDocuments").toInt());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DocBCIDAllocation,
    ::testing::Combine(::testing::Values(Backend::Sqlite, Backend::Postgres),
                       ::testing::Values(Allocation{"EmptyTable", {}, 1, "BCDocument 1"},
                      Allocation{"Gaps", {"3,2,'a',0", "9,3,'b',0", "5,4,'c',0"}, 10, "BCDocument 10"},
                      Allocation{"ExistingRow", {"3,2,'a',0", "4,1,'Eigene Definition',7", "9,3,'b',0"}, 4, "Eigene Definition"},
                      Allocation{"SeveralRowsForD", {"2,1,'Erste',0", "7,1,'Zweite',0", "9,3,'b',0"}, 2, "Erste"},
                      Allocation{"ExistingRowWithoutName", {"4,1,NULL,0"}, 4, ""})),
    [](const auto &info) {
        return std::string(backendName(std::get<0>(info.param))) + "_" + std::get<1>(info.param).name;
    });

TEST_P(Saving, SavedAreasAndBindingsLoadAgain)
{
    SaveArea a = area("Kunde", "100,100,200,150", "K.*");
    a.Definition.BCType = 16;
    a.Definition.Numeric = true;
    a.Definition.Code39StartStop = false;
    a.Definition.QuietZone = 3;
    ASSERT_EQ(save({area("eins", "0,0,10,10"), a, area("Ölfeld", "5,5,9,9")}, combos({3, 2, 0})).Outcome, SaveOutcome::Saved);

    ASSERT_TRUE(db.OpenDatabase(host.connectionString()));
    RecordingAreaSink sink;
    ASSERT_EQ(LoadAreaDefinitions(db, 5, sink), 3);
    EXPECT_EQ(sink.entries[1]->Name, QStringLiteral("Kunde"));
    EXPECT_EQ(sink.entries[1]->Pattern, QStringLiteral("K.*"));
    EXPECT_EQ(sink.entries[1]->BCType, 16);
    EXPECT_TRUE(sink.entries[1]->Numeric);
    EXPECT_FALSE(sink.entries[1]->Code39StartStop);
    EXPECT_EQ(sink.entries[1]->QuietZone, 3);
    EXPECT_EQ(sink.entries[2]->Name, QStringLiteral("Ölfeld"));
    EXPECT_EQ(sink.entries[0]->Pattern, QString());

    std::vector<std::pair<int, int>> selections;
    LoadFieldBindings(db, 5, 3, [&](std::int32_t c, std::int32_t k) { selections.emplace_back(c, k); });
    EXPECT_EQ(selections, (std::vector<std::pair<int, int>>{{0, 3}, {1, 2}}));
}

TEST_P(Saving, FailingToOpenShowsTheErrorBoxAndWritesNothing)
{
    const QStringList before = host.snapshot();
    ASSERT_TRUE(db.OpenDatabase(host.connectionString()));
    const QString missing = HostDatabase::connectionStringFor(missingSource(host));
    const SaveResult result = SaveDefinitions(db, missing, "5", fourAreas(), combos({1}));
    EXPECT_EQ(result.Outcome, SaveOutcome::OpenFailed);
    EXPECT_EQ(result.boxText(),
              QStringLiteral("Die Datenbank konnte nicht geöffnet werden! Die Daten konnten nicht gespeichert werden."));
    EXPECT_FALSE(db.isOpen());
    EXPECT_TRUE(statements.isEmpty());

    EXPECT_EQ(save(fourAreas(), combos({1}), QString()).Outcome, SaveOutcome::OpenFailed);
    EXPECT_TRUE(statements.isEmpty());
    EXPECT_EQ(host.snapshot(), before);
}

TEST_P(Saving, ADocumentNumberThatIsNoIntegerNeverReachesTheSql)
{
    const QStringList before = host.snapshot();
    for (const QString &d : {QStringLiteral("LB_DocID"), QStringLiteral("5 OR 1=1"), QStringLiteral("5; DELETE FROM Maske")}) {
        const SaveResult result = save(fourAreas(), combos({1}), d);
        expectFailedAndUnchanged(result, before, "'" + d + "'");
        EXPECT_TRUE(statements.isEmpty());
    }
}

TEST_P(Saving, AComboNameWithoutANumberFailsAndRollsBack)
{
    const QStringList before = host.snapshot();
    const SaveResult result = save(fourAreas(), {SaveCombo{"AdvTreeComboBoxElement_x", 1}});
    expectFailedAndUnchanged(result, before, "'x'");
    EXPECT_EQ(statements.last(), QStringLiteral("ROLLBACK"));
}

struct Fault
{
    Backend backend;
    const char *name;
    QStringList setUp;   // makes the third area's insert, or the commit, fail
    QString tearDown;
    int areaInserts;     // how far the save got
    bool reachedCommit;
};

void PrintTo(const Fault &f, std::ostream *os)
{
    *os << backendName(f.backend) << " " << f.name;
}

const QString ThirdAreaFunction = QStringLiteral(
    "CREATE FUNCTION third_area() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN IF NEW.AreaBCID = 3 THEN "
    "RAISE EXCEPTION 'dritter Bereich abgelehnt'; END IF; RETURN NEW; END $$");

QString sqliteThirdAreaTrigger(const char *mode)
{
    return QStringLiteral("CREATE TRIGGER third_area BEFORE INSERT ON BCAreas WHEN NEW.AreaBCID = 3 "
                          "BEGIN SELECT RAISE(%1, 'dritter Bereich abgelehnt'); END")
        .arg(QString::fromLatin1(mode));
}

class SaveFault : public ::testing::TestWithParam<Fault>
{
};

// Whether the statement is undone (ABORT), kept so far (FAIL), the whole
// transaction ended by the database (ROLLBACK), or the commit itself refused
// (a deferred check): in each case nothing may remain.
TEST_P(SaveFault, LeavesEveryTableAsBeforeAndTheRepeatedSaveGoesThrough)
{
    const Fault &fault = GetParam();
    HostDatabase host(fault.backend);
    host.exec(QStringLiteral("INSERT INTO BCDocuments VALUES (2, 5, 'Rechnungen', 0)"));
    host.exec(QStringLiteral("INSERT INTO BCAreas (AreaBCID, DocBCID, Name, BCArea) VALUES (1, 2, 'alt', '0,0,1,1')"));
    host.exec(QStringLiteral("INSERT INTO MaskLines (DocID, RowNo, BarcodeID, BCArea) VALUES (5, 1, 2, 1)"));
    for (const QString &statement : fault.setUp)
        host.exec(statement);
    const QStringList before = host.snapshot();
    const QList<SaveArea> areas{area("eins", "1,1,2,2"), area("zwei", "3,3,4,4"), area("drei", "5,5,6,6"),
                                area("vier", "7,7,8,8")};

    DefinitionDatabase db;
    QStringList statements;
    db.setStatementObserver([&](const QString &sql) { statements << sql; });
    const SaveResult result = SaveDefinitions(db, host.connectionString(), "5", areas, combos({1, 2}));
    EXPECT_EQ(result.Outcome, SaveOutcome::Failed);
    EXPECT_TRUE(result.ErrorText.contains(QStringLiteral("dritter Bereich abgelehnt"))) << result.ErrorText.toStdString();
    EXPECT_EQ(result.boxText(), QStringLiteral("Es sind Fehler beim Speichern aufgetreten:\r\n") + result.ErrorText);
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(host.snapshot(), before);
    EXPECT_EQ(statements.filter("INSERT INTO BCAreas").size(), fault.areaInserts);
    EXPECT_EQ(statements.contains(QStringLiteral("COMMIT")), fault.reachedCommit);
    EXPECT_EQ(statements.last(), QStringLiteral("ROLLBACK"));

    host.exec(fault.tearDown);
    ASSERT_EQ(SaveDefinitions(db, host.connectionString(), "5", areas, combos({1, 2})).Outcome, SaveOutcome::Saved);
    EXPECT_EQ(host.rows("SELECT AreaBCID, Name FROM BCAreas WHERE DocBCID = 2 ORDER BY AreaBCID"),
              (QStringList{"1|eins", "2|zwei", "3|drei", "4|vier"}));
    EXPECT_EQ(host.rows("SELECT BarcodeID, BCArea FROM MaskLines"), QStringList{"2|1"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveFault,
    ::testing::Values(
        Fault{Backend::Sqlite, "Abort", {sqliteThirdAreaTrigger("ABORT")}, "DROP TRIGGER third_area", 3, false},
        Fault{Backend::Sqlite, "Fail", {sqliteThirdAreaTrigger("FAIL")}, "DROP TRIGGER third_area", 3, false},
        Fault{Backend::Sqlite, "Rollback", {sqliteThirdAreaTrigger("ROLLBACK")}, "DROP TRIGGER third_area", 3, false},
        Fault{Backend::Postgres, "Raise",
              {ThirdAreaFunction,
               "CREATE TRIGGER third_area BEFORE INSERT ON BCAreas FOR EACH ROW EXECUTE FUNCTION third_area()"},
              "DROP TRIGGER third_area ON BCAreas", 3, false},
        Fault{Backend::Postgres, "AtCommit",
              {ThirdAreaFunction, "CREATE CONSTRAINT TRIGGER third_area AFTER INSERT ON BCAreas DEFERRABLE "
                                  "INITIALLY DEFERRED FOR EACH ROW EXECUTE FUNCTION third_area()"},
              "DROP TRIGGER third_area ON BCAreas", 4, true}),
    [](const auto &info) { return std::string(backendName(info.param.backend)) + info.param.name; });

TEST_P(SavingOnSqlite, ADatabaseTurningReadOnlyMidwayLeavesEveryTableAsBefore)
{
    const QStringList before = host.snapshot();
    int areaInserts = 0;
    onStatement = [&](const QString &sql) {
        if (sql.startsWith(QStringLiteral("INSERT INTO BCAreas")) && ++areaInserts == 3) {
            QSqlQuery query(QSqlDatabase::database(db.connectionName(), false));
            ASSERT_TRUE(query.exec(QStringLiteral("PRAGMA query_only = 1")));
        }
    };
    expectFailedAndUnchanged(save(fourAreas(), combos({1})), before, "readonly");
}

TEST_P(SavingOnSqlite, AReadOnlyFileFailsCleanly)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "file permissions do not bind root";
    const QStringList before = host.snapshot();
    ASSERT_TRUE(QFile::setPermissions(host.path(), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    const SaveResult result = save(fourAreas(), combos({1}));
    QFile::setPermissions(host.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    expectFailedAndUnchanged(result, before, "readonly");
}

TEST_P(SavingOnSqlite, AFailedCommitRollsBack)
{
    // A reader in the middle of its transaction keeps the writer from
    // committing (rollback journal): the commit runs out of its wait.
    db.setBusyTimeout(200);
    const QStringList before = host.snapshot();
    host.exec(QStringLiteral("BEGIN"));
    host.rows(QStringLiteral("SELECT * FROM BCDocuments"));
    const SaveResult result = save(fourAreas(), combos({1}));
    host.exec(QStringLiteral("COMMIT"));
    expectFailedAndUnchanged(result, before, "locked");
    ASSERT_GE(statements.size(), 2);
    EXPECT_EQ(statements.mid(statements.size() - 2), (QStringList{"COMMIT", "ROLLBACK"}));
}

TEST_P(SavingOnSqlite, AWriteLockHeldElsewhereMakesTheSaveWaitThenFailCleanly)
{
    db.setBusyTimeout(300);
    const QStringList before = host.snapshot();
    host.exec(QStringLiteral("BEGIN IMMEDIATE"));
    QElapsedTimer timer;
    timer.start();
    const SaveResult result = save(fourAreas(), combos({1}));
    const qint64 waited = timer.elapsed();
    host.exec(QStringLiteral("ROLLBACK"));
    expectFailedAndUnchanged(result, before, "locked");
    EXPECT_GE(waited, 250);
}

TEST_P(SavingOnSqlite, AWriteLockReleasedWithinTheWaitLetsTheSaveThrough)
{
    std::promise<void> locked;
    std::thread other([&, path = host.path()] {
        {
            QSqlDatabase c = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other_writer"));
            c.setDatabaseName(path);
            c.open();
            QSqlQuery q(c);
            q.exec(QStringLiteral("BEGIN IMMEDIATE"));
            q.exec(QStringLiteral("UPDATE Maske SET EloID = 18 WHERE DocID = 5"));
            locked.set_value();
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            q.exec(QStringLiteral("COMMIT"));
            c.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("other_writer"));
    });
    locked.get_future().wait();
    const SaveResult result = save(fourAreas(), combos({1}));
    other.join();
    ASSERT_EQ(result.Outcome, SaveOutcome::Saved) << result.ErrorText.toStdString();
    EXPECT_EQ(host.scalar("SELECT EloID FROM Maske WHERE DocID = 5").toInt(), 18);
    EXPECT_EQ(host.scalar("SELECT COUNT(*) FROM BCAreas WHERE DocBCID = 2").toInt(), 4);
}

} // namespace
