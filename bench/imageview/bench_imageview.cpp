// Speed and memory of the image view on an A4 page at 300 dpi (2480 x 3508):
//   load + fit of an LZW grey and a G4 bilevel TIFF      target < 150 ms
//   full repaint at 100 % with 32 highlight boxes         target < 16 ms
//   peak memory of loading and showing one page           target < 3 x the 8-bit page
// Run: build/bench/bench_imageview (the memory lines are printed first; each
// is measured in a fresh child process so that nothing else inflates the peak).

#include "imageview/ImageEnVect.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <tiffio.h>

namespace {

constexpr int PageW = 2480;
constexpr int PageH = 3508;

QString g_lzwPath;
QString g_g4Path;

// Text-like rows of black strokes on white, so both codecs have real work.
QImage a4Page()
{
    QImage img(PageW, PageH, QImage::Format_Grayscale8);
    img.fill(255);
    for (int y = 200; y < PageH - 200; ++y) {
        if ((y / 40) % 2 == 1 || (y % 40) < 6)
            continue;
        uchar *line = img.scanLine(y);
        for (int x = 150; x < PageW - 150; ++x)
            if (((x * 7 + (y / 40) * 13) % 23) < 5)
                line[x] = 0;
    }
    return img;
}

bool writePage(const QString &path, const QImage &page, bool g4)
{
    TIFF *tif = TIFFOpen(QFile::encodeName(path).constData(), "w");
    if (!tif)
        return false;
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, uint32_t(PageW));
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, uint32_t(PageH));
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, g4 ? 1 : 8);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, g4 ? PHOTOMETRIC_MINISWHITE : PHOTOMETRIC_MINISBLACK);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, g4 ? COMPRESSION_CCITTFAX4 : COMPRESSION_LZW);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, g4 ? uint32_t(PageH) : 16u);
    QByteArray row(PageW, '\0');
    bool ok = true;
    for (int y = 0; y < PageH && ok; ++y) {
        const uchar *src = page.constScanLine(y);
        if (g4) {
            row.fill(0);
            for (int x = 0; x < PageW; ++x)
                if (src[x] < 128)
                    row[x / 8] = char(uchar(row[x / 8]) | (0x80 >> (x % 8)));
        } else {
            std::memcpy(row.data(), src, PageW);
        }
        ok = TIFFWriteScanline(tif, row.data(), uint32_t(y), 0) >= 0;
    }
    TIFFClose(tif);
    return ok;
}

void BM_LoadFit(benchmark::State &state, const QString *path, bool paint)
{
    TImageEnVect view;
    view.resize(1280, 900);
    view.show();
    QImage target(view.viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        view.loadFromFile(*path);
        view.fit();
        if (paint)
            view.viewport()->render(&target);
        benchmark::DoNotOptimize(view.zoom());
    }
}

void BM_Repaint100With32Highlights(benchmark::State &state)
{
    TImageEnVect view;
    view.resize(1280, 900);
    view.show();
    view.loadFromFile(g_lzwPath);
    view.setZoom(100);
    VectorObject &t = view.objectTemplate();
    t.highlight = true;
    t.brushColor = QColor(255, 255, 0);
    for (int i = 0; i < 32; ++i) {
        t.rect = QRect(20 + (i % 8) * 150, 20 + (i / 8) * 210, 140, 200);
        view.addObject();
    }
    view.selectObject(0);
    QImage target(view.viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        view.viewport()->render(&target);
        benchmark::ClobberMemory();
    }
}

long statusKb(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toLong();
    return -1;
}

// Child mode: load, fit and paint one page; print the rise of the peak RSS.
int measurePeak(const QString &path)
{
    TImageEnVect view;
    view.resize(1280, 900);
    view.show();
    QImage target(view.viewport()->size(), QImage::Format_RGB32);
    view.viewport()->render(&target); // paint machinery warmed up without a page
    const long before = statusKb("VmRSS:");
    view.loadFromFile(path);
    view.fit();
    view.viewport()->render(&target);
    view.setZoom(100);
    view.viewport()->render(&target);
    const long peak = statusKb("VmHWM:");
    std::printf("%ld\n", peak - before);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--peak-memory") == 0)
        return measurePeak(QString::fromLocal8Bit(argv[2]));

    QTemporaryDir dir;
    g_lzwPath = dir.filePath(QStringLiteral("a4-lzw-grey.tif"));
    g_g4Path = dir.filePath(QStringLiteral("a4-g4.tif"));
    {
        const QImage page = a4Page();
        if (!writePage(g_lzwPath, page, false) || !writePage(g_g4Path, page, true)) {
            std::fprintf(stderr, "cannot write the A4 pages\n");
            return 1;
        }
    }

    const double pageMb = double(PageW) * PageH / (1024.0 * 1024.0);
    for (const QString &p : {g_lzwPath, g_g4Path}) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--peak-memory"), p});
        child.waitForFinished(60000);
        const double mb = child.readAllStandardOutput().trimmed().toDouble() / 1024.0;
        std::printf("peak memory %-18s %7.1f MB = %.2f x the 8-bit page (%.1f MB), target < 3\n",
                    qPrintable(QFileInfo(p).fileName()), mb, mb / pageMb, pageMb);
    }

    benchmark::RegisterBenchmark("LoadFit/LzwGrey", BM_LoadFit, &g_lzwPath, false)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("LoadFit/G4", BM_LoadFit, &g_g4Path, false)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("LoadFitFirstPaint/LzwGrey", BM_LoadFit, &g_lzwPath, true)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("LoadFitFirstPaint/G4", BM_LoadFit, &g_g4Path, true)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Repaint100With32Highlights", BM_Repaint100With32Highlights)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
