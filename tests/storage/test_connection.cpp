#include "ConnectionString.h"
#include "DefinitionDatabase.h"
#include "HostDatabase.h"
#include "QtPrinters.h"
#include "AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

struct ParseCase
{
    const char *text;
    bool parses;
    const char *dataSource;
    const char *password;
};

class ConnectionStringParse : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(ConnectionStringParse, TakesThePathBetweenTheKeys)
{
    const ParseCase &c = GetParam();
    const auto parsed = ConnectionString::parse(QString::fromUtf8(c.text));
    ASSERT_EQ(parsed.has_value(), c.parses);
    if (c.parses) {
        EXPECT_EQ(parsed->DataSource, QString::fromUtf8(c.dataSource));
        EXPECT_EQ(parsed->Password, QString::fromUtf8(c.password));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConnectionStringParse,
    ::testing::Values(
        ParseCase{"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/data/host.db;Jet OLEDB:Database Password=kqm2961TZ*$=8vw",
                  true, "/data/host.db", "kqm2961TZ*$=8vw"},
        ParseCase{"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/a;b=c/Data Source=x.db;Jet OLEDB:Database Password=pw",
                  true, "/a;b=c/Data Source=x.db", "pw"},
        ParseCase{"Provider=P;Data Source=/p;Jet OLEDB:Database Password=q.db;Jet OLEDB:Database Password=pw", true,
                  "/p;Jet OLEDB:Database Password=q.db", "pw"},
        ParseCase{"Provider=P;Data Source=/ümlaut Ordner/XXX.db;Jet OLEDB:Database Password=", true,
                  "/ümlaut Ordner/XXX.db", ""},
        // The label's design caption: no /C was given.
        ParseCase{"LB_ConnectionString", false, "", ""},
        ParseCase{"Provider=P;Data Source=;Jet OLEDB:Database Password=pw", false, "", ""},
        ParseCase{"Provider=P;Data Source=/x.db", false, "", ""},
        ParseCase{"Jet OLEDB:Database Password=pw;Data Source=/x.db", false, "", ""},
        ParseCase{"", false, "", ""}));

TEST(OpenDatabase, OpensAHostDatabaseAtAPathWithSeparatorsAndUmlauts)
{
    HostDatabase host(QStringLiteral("a;b=c d ü?#%20.db"));
    host.exec(QStringLiteral("INSERT INTO Maske (DocID, EloID) VALUES (5, 1)"));
    DefinitionDatabase db;
    ASSERT_TRUE(db.OpenDatabase(host.connectionString()));
    db.DS_Einstellungen().setCommandText(QStringLiteral("SELECT EloID FROM Maske WHERE DocID = 5"));
    db.DS_Einstellungen().open();
    EXPECT_EQ(db.DS_Einstellungen().asInteger(QStringLiteral("EloID")), 1);
    // The file opened is the one named, not a new one beside it.
    EXPECT_EQ(QDir(host.dir()).entryList(QDir::Files).filter(QStringLiteral(".db")).size(), 1);
}

TEST(OpenDatabase, FailsWithoutRaisingOrCreatingForSourcesItCannotOpen)
{
    HostDatabase host;
    const QString missing = host.dir() + QStringLiteral("/missing.db");
    const QString text = host.dir() + QStringLiteral("/text.db");
    const QString empty = host.dir() + QStringLiteral("/empty.db");
    {
        QFile f(text);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Standard Jet DB, not SQLite at all");
    }
    {
        QFile f(empty);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const QStringList connectionStrings{
        HostDatabase::connectionStringFor(missing),
        HostDatabase::connectionStringFor(text),
        HostDatabase::connectionStringFor(empty),
        HostDatabase::connectionStringFor(host.dir()),
        QStringLiteral("LB_ConnectionString"),
        QString(),
    };
    for (const QString &cs : connectionStrings) {
        DefinitionDatabase db;
        EXPECT_FALSE(db.OpenDatabase(cs)) << cs.toStdString();
        EXPECT_FALSE(db.isOpen());
        EXPECT_THROW(db.ExecuteStatement(QStringLiteral("DELETE FROM Maske")), AppError);
    }
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_EQ(QFileInfo(empty).size(), 0);
}

TEST(OpenDatabase, SwitchesForeignKeysOnSoThatAreasGoWithTheirDocument)
{
    HostDatabase host;
    host.exec(QStringLiteral("INSERT INTO BCDocuments (DocBCID, DocID, Name, AdrID) VALUES (1, 5, 'a', 0)"));
    host.exec(QStringLiteral("INSERT INTO BCAreas (AreaBCID, DocBCID, BCArea) VALUES (1, 1, '0,0,1,1')"));
    DefinitionDatabase db;
    ASSERT_TRUE(db.OpenDatabase(host.connectionString()));
    db.ExecuteStatement(QStringLiteral("DELETE FROM  BCDocuments WHERE DocID = 5"));
    EXPECT_EQ(host.scalar(QStringLiteral("SELECT COUNT(*) FROM BCAreas")).toInt(), 0);
}

TEST(CloseDatabase, IsNoErrorOnAClosedOrNeverOpenedConnection)
{
    HostDatabase host;
    DefinitionDatabase db;
    EXPECT_TRUE(db.CloseDatabase());
    ASSERT_TRUE(db.OpenDatabase(host.connectionString()));
    EXPECT_TRUE(db.CloseDatabase());
    EXPECT_FALSE(db.isOpen());
    EXPECT_TRUE(db.CloseDatabase());
    // Reopening after a close works, as every save does it.
    EXPECT_TRUE(db.OpenDatabase(host.connectionString()));
}

TEST(ExecuteStatement, PassesTheDatabasesOwnErrorTextToTheCaller)
{
    HostDatabase host;
    DefinitionDatabase db;
    ASSERT_TRUE(db.OpenDatabase(host.connectionString()));
    try {
        db.ExecuteStatement(QStringLiteral("UPDATE NoSuchTable SET x = 1"));
        FAIL() << "no error raised";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("no such table: NoSuchTable"))) << e.what();
    }
    EXPECT_THROW(
        {
            db.DS_Einstellungen().setCommandText(QStringLiteral("SELECT nope FROM Maske"));
            db.DS_Einstellungen().open();
        },
        AppError);
}

TEST(ReadingDataSet, ConvertsStoredValuesStrictly)
{
    HostDatabase host;
    host.exec(QStringLiteral("CREATE TABLE V (T TEXT, I INTEGER, R REAL, B BOOLEAN)"));
    host.exec(QStringLiteral("INSERT INTO V VALUES ('12', 7, 3.0, 1)"));
    host.exec(QStringLiteral("INSERT INTO V VALUES ('1 2', 4294967296, 2.5, 'ja')"));
    host.exec(QStringLiteral("INSERT INTO V VALUES (NULL, NULL, NULL, NULL)"));
    DefinitionDatabase db;
    ASSERT_TRUE(db.OpenDatabase(host.connectionString()));
    ReadingDataSet &data = db.DS_Einstellungen();
    data.setCommandText(QStringLiteral("SELECT * FROM V ORDER BY rowid"));
    data.open();
    ASSERT_EQ(data.recordCount(), 3);
    EXPECT_EQ(data.asInteger(QStringLiteral("t")), 12);
    EXPECT_EQ(data.asInteger(QStringLiteral("I")), 7);
    EXPECT_EQ(data.asInteger(QStringLiteral("R")), 3);
    EXPECT_TRUE(data.asBoolean(QStringLiteral("B")));
    EXPECT_THROW(data.asString(QStringLiteral("Missing")), AppError);
    data.next();
    EXPECT_THROW(data.asInteger(QStringLiteral("T")), ConversionError);
    EXPECT_THROW(data.asInteger(QStringLiteral("I")), ConversionError);
    EXPECT_THROW(data.asInteger(QStringLiteral("R")), ConversionError);
    EXPECT_THROW(data.asBoolean(QStringLiteral("B")), ConversionError);
    data.next();
    EXPECT_TRUE(data.isNull(QStringLiteral("T")));
    EXPECT_EQ(data.asString(QStringLiteral("T")), QString());
    EXPECT_THROW(data.asInteger(QStringLiteral("I")), ConversionError);
    data.next();
    EXPECT_TRUE(data.eof());
    EXPECT_THROW(data.asString(QStringLiteral("T")), AppError);
}

} // namespace
