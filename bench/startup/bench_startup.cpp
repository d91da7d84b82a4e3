// Process start to Ready: the demo workspace with 32 stored areas on its A4
// page at 300 dpi, the probe started as the host starts the tool, timed until
// it reports Ready. Target: median below 500 ms.
//
//   build/bench/bench_startup --benchmark_repetitions=15
#include "demo/DemoWorkspace.h"
#include "demo/HostDatabaseFile.h"

#include <QGuiApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>

namespace {

QTemporaryDir *workspace = nullptr;

// The demo stores five areas; 27 more in a grid over the page make 32.
void addAreasUpTo32(const QString &db)
{
    QStringList sql;
    for (int i = 6; i <= 32; ++i) {
        const int col = (i - 6) % 3;
        const int row = (i - 6) / 3;
        const QString area = QStringLiteral("%1,%2,%3,%4")
                                 .arg(50 + col * 300)
                                 .arg(80 + row * 100)
                                 .arg(300 + col * 300)
                                 .arg(150 + row * 100);
        sql << QStringLiteral("INSERT INTO BCAreas (AreaBCID, DocBCID, Name, BCArea, BCType, BCDirection, MinLen, "
                              "MaxLen, Pattern) VALUES (%1, 1, '%1 Barcode-Bereich', '%2', 2, 1, 2, 999, NULL)")
                   .arg(i)
                   .arg(area);
    }
    HostDatabaseFile::execute(db, sql);
}

void BM_ProcessStartToReady(benchmark::State &state)
{
    const QString dir = workspace->path();
    const QString probe = QCoreApplication::applicationDirPath() + QStringLiteral("/startup_probe");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("BCE_PLATFORM_DIR"), DemoWorkspace::platformFolder(dir));
    if (env.value(QStringLiteral("QT_QPA_PLATFORM")).isEmpty())
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::SeparateChannels);
        process.start(probe, DemoWorkspace::arguments(dir));
        QByteArray out;
        while (!out.contains('\n') && process.waitForReadyRead(10000))
            out += process.readAllStandardOutput();
        state.PauseTiming();
        process.waitForFinished(10000);
        if (out.trimmed() != "ready 32 32") {
            state.SkipWithError(("the probe did not reach Ready: " + out.trimmed() + " "
                                 + process.readAllStandardError().left(400))
                                    .constData());
            break;
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ProcessStartToReady)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(15);

} // namespace

int main(int argc, char **argv)
{
    // The demo pages are drawn off screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    DemoWorkspace::write(dir.path(), QStringLiteral(BCE_SOURCE_DIR "/storage/host-schema.sql"));
    addAreasUpTo32(QDir(dir.path()).filePath(QStringLiteral("host.db")));
    workspace = &dir;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
