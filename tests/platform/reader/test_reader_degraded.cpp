#include "QtPrinters.h"
#include "ReaderFixtures.h"
#include "reader/BarcodeEngine.h"

#include "U_misc.h"

#include <QRandomGenerator>
#include <QTransform>
#include <gtest/gtest.h>

namespace {

// How scans spoil a page.
enum class Damage { Dpi200, Tilt, Blur, Noise, Bilevel };

QImage spoil(const QImage &page, Damage damage, QRandomGenerator &rng)
{
    switch (damage) {
    case Damage::Dpi200:
        return page.scaled(page.width() * 2 / 3, page.height() * 2 / 3, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    case Damage::Blur: {
        const QImage small = page.scaled(page.width() / 2, page.height() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return small.scaled(page.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    case Damage::Noise: {
        QImage out = page.copy();
        for (int y = 0; y < out.height(); ++y) {
            uchar *p = out.scanLine(y);
            for (int x = 0; x < out.width(); ++x)
                p[x] = static_cast<uchar>(std::clamp(int(p[x]) + int(rng.bounded(81)) - 40, 0, 255));
        }
        return out;
    }
    case Damage::Bilevel: {
        QImage out = page.copy();
        for (int y = 0; y < out.height(); ++y)
            for (uchar *p = out.scanLine(y), *e = p + out.width(); p != e; ++p)
                *p = *p < 128 ? 0 : 255;
        return out;
    }
    case Damage::Tilt:
        break;
    }
    return page;
}

struct Placed
{
    SampleCode code;
    QRect area;
};

} // namespace

// Every type on every kind of damage, each in its own area with an area's
// defaults and its own type: at least 95 of 100 read, none misread.
TEST(DegradedScans, AreaDefaultsReadNearlyAll)
{
    QRandomGenerator rng(2024);
    int total = 0, read = 0;
    QStringList misses, wrong;
    for (Damage damage : {Damage::Dpi200, Damage::Tilt, Damage::Blur, Damage::Noise, Damage::Bilevel}) {
        QImage page = BarcodeRenderer::blankPage();
        QList<Placed> placed;
        int i = 0;
        for (const SampleCode &code : sampleCodes()) {
            const QPoint at(150 + (i % 2) * 1200, 150 + (i / 2) * 540);
            // Within the first skew step "<5".
            const double tilt = damage == Damage::Tilt ? (i % 2 ? 3.5 : -3.5) : 0.0;
            placed.append({code, placeCode(page, code, at, 3, 1, tilt).adjusted(-50, -50, 50, 50)});
            ++i;
        }
        double scale = 1.0;
        if (damage == Damage::Dpi200)
            scale = 2.0 / 3.0;
        const QImage spoiled = spoil(page, damage, rng);
        for (const Placed &p : placed) {
            ReaderSettings s; // TOCRField's defaults
            s.BarcodeTypes = p.code.type;
            s.Directions = 1;
            s.MinLength = 2;
            s.ColorThreshold = 128;
            s.ConvertUPCEToEAN13 = false;
            s.ShowCheckDigit = true; // compare with the full printed number
            s.LineJump = 5;
            s.QuietZoneSize = 10;
            s.SkewTolerance = 0;
            const QRect area(QPoint(qFloor(p.area.left() * scale), qFloor(p.area.top() * scale)),
                             QPoint(qCeil(p.area.right() * scale), qCeil(p.area.bottom() * scale)));
            const auto results = BarcodeEngine::scan(spoiled.copy(area), area.topLeft(), s);
            ++total;
            const QString name = BarcodeTypeName(p.code.type) + "/" + QString::number(int(damage));
            if (results.size() == 1 && results[0].Data == reportedData(p.code))
                ++read;
            else if (results.isEmpty())
                misses << name;
            else
                wrong << name + "=" + results[0].Data + "(" + QString::number(results.size()) + ")";
        }
    }
    EXPECT_TRUE(wrong.isEmpty()) << wrong.join(' ').toStdString();
    EXPECT_GE(read * 100, total * 95) << read << " of " << total << "; missed " << misses.join(' ').toStdString();
}

// Pages without codes, clean and noisy, with text-like marks: nothing read
// with every type switched on.
TEST(DegradedScans, PagesWithoutCodesGiveNothing)
{
    QRandomGenerator rng(99);
    QImage page = BarcodeRenderer::blankPage(200);
    for (int line = 0; line < 40; ++line) // words of thin strokes, like print
        for (int x = 100; x < page.width() - 200; x += 7 + int(rng.bounded(12)))
            for (int y = 100 + line * 50; y < 125 + line * 50; ++y)
                std::fill_n(page.scanLine(y) + x, 1 + int(rng.bounded(3)), uchar(0));
    ReaderSettings s;
    s.BarcodeTypes = 0x7ff;
    s.ErrorCorrection = true;
    s.QuietZoneSize = 0;
    for (Damage damage : {Damage::Noise, Damage::Bilevel}) {
        const QImage spoiled = spoil(page, damage, rng);
        const auto results = BarcodeEngine::scan(spoiled, {0, 0}, s);
        EXPECT_TRUE(results.isEmpty()) << results.size() << " " << (results.isEmpty() ? "" : results[0].Data.toStdString());
    }
}
