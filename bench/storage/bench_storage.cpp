// Load and save of a document type with 32 areas and 50 index fields on a
// SQLite host database. Target: median under 20 ms each.
#include "DefinitionLoading.h"
#include "SaveDefinitions.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <stdexcept>

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

// A host database with one document type whose areas and bindings were saved
// by the tool itself.
class Host
{
public:
    Host()
    {
        path = dir.filePath(QStringLiteral("host.db"));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench_setup"));
            db.setDatabaseName(path);
            db.open();
            QFile schema(QStringLiteral(BCE_SOURCE_DIR "/storage/host-schema.sql"));
            if (!schema.open(QIODevice::ReadOnly))
                throw std::runtime_error("host-schema.sql not readable");
            QString text;
            for (const QString &line : QString::fromUtf8(schema.readAll()).split(u'\n'))
                if (!line.trimmed().startsWith(QStringLiteral("--")))
                    text += line + u'\n';
            QSqlQuery q(db);
            for (const QString &statement : text.split(u';'))
                if (!statement.trimmed().isEmpty())
                    q.exec(statement);
            q.exec(QStringLiteral("INSERT INTO Maske (DocID, EloID) VALUES (%1, 1)").arg(DocID));
            for (int row = 1; row <= FieldCount; ++row)
                q.exec(QStringLiteral("INSERT INTO MaskLines (DocID, RowNo) VALUES (%1, %2)").arg(DocID).arg(row));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("bench_setup"));
        connectionString = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path
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

    QTemporaryDir dir;
    QString path;
    QString connectionString;
    QList<SaveArea> areas;
    QList<SaveCombo> combos;
};

Host &host()
{
    static Host h;
    return h;
}

void BM_SaveDefinitions(benchmark::State &state)
{
    DefinitionDatabase db;
    for (auto _ : state) {
        const SaveResult result = SaveDefinitions(db, host().connectionString, QStringLiteral("5"), host().areas, host().combos);
        if (result.Outcome != SaveOutcome::Saved) {
            state.SkipWithError(result.boxText().toStdString().c_str());
            break;
        }
    }
}

void BM_LoadDefinitions(benchmark::State &state)
{
    DefinitionDatabase db;
    if (SaveDefinitions(db, host().connectionString, QStringLiteral("5"), host().areas, host().combos).Outcome
            != SaveOutcome::Saved
        || !db.OpenDatabase(host().connectionString)) {
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

BENCHMARK(BM_SaveDefinitions)->Unit(benchmark::kMillisecond)->Repetitions(9)->DisplayAggregatesOnly(true);
BENCHMARK(BM_LoadDefinitions)->Unit(benchmark::kMillisecond)->Repetitions(9)->DisplayAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
