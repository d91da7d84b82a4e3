// The two recognition commands' reader work as the window runs it (the
// component created by ProgID, late-bound calls, the helper process), beside
// the same scan through BarcodeReaderClient alone, to show what the
// automation layer and the component add:
//   - "Detection" in one area of an A4 300 dpi TIFF (< 50 ms)
//   - the whole page with six codes (< 1 s, every code found)
// Run: build/bench/bench_recognition --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "../common/SixCodePage.h"
#include "AreaGeometry.h"
#include "ReaderSession.h"
#include "RecognitionCommands.h"
#include "U_Types.h"
#include "reader/BarcodeReaderClient.h"
#include "reader/BarcodeReaderComponent.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

// The Code 128's area as its coordinate text.
QString areaText(const SixCodePage &w)
{
    const QRect r = w.boxes[1].adjusted(-60, -60, 60, 60);
    return RectToAreaText(r.x(), r.y(), r.width(), r.height(), w.page.width(), w.page.height());
}

void DetectionThroughComponent(benchmark::State &state)
{
    SixCodePage &w = SixCodePage::instance();
    TOCRField field(0);
    field.BCType = 2;
    int lines = 0;
    for (auto _ : state) {
        ReaderSession session(ReaderSession::ScanRect::Used);
        RecogniseArea(session, field, areaText(w), w.page.size(), w.file,
                      [&](const QString &text) { lines = int(text.count(QStringLiteral("\r\n"))); });
    }
    if (lines != 1)
        state.SkipWithError("code not found");
}
BENCHMARK(DetectionThroughComponent)->Unit(benchmark::kMillisecond)->UseRealTime();

void DetectionClientOnly(benchmark::State &state)
{
    SixCodePage &w = SixCodePage::instance();
    ReaderSettings s;
    const TOCRField field(0);
    s.BarcodeTypes = 2;
    s.Directions = field.BCDirection;
    s.MinLength = field.MinLen;
    s.ColorThreshold = field.ColorThreshold;
    s.LineJump = field.LineJump;
    s.QuietZoneSize = field.QuietZone;
    s.SkewTolerance = field.SkewTolerance;
    s.ShowCheckDigit = field.ShowCheckDig;
    s.ConvertUPCEToEAN13 = field.ConvertUPCE;
    const TAreaRect r = AreaTextToRect(areaText(w), w.page.width(), w.page.height());
    BarcodeReaderClient client;
    for (auto _ : state) {
        if (client.scan(w.file, QRect(r.Left, r.Top, r.Width, r.Height), s).size() != 1)
            state.SkipWithError("code not found");
    }
}
BENCHMARK(DetectionClientOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

void WholePageThroughComponent(benchmark::State &state)
{
    SixCodePage &w = SixCodePage::instance();
    int found = 0;
    for (auto _ : state) {
        found = 0;
        ReaderSession session(ReaderSession::ScanRect::None);
        RecognisePage(
            session, w.file, [](const QString &) {}, [&](const FoundBarcode &) { ++found; });
    }
    state.counters["found"] = found;
    state.counters["codes"] = double(SixCodePage::codes().size());
}
BENCHMARK(WholePageThroughComponent)->Unit(benchmark::kMillisecond)->UseRealTime();

void WholePageClientOnly(benchmark::State &state)
{
    SixCodePage &w = SixCodePage::instance();
    BarcodeReaderClient client;
    qsizetype found = 0;
    for (auto _ : state)
        found = client.scan(w.file, std::nullopt, ReaderSettings{}).size();
    state.counters["found"] = double(found);
}
BENCHMARK(WholePageClientOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    registerBarcodeReaderComponent();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
