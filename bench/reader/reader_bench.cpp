// The reader's speed and recognition targets, each beside zxing-cpp called
// directly in this process on the same pixels:
//   - one area of an A4 300 dpi TIFF, end to end through the helper process (< 50 ms)
//   - a whole page with six codes (< 1 s, all found)
//   - the degraded set read in areas with an area's defaults (>= 95 %, no false reads)
// Run: build/bench/bench_reader (median of repetitions with --benchmark_repetitions=5).

#define ZX_USE_UTF8
#include "../common/SixCodePage.h"
#include "reader/BarcodeEngine.h"
#include "reader/BarcodeReaderClient.h"
#include "reader/BarcodeRenderer.h"
#include "reader/PageImage.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <ZXing/ReadBarcode.h>
#include <benchmark/benchmark.h>

namespace {

struct Code
{
    std::int32_t type;
    QString data;
};

ZXing::Results zxingDirect(const QImage &img)
{
    ZXing::DecodeHints hints;
    hints.setTryHarder(true).setTryRotate(true).setTryDownscale(false);
    return ZXing::ReadBarcodes(
        ZXing::ImageView(img.constBits(), img.width(), img.height(), ZXing::ImageFormat::Lum, int(img.bytesPerLine())),
        hints);
}

void AreaEndToEnd(benchmark::State &state)
{
    SixCodePage &w = SixCodePage::instance();
    ReaderSettings s;
    s.BarcodeTypes = 2;
    s.Directions = 1;
    s.SkewTolerance = 0;
    const QRect area = w.boxes[1].adjusted(-60, -60, 60, 60);
    BarcodeReaderClient client;
    for (auto _ : state) {
        const auto r = client.scan(w.file, area, s);
        if (r.size() != 1)
            state.SkipWithError("code not found");
    }
}
BENCHMARK(AreaEndToEnd)->Unit(benchmark::kMillisecond)->UseRealTime();

void AreaLibraryDirect(benchmark::State &state)
{
    SixCodePage &w = SixCodePage::instance();
    const QRect area = w.boxes[1].adjusted(-60, -60, 60, 60);
    for (auto _ : state) {
        const QImage page = PageImage::loadFirstPage(w.file);
        const auto r = zxingDirect(page.copy(area));
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(AreaLibraryDirect)->Unit(benchmark::kMillisecond)->UseRealTime();

void PageEndToEnd(benchmark::State &state)
{
    SixCodePage &w = SixCodePage::instance();
    ReaderSettings s; // the whole-page settings: 1919, 15, the rest the reader's defaults
    BarcodeReaderClient client;
    qsizetype found = 0;
    for (auto _ : state)
        found = client.scan(w.file, std::nullopt, s).size();
    state.counters["found"] = double(found);
    state.counters["codes"] = double(SixCodePage::codes().size());
}
BENCHMARK(PageEndToEnd)->Unit(benchmark::kMillisecond)->UseRealTime();

void PageLibraryDirect(benchmark::State &state)
{
    SixCodePage &w = SixCodePage::instance();
    size_t found = 0;
    for (auto _ : state) {
        const QImage page = PageImage::loadFirstPage(w.file);
        found = zxingDirect(page).size();
    }
    state.counters["found"] = double(found);
}
BENCHMARK(PageLibraryDirect)->Unit(benchmark::kMillisecond)->UseRealTime();

// The degraded set: every type at 300 and 200 dpi, tilted within "<5",
// blurred, noisy and black-and-white; each code in its own area.
void DegradedSet(benchmark::State &state)
{
    const bool direct = state.range(0) != 0;
    const QList<Code> types = {{1, "CODE39-42"}, {2, "Code128 x9"}, {4, "12345678"}, {8, "4711"},
                               {16, "A123456B"}, {32, "9638507"}, {64, "400638133393"}, {128, "2"},
                               {256, "03600029145"}, {512, "0123456"}, {1024, "PDF417 Probe 2024"}};
    int total = 0, read = 0, wrong = 0, blankReads = 0;
    for (auto _ : state) {
        QRandomGenerator rng(5);
        total = read = wrong = blankReads = 0;
        for (int damage = 0; damage < 6; ++damage) {
            for (int module : {2, 3, 4}) {
                QImage page = BarcodeRenderer::blankPage();
                QList<QRect> areas;
                QStringList expected;
                int i = 0;
                for (const Code &c : types) {
                    BarcodeRenderer::Options o;
                    o.moduleWidth = c.type == 128 ? 8 * module : module;
                    o.barHeight = 40 * module;
                    const QImage code = BarcodeRenderer::render(c.type, c.data, o);
                    const double tilt = damage == 1 ? (i % 2 ? 4.0 : -4.0) * (0.5 + rng.generateDouble() / 2) : 0.0;
                    areas << BarcodeRenderer::place(page, code, {100 + (i % 2) * 1200, 100 + (i / 2) * 560}, 1, tilt)
                                 .adjusted(-50, -50, 50, 50);
                    ++i;
                }
                // What the reader reports, check digits shown and start/stop letters dropped.
                expected = {"CODE39-42", "Code128 x9", "12345678", "4711", "123456", "96385074", "4006381333931",
                            "2", "036000291452", "01234565", "PDF417 Probe 2024"};
                double scale = 1.0;
                QImage spoiled = page;
                if (damage == 0) {
                    scale = 2.0 / 3.0;
                    spoiled = page.scaled(page.size() * scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
                } else if (damage == 2) {
                    spoiled = page.scaled(page.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                  .scaled(page.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
                } else if (damage == 3 || damage == 4) {
                    spoiled = page.copy();
                    for (int y = 0; y < spoiled.height(); ++y)
                        for (uchar *p = spoiled.scanLine(y), *e = p + spoiled.width(); p != e; ++p) {
                            int v = *p + int(rng.bounded(81)) - 40;
                            if (damage == 4)
                                v = v < 128 ? 0 : 255;
                            *p = uchar(std::clamp(v, 0, 255));
                        }
                } else if (damage == 5) {
                    for (int y = 0; y < spoiled.height(); ++y)
                        for (uchar *p = spoiled.scanLine(y), *e = p + spoiled.width(); p != e; ++p)
                            *p = *p < 128 ? 0 : 255;
                }
                for (int k = 0; k < areas.size(); ++k) {
                    const QRect a(QPoint(int(areas[k].left() * scale), int(areas[k].top() * scale)),
                                  QPoint(int(areas[k].right() * scale), int(areas[k].bottom() * scale)));
                    const QImage crop = spoiled.copy(a);
                    QStringList got;
                    if (direct) {
                        for (const auto &r : zxingDirect(crop))
                            got << QString::fromStdString(r.text());
                    } else {
                        ReaderSettings s; // an area's defaults with its type, check digits shown
                        s.BarcodeTypes = types[k].type;
                        s.Directions = 1;
                        s.MinLength = 2;
                        s.ColorThreshold = 128;
                        s.LineJump = 5;
                        s.QuietZoneSize = 10;
                        s.SkewTolerance = 0;
                        for (const BarcodeResult &r : BarcodeEngine::scan(crop, a.topLeft(), s))
                            got << r.Data;
                    }
                    ++total;
                    if (got == QStringList{expected[k]})
                        ++read;
                    else if (!got.isEmpty())
                        ++wrong;
                }
                // The same page without codes must give nothing.
                QImage blank = BarcodeRenderer::blankPage();
                ReaderSettings all;
                all.BarcodeTypes = 0x7ff;
                blankReads += int(direct ? zxingDirect(blank.copy(0, 0, 1200, 1200)).size()
                                         : BarcodeEngine::scan(blank.copy(0, 0, 1200, 1200), {0, 0}, all).size());
            }
        }
    }
    state.counters["codes"] = total;
    state.counters["read_percent"] = 100.0 * read / std::max(1, total);
    state.counters["false_reads"] = wrong;
    state.counters["reads_on_blank"] = blankReads;
}
BENCHMARK(DegradedSet)->Arg(0)->Arg(1)->ArgName("libraryDirect")->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
