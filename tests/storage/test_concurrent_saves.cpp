// Several tools saving into one server database at the same time.
#include "DefinitionLoading.h"
#include "HostDatabase.h"
#include "QtPrinters.h"
#include "RecordingAreaSink.h"
#include "SaveDefinitions.h"

#include <QMap>
#include <QSet>
#include <gtest/gtest.h>
#include <latch>
#include <thread>
#include <vector>

namespace {

SaveArea area(const QString &name)
{
    SaveArea a{name, QStringLiteral("10,10,20,20"), TOCRField(0)};
    a.Definition.Name = name;
    a.Definition.BCArea = a.AreaText;
    return a;
}

QList<SaveArea> areasNamed(const QString &prefix, int count)
{
    QList<SaveArea> list;
    for (int i = 1; i <= count; ++i)
        list << area(QStringLiteral("%1-%2").arg(prefix).arg(i));
    return list;
}

QList<SaveCombo> combosFor(int fieldCount, int areaCount)
{
    QList<SaveCombo> list;
    for (int k = 0; k < fieldCount; ++k)
        list << SaveCombo{QStringLiteral("AdvTreeComboBoxElement_%1").arg(k), (k + 1) % (areaCount + 1)};
    return list;
}

constexpr int SharedDoc = 100;
constexpr int SharedFields = 3;
constexpr int NewFields = 2;
constexpr int Tools = 4;
constexpr int Rounds = 6;

int newDocOf(int tool, int round)
{
    return 1000 + tool * 100 + round;
}

int sharedAreaCount(int tool, int round)
{
    return 1 + (tool + round) % 4;
}

class ConcurrentSaves : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Another document type that no tool touches.
        host.exec(QStringLiteral("INSERT INTO BCDocuments VALUES (7, 8, 'fremd', 0)"));
        host.exec(QStringLiteral("INSERT INTO BCAreas (AreaBCID, DocBCID, Name, BCArea) VALUES (1, 7, 'fremd', '0,0,1,1')"));
        host.exec(QStringLiteral("INSERT INTO MaskLines (DocID, RowNo, BarcodeID, BCArea) VALUES (8, 1, 7, 1)"));
        for (int row = 1; row <= SharedFields; ++row)
            host.exec(QStringLiteral("INSERT INTO MaskLines (DocID, RowNo) VALUES (%1, %2)").arg(SharedDoc).arg(row));
        for (int tool = 0; tool < Tools; ++tool)
            for (int round = 0; round < Rounds; ++round)
                for (int row = 1; row <= NewFields; ++row)
                    host.exec(QStringLiteral("INSERT INTO MaskLines (DocID, RowNo) VALUES (%1, %2)")
                                  .arg(newDocOf(tool, round))
                                  .arg(row));
    }

    // The document type's areas as "AreaBCID|Name" in AreaBCID order.
    QStringList areasOf(int docId)
    {
        return host.rows(QStringLiteral("SELECT A.AreaBCID, A.Name FROM BCAreas A JOIN BCDocuments D ON A.DocBCID = "
                                        "D.DocBCID WHERE D.DocID = %1 ORDER BY A.AreaBCID")
                             .arg(docId));
    }
    QStringList expectedAreas(const QString &prefix, int count)
    {
        QStringList rows;
        for (int i = 1; i <= count; ++i)
            rows << QStringLiteral("%1|%2-%1").arg(i).arg(prefix);
        return rows;
    }
    // MaskLines of the document type as "RowNo|BarcodeID|BCArea".
    QStringList linesOf(int docId)
    {
        return host.rows(QStringLiteral("SELECT RowNo, BarcodeID, BCArea FROM MaskLines WHERE DocID = %1 ORDER BY RowNo").arg(docId));
    }
    QStringList expectedLines(int docBCID, int fieldCount, int areaCount)
    {
        QStringList rows;
        for (int row = 1; row <= fieldCount; ++row)
            rows << QStringLiteral("%1|%2|%3").arg(row).arg(docBCID).arg(row % (areaCount + 1));
        return rows;
    }
    int docBCIDOf(int docId)
    {
        return host.scalar(QStringLiteral("SELECT DocBCID FROM BCDocuments WHERE DocID = %1").arg(docId)).toInt();
    }

    HostDatabase host{Backend::Postgres};
};

TEST_F(ConcurrentSaves, NeverDuplicateMixOrLoseRows)
{
    // Each tool, on its own thread and connection, saves the shared document
    // type and then a document type of its own that is new, all starting
    // together, round after round.
    std::vector<std::vector<SaveResult>> results(Tools);
    std::latch start(Tools);
    std::vector<std::thread> tools;
    for (int tool = 0; tool < Tools; ++tool) {
        tools.emplace_back([&, tool, connection = host.connectionString()] {
            DefinitionDatabase db;
            start.arrive_and_wait();
            for (int round = 0; round < Rounds; ++round) {
                const int count = sharedAreaCount(tool, round);
                results[tool].push_back(SaveDefinitions(db, connection, QString::number(SharedDoc),
                                                        areasNamed(QStringLiteral("t%1r%2").arg(tool).arg(round), count),
                                                        combosFor(SharedFields, count)));
                results[tool].push_back(SaveDefinitions(db, connection, QString::number(newDocOf(tool, round)),
                                                        areasNamed(QStringLiteral("neu%1").arg(newDocOf(tool, round)), 2),
                                                        combosFor(NewFields, 2)));
            }
        });
    }
    for (std::thread &t : tools)
        t.join();

    // Saves wait for each other instead of failing.
    for (int tool = 0; tool < Tools; ++tool)
        for (const SaveResult &r : results[tool])
            EXPECT_EQ(r.Outcome, SaveOutcome::Saved) << "tool " << tool << ": " << r.ErrorText.toStdString();

    // One row per document type, distinct DocBCIDs, no area without its row.
    EXPECT_EQ(host.rows("SELECT DocID FROM BCDocuments GROUP BY DocID HAVING COUNT(*) > 1"), QStringList{});
    EXPECT_EQ(host.scalar("SELECT COUNT(*) FROM BCDocuments").toInt(), 2 + Tools * Rounds);
    EXPECT_EQ(host.scalar("SELECT COUNT(DISTINCT DocBCID) FROM BCDocuments").toInt(), 2 + Tools * Rounds);
    EXPECT_EQ(host.scalar("SELECT COUNT(*) FROM BCAreas WHERE DocBCID NOT IN (SELECT DocBCID FROM BCDocuments)").toInt(), 0);
    EXPECT_EQ(host.rows("SELECT DocBCID, AreaBCID FROM BCAreas GROUP BY DocBCID, AreaBCID HAVING COUNT(*) > 1"), QStringList{});

    // Every new document type holds exactly its own save.
    QSet<int> ids{7};
    int areaRows = 1;
    for (int tool = 0; tool < Tools; ++tool) {
        for (int round = 0; round < Rounds; ++round) {
            const int docId = newDocOf(tool, round);
            const int id = docBCIDOf(docId);
            ids << id;
            EXPECT_EQ(areasOf(docId), expectedAreas(QStringLiteral("neu%1").arg(docId), 2)) << docId;
            EXPECT_EQ(linesOf(docId), expectedLines(id, NewFields, 2)) << docId;
            areaRows += 2;
        }
    }

    // The shared document type holds one save whole: areas and bindings of
    // the same tool and round, under the one DocBCID.
    const QStringList shared = areasOf(SharedDoc);
    ASSERT_FALSE(shared.isEmpty());
    const QString winner = shared.first().section(u'|', 1).section(u'-', 0, 0);
    const int tool = winner.mid(1, winner.indexOf(u'r') - 1).toInt();
    const int round = winner.mid(winner.indexOf(u'r') + 1).toInt();
    const int count = sharedAreaCount(tool, round);
    EXPECT_EQ(shared, expectedAreas(winner, count));
    const int sharedId = docBCIDOf(SharedDoc);
    ids << sharedId;
    EXPECT_EQ(linesOf(SharedDoc), expectedLines(sharedId, SharedFields, count));
    areaRows += count;

    EXPECT_EQ(ids.size(), 2 + Tools * Rounds);
    EXPECT_EQ(host.scalar("SELECT COUNT(*) FROM BCAreas").toInt(), areaRows);
    EXPECT_EQ(areasOf(8), QStringList{"1|fremd"});
    EXPECT_EQ(linesOf(8), QStringList{"1|7|1"});
}

// One tool is in the middle of its save when a second one saves: the second
// waits for the lock, runs out of its wait, leaves nothing behind and shows
// the server's reason; a reader sees the state before the first save, never a
// half of it; the second save goes through when repeated.
TEST_F(ConcurrentSaves, TheSaveThatLosesRollsBackAndSucceedsWhenRepeated)
{
    ASSERT_EQ(SaveDefinitions(*std::make_unique<DefinitionDatabase>(), host.connectionString(), "100",
                              areasNamed(QStringLiteral("alt"), 2), combosFor(SharedFields, 2))
                  .Outcome,
              SaveOutcome::Saved);
    const QStringList before = host.snapshot();

    DefinitionDatabase first;
    DefinitionDatabase second;
    second.setBusyTimeout(300);
    SaveResult lost;
    std::int32_t readDuringSave = -1;
    QStringList namesDuringSave;
    first.setStatementObserver([&](const QString &sql) {
        if (!sql.startsWith(QStringLiteral("INSERT INTO BCAreas (AreaBCID")) || lost.Outcome != SaveOutcome::OpenFailed)
            return;
        lost = SaveDefinitions(second, host.connectionString(), "1001", areasNamed(QStringLiteral("neu"), 1),
                               combosFor(NewFields, 1));
        EXPECT_EQ(host.snapshot(), before);
        DefinitionDatabase reader;
        ASSERT_TRUE(reader.OpenDatabase(host.connectionString()));
        RecordingAreaSink sink;
        readDuringSave = LoadAreaDefinitions(reader, SharedDoc, sink);
        for (const auto &entry : sink.entries)
            namesDuringSave << entry->Name;
    });
    ASSERT_EQ(SaveDefinitions(first, host.connectionString(), "100", areasNamed(QStringLiteral("neu"), 3),
                              combosFor(SharedFields, 3))
                  .Outcome,
              SaveOutcome::Saved);

    EXPECT_EQ(lost.Outcome, SaveOutcome::Failed);
    EXPECT_TRUE(lost.ErrorText.contains(QStringLiteral("lock timeout"))) << lost.ErrorText.toStdString();
    EXPECT_EQ(lost.boxText(), QStringLiteral("Es sind Fehler beim Speichern aufgetreten:\r\n") + lost.ErrorText);
    EXPECT_FALSE(second.inTransaction());
    EXPECT_EQ(readDuringSave, 2);
    EXPECT_EQ(namesDuringSave, (QStringList{"alt-1", "alt-2"}));
    EXPECT_EQ(host.scalar("SELECT COUNT(*) FROM BCDocuments WHERE DocID = 1001").toInt(), 0);

    ASSERT_EQ(SaveDefinitions(second, host.connectionString(), "1001", areasNamed(QStringLiteral("neu"), 1),
                              combosFor(NewFields, 1))
                  .Outcome,
              SaveOutcome::Saved);
    EXPECT_EQ(areasOf(SharedDoc), expectedAreas(QStringLiteral("neu"), 3));
    EXPECT_EQ(areasOf(1001), expectedAreas(QStringLiteral("neu"), 1));
    EXPECT_EQ(docBCIDOf(1001), docBCIDOf(SharedDoc) + 1);
    EXPECT_EQ(linesOf(1001), expectedLines(docBCIDOf(1001), NewFields, 1));
}

} // namespace
