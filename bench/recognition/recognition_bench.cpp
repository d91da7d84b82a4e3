// The two recognition commands' reader work as the window runs it (the
// component created by ProgID, late-bound calls, the helper process), beside
// the same scan through BarcodeReaderClient alone, to show what the
// automation layer and the component add:
//   - "Detection" in one area of an A4 300 dpi TIFF (< 50 ms)
//   - the whole page with six codes (< 1 s, every code found)
// Run: build/bench/bench_recognition --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "AreaGeometry.h"
#include "ReaderSession.h"
#include "RecognitionCommands.h"
#include "U_Types.h"
#include "reader/BarcodeReaderClient.h"
#include "reader/BarcodeReaderComponent.h"
#include "reader/BarcodeRenderer.h"
#include "reader/PageImage.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Code
{
    std::int32_t type;
    QString data;
};

const QList<Code> SixCodes = {
    {1, "INV-2024-0815"}, {2, "Akte 4711/2024"}, {4, "00123456"},
    {64, "4006381333931"}, {256, "036000291452"}, {1024, "Rechnung 2024-0815 Kunde 4711"},
};

struct Workspace
{
    QTemporaryDir dir;
    QString file;
    QSize size;
    QList<QRect> boxes;

    Workspace()
    {
        QImage page = BarcodeRenderer::blankPage();
        size = page.size();
        int i = 0;
        for (const Code &c : SixCodes) {
            boxes << BarcodeRenderer::place(page, BarcodeRenderer::render(c.type, c.data),
                                            {150 + (i % 2) * 1200, 200 + (i / 2) * 1000});
            ++i;
        }
        file = dir.filePath("page.tif");
        PageImage::saveTiff(file, {page}, PageImage::TiffEncoding::BilevelG4);
    }

    // The Code 128's area as its coordinate text, with an area's defaults.
    QString areaText() const
    {
        const QRect r = boxes[1].adjusted(-60, -60, 60, 60);
        return RectToAreaText(r.x(), r.y(), r.width(), r.height(), size.width(), size.height());
    }
};

Workspace &workspace()
{
    static Workspace w;
    return w;
}

void DetectionThroughComponent(benchmark::State &state)
{
    Workspace &w = workspace();
    TOCRField field(0);
    field.BCType = 2;
    int lines = 0;
    for (auto _ : state) {
        ReaderSession session(ReaderSession::ScanRect::Used);
        RecogniseArea(session, field, w.areaText(), w.size, w.file,
                      [&](const QString &text) { lines = int(text.count(QStringLiteral("\r\n"))); });
    }
    if (lines != 1)
        state.SkipWithError("code not found");
}
BENCHMARK(DetectionThroughComponent)->Unit(benchmark::kMillisecond)->UseRealTime();

void DetectionClientOnly(benchmark::State &state)
{
    Workspace &w = workspace();
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
    const TAreaRect r = AreaTextToRect(w.areaText(), w.size.width(), w.size.height());
    BarcodeReaderClient client;
    for (auto _ : state) {
        if (client.scan(w.file, QRect(r.Left, r.Top, r.Width, r.Height), s).size() != 1)
            state.SkipWithError("code not found");
    }
}
BENCHMARK(DetectionClientOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

void WholePageThroughComponent(benchmark::State &state)
{
    Workspace &w = workspace();
    int found = 0;
    for (auto _ : state) {
        found = 0;
        ReaderSession session(ReaderSession::ScanRect::None);
        RecognisePage(
            session, w.file, [](const QString &) {}, [&](const FoundBarcode &) { ++found; });
    }
    state.counters["found"] = found;
    state.counters["codes"] = double(SixCodes.size());
}
BENCHMARK(WholePageThroughComponent)->Unit(benchmark::kMillisecond)->UseRealTime();

void WholePageClientOnly(benchmark::State &state)
{
    Workspace &w = workspace();
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
