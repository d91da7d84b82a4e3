// Load and save of a document type with 32 areas and 50 index fields on a
// SQLite host database and on a PostgreSQL server over loopback. Target:
// median under 20 ms each on SQLite. The server's address comes from
// BCE_TEST_PG_URI: run it as scripts/with-postgres build/bench/bench_storage.
#include "DefinitionLoading.h"
#include "SaveDefinitions.h"
#include "SchemaScript.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUrl>
#include <benchmark/benchmark.h>
#include <stdexcept>
#include <unistd.h>

namespace {

constexpr int AreaCount = 32;
constexpr int FieldCount = 50;
constexpr int DocID = 5;

class NullSink : public AreaDefinitionSink
{
public:
    TOCRField &addAreaEntry(std::unique_ptr<TOCRField> definition) override
    {
        m_entries.push_back(std::move(definition));
        return *m_entries.back();
    }
    void showAreaEntry(const QString &, const QString &, const QString &) override {}
    void prepareAreaObject() override {}
    QSize imageSize() const override { return {2480, 3508}; }
    std::int32_t addAreaObject(const TAreaRect &) override { return m_objects++; }

private:
    std::vector<std::unique_ptr<TOCRField>> m_entries;
    std::int32_t m_objects = 0;
};

enum class Backend
{
    Sqlite,
    Postgres
};

QStringList schemaStatements(Backend backend)
{
    QFile schema(backend == Backend::Sqlite ? QStringLiteral(BCE_SOURCE_DIR "/storage/host-schema.sql")
                                            : QStringLiteral(BCE_SOURCE_DIR "/storage/host-schema-postgres.sql"));
    if (!schema.open(QIODevice::ReadOnly))
        throw std::runtime_error("host schema not readable");
    return schemaScriptStatements(QString::fromUtf8(schema.readAll()));
}

QSqlDatabase serverConnection(const QUrl &uri, const QString &name, const QString &database)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    db.setHostName(uri.host());
    db.setPort(uri.port(-1));
    db.setUserName(uri.userName(QUrl::FullyDecoded));
    db.setPassword(uri.password(QUrl::FullyDecoded));
    db.setDatabaseName(database);
    if (!db.open())
        throw std::runtime_error("test server not reachable");
    return db;
}

// A host database with one document type whose areas and bindings were saved
// by the tool itself.
class Host
{
public:
    explicit Host(Backend backend)
    {
        QString dataSource;
        {
            QSqlDatabase db;
            if (backend == Backend::Sqlite) {
                dataSource = dir.filePath(QStringLiteral("host.db"));
                db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench_setup"));
                db.setDatabaseName(dataSource);
                db.open();
            } else {
                const QString uri = qEnvironmentVariable("BCE_TEST_PG_URI");
                if (uri.isEmpty())
                    throw std::runtime_error("BCE_TEST_PG_URI not set: run under scripts/with-postgres");
                m_server = QUrl(uri);
                m_serverDatabase = QStringLiteral("bce_bench_%1").arg(getpid());
                {
                    QSqlDatabase admin = serverConnection(m_server, QStringLiteral("bench_admin"), m_server.path().mid(1));
                    QSqlQuery(admin).exec(QStringLiteral("CREATE DATABASE %1 ENCODING 'UTF8' TEMPLATE template0").arg(m_serverDatabase));
                }
                QSqlDatabase::removeDatabase(QStringLiteral("bench_admin"));
                QUrl own(m_server);
                own.setPath(QLatin1Char('/') + m_serverDatabase);
                dataSource = own.toString();
                db = serverConnection(m_server, QStringLiteral("bench_setup"), m_serverDatabase);
            }
            QSqlQuery q(db);
            for (const QString &statement : schemaStatements(backend))
                if (!q.exec(statement))
                    throw std::runtime_error("schema refused");
            q.exec(QStringLiteral("INSERT INTO Maske (DocID, EloID) VALUES (%1, 1)").arg(DocID));
            for (int row = 1; row <= FieldCount; ++row)
                q.exec(QStringLiteral("INSERT INTO MaskLines (DocID, RowNo) VALUES (%1, %2)").arg(DocID).arg(row));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("bench_setup"));
        connectionString = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + dataSource
                           + QStringLiteral(";Jet OLEDB:Database Password=kqm2961TZ*$=8vw");
        for (int i = 0; i < AreaCount; ++i) {
            SaveArea area{QStringLiteral("Bereich %1").arg(i + 1), QStringLiteral("%1,10,%2,40").arg(i * 30).arg(i * 30 + 25),
                          TOCRField(i)};
            area.Definition.Pattern = (i % 2) ? QStringLiteral("[0-9]{8}") : QString();
            areas << area;
        }
        for (int k = 0; k < FieldCount; ++k)
            combos << SaveCombo{QStringLiteral("AdvTreeComboBoxElement_%1").arg(k), (k % (AreaCount + 1))};
    }

    // Drops the server's database; called before the application ends.
    void dropServerDatabase()
    {
        if (m_serverDatabase.isEmpty())
            return;
        {
            QSqlDatabase admin = serverConnection(m_server, QStringLiteral("bench_admin"), m_server.path().mid(1));
            QSqlQuery(admin).exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_serverDatabase));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("bench_admin"));
        m_serverDatabase.clear();
    }

    QTemporaryDir dir;
    QString connectionString;
    QList<SaveArea> areas;
    QList<SaveCombo> combos;

private:
    QUrl m_server;
    QString m_serverDatabase;
};

std::unique_ptr<Host> hosts[2];

Host *host(benchmark::State &state, Backend backend)
{
    auto &slot = hosts[static_cast<int>(backend)];
    if (!slot) {
        try {
            slot = std::make_unique<Host>(backend);
        } catch (const std::exception &e) {
            state.SkipWithError(e.what());
            return nullptr;
        }
    }
    return slot.get();
}

void BM_SaveDefinitions(benchmark::State &state, Backend backend)
{
    Host *h = host(state, backend);
    if (!h)
        return;
    DefinitionDatabase db;
    for (auto _ : state) {
        const SaveResult result = SaveDefinitions(db, h->connectionString, QStringLiteral("5"), h->areas, h->combos);
        if (result.Outcome != SaveOutcome::Saved) {
            state.SkipWithError(result.boxText().toStdString().c_str());
            break;
        }
    }
}

void BM_LoadDefinitions(benchmark::State &state, Backend backend)
{
    Host *h = host(state, backend);
    if (!h)
        return;
    DefinitionDatabase db;
    if (SaveDefinitions(db, h->connectionString, QStringLiteral("5"), h->areas, h->combos).Outcome != SaveOutcome::Saved
        || !db.OpenDatabase(h->connectionString)) {
        state.SkipWithError("no host database");
        return;
    }
    for (auto _ : state) {
        NullSink sink;
        int selected = 0;
        const std::int32_t rows = LoadAreaDefinitions(db, DocID, sink);
        LoadFieldBindings(db, DocID, FieldCount, [&](std::int32_t, std::int32_t) { ++selected; });
        db.DS_Einstellungen().close();
        if (rows != AreaCount || selected == 0) {
            state.SkipWithError("load read the wrong rows");
            break;
        }
        benchmark::DoNotOptimize(selected);
    }
}

BENCHMARK_CAPTURE(BM_SaveDefinitions, Sqlite, Backend::Sqlite)->Unit(benchmark::kMillisecond)->Repetitions(9)->DisplayAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_SaveDefinitions, Postgres, Backend::Postgres)->Unit(benchmark::kMillisecond)->Repetitions(9)->DisplayAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_LoadDefinitions, Sqlite, Backend::Sqlite)->Unit(benchmark::kMillisecond)->Repetitions(9)->DisplayAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_LoadDefinitions, Postgres, Backend::Postgres)->Unit(benchmark::kMillisecond)->Repetitions(9)->DisplayAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (auto &h : hosts)
        if (h)
            h->dropServerDatabase();
    return 0;
}
