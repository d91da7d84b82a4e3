#include "AppError.h"
#include "DefinitionLoading.h"
#include "HostDatabase.h"
#include "QtPrinters.h"
#include "RecordingAreaSink.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

const QString AreaColumns = QStringLiteral(
    "AreaBCID, DocBCID, Name, BCArea, BCType, BCDirection, MinLen, MaxLen, AllowDuplicate, Code39Checksum, "
    "Code39StartStop, [Numeric], ConvertUPCE, ErrorCorrection, ExtendedC39, ShowCheckDig, OverSampling, LineJump, "
    "ColorThreshold, MinSpaceBar, QuietZone, NoiseReduction, SkewTolerance, Pattern");

struct MalformedRow
{
    Backend backend;
    const char *column;
    const char *value; // SQL literal stored in row 1 of three
    bool entryShown;   // the failure comes after the entry's caption was set
};

void PrintTo(const MalformedRow &row, std::ostream *os)
{
    *os << backendName(row.backend) << " " << row.column << "=" << row.value;
}

Backend backendOf(Backend backend)
{
    return backend;
}

Backend backendOf(const MalformedRow &row)
{
    return row.backend;
}

// Every case runs on each backend the parameter names.
template <typename Param>
class LoadingWith : public ::testing::TestWithParam<Param>
{
protected:
    void SetUp() override
    {
        host.exec(QStringLiteral("INSERT INTO BCDocuments VALUES (3, 5, 'BCDocument 3', 0)"));
        host.exec(QStringLiteral("INSERT INTO BCDocuments VALUES (4, 6, 'BCDocument 4', 0)"));
        ASSERT_TRUE(db.OpenDatabase(host.connectionString()));
    }
    void addArea(const QString &values) { host.exec(QStringLiteral("INSERT INTO BCAreas (%1) VALUES (%2)").arg(AreaColumns, values)); }
    void addPlainArea(int areaBCID, int docBCID, const QString &name, const QString &areaText)
    {
        host.exec(QStringLiteral("INSERT INTO BCAreas (AreaBCID, DocBCID, Name, BCArea) VALUES (%1, %2, '%3', '%4')")
                      .arg(areaBCID)
                      .arg(docBCID)
                      .arg(name, areaText));
    }

    HostDatabase host{backendOf(this->GetParam())};
    DefinitionDatabase db;
    RecordingAreaSink sink;
};

using Loading = LoadingWith<Backend>;
INSTANTIATE_TEST_SUITE_P(Backends, Loading, ::testing::Values(Backend::Sqlite, Backend::Postgres), BackendName());

TEST_P(Loading, ADocumentTypeWithoutAreasLoadsNothing)
{
    addPlainArea(1, 4, QStringLiteral("fremd"), QStringLiteral("0,0,10,10"));
    EXPECT_EQ(LoadAreaDefinitions(db, 5, sink), 0);
    EXPECT_EQ(LoadAreaDefinitions(db, 99, sink), 0);
    EXPECT_TRUE(sink.log.isEmpty());
}

TEST_P(Loading, RowsBecomeEntriesAndHighlightBoxesInStoredOrder)
{
    addArea(QStringLiteral("1, 3, 'Kunde', '100,200,300,400', 2, 4, 3, 20, 0, 1, 0, 1, 0, 1, 1, 1, 1, 7, 99, 2, 12, "
                           "3, 4, 'K[0-9]+'"));
    addPlainArea(2, 3, QStringLiteral("Datum"), QStringLiteral("0,0,1000,1000"));
    addPlainArea(1, 4, QStringLiteral("fremd"), QStringLiteral("0,0,10,10"));
    addPlainArea(3, 3, QStringLiteral("O''Brien"), QStringLiteral("500,500,510,520"));

    EXPECT_EQ(LoadAreaDefinitions(db, 5, sink), 3);
    EXPECT_EQ(sink.log, (QStringList{
                            "entry", "show Kunde|100,200,300,400|K[0-9]+", "box mode", "object 200,200,400,200",
                            "entry", "show Datum|0,0,1000,1000|", "box mode", "object 0,0,2000,1000",
                            "entry", "show O'Brien|500,500,510,520|", "box mode", "object 1000,500,20,20"}));

    ASSERT_EQ(sink.entries.size(), 3u);
    const TOCRField &k = *sink.entries[0];
    EXPECT_EQ(k.ObjectHandle, 0);
    EXPECT_EQ(k.Name, QStringLiteral("Kunde"));
    EXPECT_EQ(k.BCArea, QStringLiteral("100,200,300,400"));
    EXPECT_EQ(k.Pattern, QStringLiteral("K[0-9]+"));
    EXPECT_EQ((std::vector{k.BCType, k.BCDirection, k.MinLen, k.MaxLen, k.LineJump, k.ColorThreshold, k.MinSpaceBar,
                           k.QuietZone, k.NoiseReduction, k.SkewTolerance}),
              (std::vector{2, 4, 3, 20, 7, 99, 2, 12, 3, 4}));
    EXPECT_EQ((std::vector{k.AllowDuplicate, k.Code39Checksum, k.Code39StartStop, k.Numeric, k.ConvertUPCE,
                           k.ErrorCorrection, k.ExtendedC39, k.ShowCheckDig, k.OverSampling}),
              (std::vector{false, true, false, true, false, true, true, true, true}));
    EXPECT_EQ(sink.entries[1]->ObjectHandle, 1);
    EXPECT_EQ(sink.entries[2]->ObjectHandle, 2);
    EXPECT_EQ(sink.entries[2]->Name, QStringLiteral("O'Brien"));
}

TEST_P(Loading, WithoutAPageAreasAreListedWithoutObjectsButStillChecked)
{
    sink.pageSize = {};
    addPlainArea(1, 3, QStringLiteral("gut"), QStringLiteral("0,0,500,500"));
    addPlainArea(2, 3, QStringLiteral("schlecht"), QStringLiteral("0,0,10"));

    EXPECT_THROW(LoadAreaDefinitions(db, 5, sink), ConversionError);
    EXPECT_EQ(sink.log, (QStringList{"entry", "show gut|0,0,500,500|", "box mode", "entry",
                                     "show schlecht|0,0,10|", "box mode"}));
    ASSERT_EQ(sink.entries.size(), 2u);
    EXPECT_EQ(sink.entries[0]->ObjectHandle, -1);
    EXPECT_EQ(sink.objects, 0);
}

TEST_P(Loading, ReadsWithTheHostsStatementsLetterForLetter)
{
    QStringList statements;
    db.setStatementObserver([&](const QString &sql) { statements << sql; });
    LoadAreaDefinitions(db, -7, sink);
    LoadFieldBindings(db, -7, 3, [](std::int32_t, std::int32_t) {});
    EXPECT_EQ(statements,
              (QStringList{"SELECT BCAreas.* FROM BCDocuments INNER JOIN BCAreas ON BCDocuments.DocBCID = BCAreas.DocBCID "
                           "WHERE (((BCDocuments.DocID)=-7));",
                           "SELECT MaskLines.RowNo, Maske.EloID, BCAreas.Name, MaskLines.BCArea, BCAreas.DocBCID,  "
                           "BCAreas.AreaBCID from BCDocuments, BCAreas, Maske, MaskLines where "
                           "BCDocuments.DocBCID=BCAreas.DocBCID and BCDocuments.DocID=-7 and Maske.DocID=-7 and "
                           "MaskLines.DocID=-7 and MaskLines.BCArea=BCAreas.AreaBCID order by MaskLines.RowNo"}));
}

TEST_P(Loading, NullColumnsKeepTheDefinitionsDefaults)
{
    addPlainArea(1, 3, QStringLiteral("a"), QStringLiteral("0,0,1,1"));
    addPlainArea(2, 3, QStringLiteral("b"), QStringLiteral("0,0,1,1"));
    host.exec(QStringLiteral("INSERT INTO BCAreas (AreaBCID, DocBCID, Name, BCArea) VALUES (3, 3, NULL, '0,0,1,1')"));
    host.exec(QStringLiteral("INSERT INTO BCAreas (AreaBCID, DocBCID, Name, BCArea) VALUES (4, 3, '', '0,0,1,1')"));

    ASSERT_EQ(LoadAreaDefinitions(db, 5, sink), 4);
    for (int i : {2, 3}) {
        const TOCRField &f = *sink.entries[i];
        TOCRField expected(i);
        EXPECT_EQ(f.Name, QStringLiteral("%1 Barcode-Bereich").arg(i));
        EXPECT_EQ(f.Pattern, QString());
        EXPECT_EQ(f.QuietZone, 10);
        EXPECT_TRUE(f.Code39StartStop);
        EXPECT_EQ((std::vector{f.BCType, f.BCDirection, f.MinLen, f.MaxLen, f.LineJump, f.ColorThreshold,
                               f.MinSpaceBar, f.NoiseReduction, f.SkewTolerance}),
                  (std::vector{expected.BCType, expected.BCDirection, expected.MinLen, expected.MaxLen,
                               expected.LineJump, expected.ColorThreshold, expected.MinSpaceBar,
                               expected.NoiseReduction, expected.SkewTolerance}));
        EXPECT_EQ((std::vector{f.AllowDuplicate, f.Code39Checksum, f.Numeric, f.ConvertUPCE, f.ErrorCorrection,
                               f.ExtendedC39, f.ShowCheckDig, f.OverSampling}),
                  (std::vector{expected.AllowDuplicate, expected.Code39Checksum, expected.Numeric,
                               expected.ConvertUPCE, expected.ErrorCorrection, expected.ExtendedC39,
                               expected.ShowCheckDig, expected.OverSampling}));
    }
    EXPECT_TRUE(sink.log.contains(QStringLiteral("show 2 Barcode-Bereich|0,0,1,1|")));
}

using MalformedArea = LoadingWith<MalformedRow>;

TEST_P(MalformedArea, StopsTheLoadAtThatRow)
{
    addPlainArea(1, 3, QStringLiteral("gut"), QStringLiteral("0,0,500,500"));
    addPlainArea(2, 3, QStringLiteral("schlecht"), QStringLiteral("0,0,10,10"));
    addPlainArea(3, 3, QStringLiteral("danach"), QStringLiteral("0,0,20,20"));
    host.exec(QStringLiteral("UPDATE BCAreas SET %1 = %2 WHERE AreaBCID = 2")
                  .arg(QString::fromLatin1(GetParam().column), QString::fromLatin1(GetParam().value)));

    EXPECT_THROW(LoadAreaDefinitions(db, 5, sink), ConversionError);

    QStringList expected{"entry", "show gut|0,0,500,500|", "box mode", "object 0,0,1000,500", "entry"};
    if (GetParam().entryShown)
        expected << QStringLiteral("show schlecht|%1|").arg(sink.entries[1]->BCArea) << "box mode";
    EXPECT_EQ(sink.log, expected);
    EXPECT_EQ(sink.entries.size(), 2u);
    EXPECT_EQ(sink.objects, 1);
}

// A server's integer column holds only integers: the malformed values there
// are coordinate texts.
std::vector<MalformedRow> malformedRows()
{
    std::vector<MalformedRow> rows;
    for (const Backend b : {Backend::Sqlite, Backend::Postgres}) {
        rows.insert(rows.end(), {MalformedRow{b, "BCArea", "NULL", true}, MalformedRow{b, "BCArea", "''", true},
                                 MalformedRow{b, "BCArea", "'1,2,3'", true}, MalformedRow{b, "BCArea", "'1,2,x,4'", true},
                                 MalformedRow{b, "BCArea", "'1,2,3,99999999999'", true}});
    }
    rows.insert(rows.end(), {MalformedRow{Backend::Sqlite, "MinLen", "'zwei'", false},
                             MalformedRow{Backend::Sqlite, "QuietZone", "4294967296", false},
                             MalformedRow{Backend::Sqlite, "SkewTolerance", "1.5", false},
                             MalformedRow{Backend::Sqlite, "OverSampling", "'vielleicht'", false}});
    return rows;
}

INSTANTIATE_TEST_SUITE_P(Cases, MalformedArea, ::testing::ValuesIn(malformedRows()), [](const auto &info) {
    return std::string(backendName(info.param.backend)) + "_" + info.param.column + "_" + std::to_string(info.index);
});

TEST_P(Loading, AMissingColumnFailsAtTheFirstRow)
{
    addPlainArea(1, 3, QStringLiteral("a"), QStringLiteral("0,0,1,1"));
    host.exec(QStringLiteral("ALTER TABLE BCAreas DROP COLUMN Pattern"));
    try {
        LoadAreaDefinitions(db, 5, sink);
        FAIL() << "no error raised";
    } catch (const AppError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Feld 'Pattern' nicht gefunden"));
    }
    EXPECT_EQ(sink.log, QStringList{"entry"});
}

using Selection = std::pair<std::int32_t, std::int32_t>;

class Bindings : public Loading
{
protected:
    void SetUp() override
    {
        Loading::SetUp();
        for (int i = 1; i <= 3; ++i)
            addPlainArea(i, 3, QStringLiteral("b%1").arg(i), QStringLiteral("0,0,1,1"));
        addPlainArea(1, 4, QStringLiteral("fremd"), QStringLiteral("0,0,1,1"));
    }
    void addLine(const QString &docId, const QString &rowNo, int bcArea)
    {
        host.exec(QStringLiteral("INSERT INTO MaskLines (DocID, RowNo, BarcodeID, BCArea) VALUES (%1, %2, 3, %3)")
                      .arg(docId, rowNo)
                      .arg(bcArea));
    }
    std::vector<Selection> load(std::int32_t fieldCount)
    {
        std::vector<Selection> selections;
        LoadFieldBindings(db, 5, fieldCount, [&](std::int32_t combo, std::int32_t area) { selections.emplace_back(combo, area); });
        return selections;
    }
};

TEST_P(Bindings, SelectTheStoredAreaInTheComboOfEachFieldInRange)
{
    host.exec(QStringLiteral("INSERT INTO Maske (DocID, EloID) VALUES (5, 17)"));
    addLine("5", "4", 1);  // beyond the mask's fields
    addLine("5", "3", 3);
    addLine("5", "2", 0);  // no barcode field: no area 0 to join
    addLine("5", "1", 2);
    addLine("5", "0", 1);  // no combo before the first
    addLine("5", "-2147483648", 1);
    addLine("6", "2", 1);  // another document type
    EXPECT_EQ(load(3), (std::vector<Selection>{{0, 2}, {2, 3}}));
    EXPECT_EQ(load(0), std::vector<Selection>{});
}

TEST_P(Bindings, DependOnTheMaskeRowOfTheDocumentType)
{
    addLine("5", "1", 2);
    EXPECT_TRUE(load(3).empty());
    host.exec(QStringLiteral("INSERT INTO Maske (DocID, EloID) VALUES (5, 17)"));
    host.exec(QStringLiteral("INSERT INTO Maske (DocID, EloID) VALUES (5, 18)"));
    EXPECT_EQ(load(3), (std::vector<Selection>{{0, 2}, {0, 2}}));
}

INSTANTIATE_TEST_SUITE_P(Backends, Bindings, ::testing::Values(Backend::Sqlite, Backend::Postgres), BackendName());

// Only SQLite stores text in an integer column.
using BindingsOnSqlite = Bindings;
INSTANTIATE_TEST_SUITE_P(Sqlite, BindingsOnSqlite, ::testing::Values(Backend::Sqlite), BackendName());

TEST_P(BindingsOnSqlite, ARowNoThatIsNoIntegerStopsAfterTheSelectionsBeforeIt)
{
    host.exec(QStringLiteral("INSERT INTO Maske (DocID, EloID) VALUES (5, 17)"));
    addLine("5", "1", 2);
    addLine("5", "'zwei'", 1);
    std::vector<Selection> selections;
    EXPECT_THROW(LoadFieldBindings(db, 5, 3, [&](std::int32_t c, std::int32_t a) { selections.emplace_back(c, a); }),
                 ConversionError);
    EXPECT_EQ(selections, (std::vector<Selection>{{0, 2}}));
}

} // namespace
