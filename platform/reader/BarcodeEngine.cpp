#define ZX_USE_UTF8
#include "BarcodeEngine.h"

#include "BarcodePattern.h"
#include "Code25IndustrialDecoder.h"
#include "ImageFilters.h"
#include "IsolatedCall.h"
#include "PageImage.h"
#include "PatchCodeDecoder.h"
#include "ScanLineReader.h"
#include "U_misc.h"
#include "ZbarReader.h"

#include <QDataStream>
#include <QIODevice>
#include <QPainter>
#include <QTransform>
#include <ZXing/ReadBarcode.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

using namespace BarcodeFlag;

struct ZxType
{
    ZXing::BarcodeFormat format;
    std::int32_t flag;
};
constexpr ZxType ZxTypes[] = {
    {ZXing::BarcodeFormat::Code39, Code39}, {ZXing::BarcodeFormat::Code128, Code128},
    {ZXing::BarcodeFormat::ITF, Interleaved25}, {ZXing::BarcodeFormat::Codabar, Codabar},
    {ZXing::BarcodeFormat::EAN8, Ean8}, {ZXing::BarcodeFormat::EAN13, Ean13},
    {ZXing::BarcodeFormat::UPCA, UpcA}, {ZXing::BarcodeFormat::UPCE, UpcE},
    {ZXing::BarcodeFormat::PDF417, Pdf417},
};

bool isEanUpc(std::int32_t t) { return t == Ean8 || t == Ean13 || t == UpcA || t == UpcE; }

QPointF toPointF(const ZXing::PointI &p) { return QPointF(p.x, p.y); }

// zxing-cpp reads every line with tryHarder; tryDownscale stays off because its
// downscaling pass aborts the process on pages with an EAN-13.
std::vector<Candidate> zxingDirect(const QImage &img, std::int32_t mask, const ReaderSettings &s,
                                   const QTransform &toCrop, bool linearOnly, bool tryHarder)
{
    std::vector<Candidate> out;
    ZXing::BarcodeFormats formats;
    for (const ZxType &t : ZxTypes)
        if ((mask & t.flag) && !(linearOnly && t.flag == Pdf417))
            formats |= t.format;
    if (formats.empty() || img.isNull())
        return out; // an empty set would mean every format to zxing-cpp
    ZXing::DecodeHints hints;
    hints.setFormats(formats)
        .setTryHarder(tryHarder)
        .setTryRotate(true)
        .setTryDownscale(false)
        .setMinLineCount(s.ErrorCorrection ? 1 : 2)
        .setTryCode39ExtendedMode(false)
        .setReturnCodabarStartEnd(false);
    const ZXing::ImageView view(img.constBits(), img.width(), img.height(), ZXing::ImageFormat::Lum,
                                static_cast<int>(img.bytesPerLine()));
    for (const ZXing::Result &r : ZXing::ReadBarcodes(view, hints)) {
        if (!r.isValid())
            continue;
        Candidate c;
        for (const ZxType &t : ZxTypes)
            if (t.format == r.format())
                c.type = t.flag;
        if (c.type == 0)
            continue;
        c.data = QString::fromStdString(r.text());
        const auto &p = r.position();
        c.corners = {toCrop.map(toPointF(p.topLeft())), toCrop.map(toPointF(p.topRight())),
                     toCrop.map(toPointF(p.bottomRight())), toCrop.map(toPointF(p.bottomLeft()))};
        c.linear = c.type != Pdf417;
        c.lines = std::max(1, r.lineCount());
        out.push_back(c);
    }
    return out;
}

QByteArray serialize(const std::vector<Candidate> &list)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << static_cast<qint32>(list.size());
    for (const Candidate &c : list) {
        out << c.type << c.data << c.lines << c.linear;
        for (const QPointF &p : c.corners)
            out << p;
    }
    return bytes;
}

std::vector<Candidate> deserialize(const QByteArray &bytes)
{
    std::vector<Candidate> list;
    QDataStream in(bytes);
    qint32 n = 0;
    in >> n;
    for (qint32 i = 0; i < n && in.status() == QDataStream::Ok; ++i) {
        Candidate c;
        in >> c.type >> c.data >> c.lines >> c.linear;
        for (QPointF &p : c.corners)
            in >> p;
        if (in.status() == QDataStream::Ok)
            list.push_back(c);
    }
    return list;
}

// One zxing-cpp pass in a forked copy of the process. When the library aborts,
// the image is split into two overlapping halves, across its longer side, so
// that equal codes land in different calls; at the bottom the pass runs
// without tryHarder, which has not been seen to abort.
std::vector<Candidate> zxingPass(const QImage &img, std::int32_t mask, const ReaderSettings &s,
                                 const QTransform &toCrop, bool linearOnly, int depth = 0)
{
    const auto run = [&](bool harder) {
        return runIsolated([&] { return serialize(zxingDirect(img, mask, s, toCrop, linearOnly, harder)); });
    };
    if (const auto result = run(true))
        return deserialize(*result);
    if (depth >= 3 || std::max(img.width(), img.height()) < 200) {
        const auto result = run(false);
        return result ? deserialize(*result) : std::vector<Candidate>{};
    }
    const bool wide = img.width() > img.height();
    const int length = wide ? img.width() : img.height();
    const int overlap = std::min(length / 4, 300);
    const int half = length / 2;
    std::vector<Candidate> out;
    for (int part = 0; part < 2; ++part) {
        const int from = part == 0 ? 0 : half - overlap;
        const int to = part == 0 ? half + overlap : length;
        const QRect r = wide ? QRect(from, 0, to - from, img.height()) : QRect(0, from, img.width(), to - from);
        const QTransform shift = QTransform::fromTranslate(r.left(), r.top()) * toCrop;
        for (Candidate &c : zxingPass(img.copy(r), mask, s, shift, linearOnly, depth + 1))
            out.push_back(std::move(c));
    }
    return out;
}

// Draws img turned by degrees about its centre onto a white canvas that holds
// all of it; toSource maps the canvas back onto img.
QImage rotated(const QImage &img, double degrees, QTransform *toSource)
{
    QTransform t;
    t.rotate(degrees);
    const QRectF box = t.mapRect(QRectF(img.rect()));
    QTransform placed = t * QTransform::fromTranslate(-box.left(), -box.top());
    QImage canvas(box.size().toSize() + QSize(1, 1), QImage::Format_Grayscale8);
    canvas.fill(255);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setTransform(placed);
    p.drawImage(QPoint(0, 0), img);
    p.end();
    *toSource = placed.inverted();
    return canvas;
}

// ---- judging --------------------------------------------------------------

double angleOf(QPointF v) { return std::atan2(v.y(), v.x()) * 180.0 / std::numbers::pi; }

int greyAt(const QImage &g, double x, double y)
{
    const int xi = static_cast<int>(std::floor(x + 0.5));
    const int yi = static_cast<int>(std::floor(y + 0.5));
    if (xi < 0 || yi < 0 || xi >= g.width() || yi >= g.height())
        return 255; // beyond the scanned part: treated as paper
    return g.constScanLine(yi)[xi];
}

// The code's reading angle (0 left to right, 90 top to bottom, clockwise on
// screen). Linear decoders report the line along which they read, which stays
// level on a code tilted less than its bars are long; the tilt is measured on
// the image: the bar pattern on two lines parallel to the read line, above and
// below it, is shifted by the tilt.
double readingAngle(const Candidate &c, const QImage &grey)
{
    const auto &[tl, tr, br, bl] = c.corners;
    const QPointF axis = (tr + br) - (tl + bl);
    const double axisLength = std::hypot(axis.x(), axis.y());
    double angle = angleOf(axis);
    if (!c.linear || axisLength < 8)
        return angle;
    const QPointF u = axis / axisLength;
    const QPointF down(-u.y(), u.x());
    const QPointF start = (tl + bl) / 2.0, end = (tr + br) / 2.0;
    const double length = std::hypot((end - start).x(), (end - start).y());
    const auto profile = [&](double offset) {
        std::vector<double> v;
        for (int i = 0; i <= static_cast<int>(length); ++i) {
            const QPointF p = start + u * i + down * offset;
            v.push_back(greyAt(grey, p.x(), p.y()));
        }
        return v;
    };
    // The shift that best aligns the pattern above with the one below.
    const auto bestShift = [&](const std::vector<double> &a, const std::vector<double> &b, int maxShift) {
        double best = 1e300;
        int bestK = 0;
        const int n = static_cast<int>(a.size());
        for (int k = -maxShift; k <= maxShift; ++k) {
            double sum = 0;
            int count = 0;
            for (int i = std::max(0, -k); i < n && i + k < n; ++i) {
                sum += std::abs(a[static_cast<size_t>(i)] - b[static_cast<size_t>(i + k)]);
                ++count;
            }
            if (count > n / 2 && sum / count < best) {
                best = sum / count;
                bestK = k;
            }
        }
        return bestK;
    };
    // Far enough apart to measure, near enough to stay on the bars.
    for (double offset : {12.0, 6.0, 3.0}) {
        const auto above = profile(-offset), below = profile(offset);
        const bool onBars = std::any_of(above.begin(), above.end(), [](double g) { return g < 100; })
                            && std::any_of(below.begin(), below.end(), [](double g) { return g < 100; });
        if (!onBars)
            continue;
        const int maxShift = static_cast<int>(std::ceil(2 * offset * std::tan(50.0 * std::numbers::pi / 180)));
        const int shift = bestShift(above, below, maxShift);
        // A bar leaning clockwise lies further back along the line below it.
        angle += std::atan2(-double(shift), 2 * offset) * 180.0 / std::numbers::pi;
        break;
    }
    return angle;
}

// Whether the white margin before and after the code, along lines through it,
// is at least modules narrow elements wide. A majority of three lines decides,
// so that a speck of dust on one of them does not.
bool quietZoneOk(const QImage &grey, const Candidate &c, int modules)
{
    const auto &[tl, tr, br, bl] = c.corners;
    const QPointF start = (tl + bl) / 2.0, end = (tr + br) / 2.0;
    const QPointF axis = end - start;
    const double length = std::hypot(axis.x(), axis.y());
    if (length < 4)
        return false;
    const QPointF u = axis / length;
    const QPointF n(-u.y(), u.x());
    const double halfHeight = std::hypot((bl - tl).x(), (bl - tl).y()) / 2.0;
    int good = 0, lines = 0;
    for (double offset : {0.0, -halfHeight / 2.0, halfHeight / 2.0}) {
        if (lines > 0 && halfHeight < 4)
            break;
        ++lines;
        const QPointF s = start + n * offset, e = end + n * offset;
        std::vector<int> samples;
        int lo = 255, hi = 0;
        for (int i = 0; i <= static_cast<int>(length); ++i) {
            const QPointF p = s + u * i;
            const int v = greyAt(grey, p.x(), p.y());
            samples.push_back(v);
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
        if (hi - lo < 30)
            continue;
        const int thr = (lo + hi) / 2;
        std::vector<int> runs;
        int run = 1;
        for (size_t i = 1; i < samples.size(); ++i) {
            if ((samples[i] < thr) == (samples[i - 1] < thr)) {
                ++run;
            } else {
                runs.push_back(run);
                run = 1;
            }
        }
        // The first run may be a pixel of margin where the decoder put the end.
        if (runs.size() < 4)
            continue;
        runs.erase(runs.begin());
        std::sort(runs.begin(), runs.end());
        const double narrow = std::max(1, runs[runs.size() / 10]);
        auto zoneClear = [&](QPointF from, QPointF dir) {
            double pos = 0;
            // Decoders place the ends within a pixel or two of the outer bars.
            while (pos < 2 * narrow && greyAt(grey, from.x() + dir.x() * pos, from.y() + dir.y() * pos) < thr)
                pos += 1;
            const double zone = modules * narrow;
            int darkRun = 0;
            for (double d = pos + 1; d <= pos + zone; d += 1) {
                if (greyAt(grey, from.x() + dir.x() * d, from.y() + dir.y() * d) < thr) {
                    if (++darkRun >= std::max(1.0, narrow / 2.0))
                        return false;
                } else {
                    darkRun = 0;
                }
            }
            return true;
        };
        if (zoneClear(s, -u) && zoneClear(e, u))
            ++good;
    }
    return lines > 0 && good * 2 > lines;
}

bool allDigits(const QString &s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

bool gtinCheckOk(const QString &digits)
{
    if (!allDigits(digits) || digits.size() < 2)
        return false;
    int sum = 0;
    const qsizetype n = digits.size() - 1;
    for (qsizetype i = 0; i < n; ++i) {
        const int d = digits[n - 1 - i].unicode() - '0';
        sum += (i % 2 == 0) ? 3 * d : d;
    }
    return (10 - sum % 10) % 10 == digits[n].unicode() - '0';
}

// UPC-E (number system, six digits, check digit) written out as UPC-A.
QString upceToUpca(const QString &e)
{
    if (e.size() != 8 || !allDigits(e))
        return {};
    const QString ns = e.left(1), d = e.mid(1, 6), check = e.right(1);
    QString body;
    switch (d[5].unicode()) {
    case '0': case '1': case '2':
        body = d.left(2) + d[5] + QStringLiteral("0000") + d.mid(2, 3);
        break;
    case '3':
        body = d.left(3) + QStringLiteral("00000") + d.mid(3, 2);
        break;
    case '4':
        body = d.left(4) + QStringLiteral("00000") + d[4];
        break;
    default:
        body = d.left(5) + QStringLiteral("0000") + d[5];
        break;
    }
    return ns + body + check;
}

const char *const Code39Chars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";

bool code39CheckOk(const QString &text)
{
    if (text.size() < 2)
        return false;
    int sum = 0;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        const char *p = std::strchr(Code39Chars, text[i].toLatin1());
        if (!p || text[i].unicode() == 0)
            return false;
        sum += static_cast<int>(p - Code39Chars);
    }
    return text.back() == QLatin1Char(Code39Chars[sum % 43]);
}

// Full ASCII Code 39: pairs of a shift character ($ % / +) and a letter.
QString code39Extended(const QString &text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool shift = c == QLatin1Char('$') || c == QLatin1Char('%') || c == QLatin1Char('/') || c == QLatin1Char('+');
        if (!shift || i + 1 >= text.size()) {
            out += c;
            continue;
        }
        const char next = text[i + 1].toLatin1();
        int code = -1;
        if (c == QLatin1Char('$') && next >= 'A' && next <= 'Z')
            code = next - 'A' + 1;
        else if (c == QLatin1Char('+') && next >= 'A' && next <= 'Z')
            code = next - 'A' + 'a';
        else if (c == QLatin1Char('/') && next >= 'A' && next <= 'O')
            code = next - 'A' + '!';
        else if (c == QLatin1Char('/') && next == 'Z')
            code = ':';
        else if (c == QLatin1Char('%')) {
            static const char *const pct = "\x1b\x1c\x1d\x1e\x1f;<=>?[\\]^_{|}~\x7f";
            if (next >= 'A' && next <= 'T')
                code = static_cast<unsigned char>(pct[next - 'A']);
            else if (next == 'U')
                code = 0;
            else if (next == 'V')
                code = '@';
            else if (next == 'W')
                code = '`';
            else if (next >= 'X' && next <= 'Z')
                code = 0x7f;
        }
        if (code < 0) {
            out += c;
            continue;
        }
        out += QChar(code);
        ++i;
    }
    return out;
}

bool overlaps(const QRect &a, const QRect &b)
{
    const QRect i = a.intersected(b);
    if (i.isEmpty())
        return false;
    const double ia = double(i.width()) * i.height();
    return ia >= 0.3 * std::min(double(a.width()) * a.height(), double(b.width()) * b.height());
}

QRect boundingRect(const Candidate &c, QPoint origin)
{
    QPolygonF poly;
    for (const QPointF &p : c.corners)
        poly << p + QPointF(origin);
    const QRectF r = poly.boundingRect();
    // Scan-line reads of a level code give a zero-height box: make it a line.
    return QRect(QPoint(qFloor(r.left()), qFloor(r.top())), QPoint(qCeil(r.right()), qCeil(r.bottom())));
}

// A line that crosses a steeply tilted code obliquely leaves it through its
// upper or lower edge, and what it read up to there can pass for a shorter
// code (Interleaved 2 of 5 has neither a fixed length nor a check digit).
// Where the first engine read the same place as other data on many more
// lines, the short reading is such a fragment, whatever the settings make of
// the whole code afterwards.
bool outvoted(const Candidate &c, const std::vector<Candidate> &all)
{
    return std::any_of(all.begin(), all.end(), [&](const Candidate &o) {
        return !o.needsValidation && o.type == c.type && o.data != c.data && o.lines >= 8
               && o.lines >= 4 * c.lines && overlaps(boundingRect(o, {}), boundingRect(c, {}));
    });
}

} // namespace

QList<BarcodeResult> BarcodeEngine::judge(const std::vector<Candidate> &candidates, const QImage &grey,
                                          QPoint origin, const ReaderSettings &s)
{
    QList<BarcodeResult> accepted;
    const double skewLimit = s.skewLimitDegrees();
    for (const Candidate &c : candidates) {
        if (!(s.BarcodeTypes & c.type) || outvoted(c, candidates))
            continue;
        const double angle = readingAngle(c, grey);
        const double quarter = std::round(angle / 90.0);
        const double skew = angle - 90.0 * quarter;
        const int direction = 1 << (((static_cast<int>(quarter) % 4) + 4) % 4);
        if (!(s.Directions & direction) || std::abs(skew) >= skewLimit)
            continue;

        QString data = c.data;
        if (c.type == Code39) {
            if (s.Code39Checksum) {
                if (!code39CheckOk(data))
                    continue;
                if (!s.ShowCheckDigit)
                    data.chop(1);
            }
            if (s.ExtendedCode39)
                data = code39Extended(data);
            if (!s.Code39StartStop)
                data = QLatin1Char('*') + data + QLatin1Char('*');
        } else if (isEanUpc(c.type)) {
            QString full = c.type == UpcE ? upceToUpca(data) : data;
            if (!gtinCheckOk(full))
                continue; // the second engine's misreads end here
            if (c.type == UpcE && s.ConvertUPCEToEAN13)
                data = QLatin1Char('0') + full;
            if (!s.ShowCheckDigit)
                data.chop(1);
        } else if (c.type == Interleaved25 && c.needsValidation) {
            if (data.size() < 6 || data.size() % 2 != 0)
                continue;
        }

        if (s.ReadNumeric && !allDigits(data))
            continue;
        if (c.type != Patch && (data.size() < s.MinLength || data.size() > s.MaxLength))
            continue;
        if (!BarcodePattern::matches(s.Pattern, data))
            continue;
        if (c.linear) {
            const int zone = std::max(s.QuietZoneSize, c.needsValidation ? 5 : 0);
            if (zone > 0 && !quietZoneOk(grey, c, std::min(zone, 100)))
                continue;
            if (c.needsValidation && c.lines < 2)
                continue;
        }

        BarcodeResult r;
        r.BarcodeType = c.type;
        r.Data = data;
        r.Position = boundingRect(c, origin);
        r.Direction = direction;
        r.Skew = skew;
        // The same code found again by a later pass, or a patch code's mirror
        // reading, is one code.
        const bool again = std::any_of(accepted.begin(), accepted.end(), [&](const BarcodeResult &o) {
            if (o.BarcodeType != r.BarcodeType)
                return false;
            // Passes at other scales report the same code a few lines apart.
            if (o.Data == r.Data)
                return o.Position.adjusted(-4, -4, 4, 4).intersects(r.Position.adjusted(-4, -4, 4, 4));
            return overlaps(o.Position, r.Position);
        });
        if (!again)
            accepted.push_back(r);
    }
    std::stable_sort(accepted.begin(), accepted.end(), [](const BarcodeResult &a, const BarcodeResult &b) {
        // Codes whose tops are within a few pixels count as one line of the page.
        if (std::abs(a.Position.top() - b.Position.top()) > 8)
            return a.Position.top() < b.Position.top();
        return a.Position.left() < b.Position.left();
    });
    if (!s.AllowDuplicateValues) {
        QList<BarcodeResult> unique;
        for (const BarcodeResult &r : accepted) {
            const bool seen = std::any_of(unique.begin(), unique.end(), [&](const BarcodeResult &o) {
                return o.BarcodeType == r.BarcodeType && o.Data == r.Data;
            });
            if (!seen)
                unique.push_back(r);
        }
        accepted = unique;
    }
    return accepted;
}

QList<BarcodeResult> BarcodeEngine::scan(const QImage &image, QPoint origin, const ReaderSettings &s)
{
    if (image.isNull() || image.width() < 8 || image.height() < 8)
        return {};
    QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const int passes = std::clamp(s.NoiseReduction, 0, 5);
    if (passes > 0)
        grey = ImageFilters::medianPasses(grey, passes);
    grey = ImageFilters::removeThinFeatures(grey, std::clamp(s.MinSpaceBarWidth, 1, 20));
    const int threshold = std::clamp(s.ColorThreshold, 1, 255);
    const QImage bw = ImageFilters::binarize(grey, threshold);
    const std::int32_t mask = s.BarcodeTypes;

    std::vector<Candidate> all;
    auto add = [&all](std::vector<Candidate> more) { all.insert(all.end(), more.begin(), more.end()); };
    const QTransform identity;
    add(zxingPass(grey, mask, s, identity, false));
    add(zxingPass(bw, mask, s, identity, false));
    if (std::min(grey.width(), grey.height()) >= 160)
        add(zxingPass(ImageFilters::rescale(grey, 0.5), mask, s, QTransform::fromScale(2, 2), false));
    if (s.UseOverSampling && qint64(grey.width()) * grey.height() <= 12'000'000)
        add(zxingPass(ImageFilters::rescale(grey, 2.0), mask, s, QTransform::fromScale(0.5, 0.5), false));
    // Tilted linear codes: passes turned in steps of the skew list, each
    // covering about four degrees either side.
    const int steps = std::clamp(s.SkewTolerance, 0, 5);
    for (int k = 1; k <= steps; ++k) {
        for (int sign : {1, -1}) {
            QTransform back;
            const QImage turned = rotated(grey, sign * 8.0 * k, &back);
            add(zxingPass(turned, mask, s, back, true));
        }
    }
    ScanLineReader::Options lineOptions;
    lineOptions.lineJump = std::clamp(s.LineJump, 1, 1000);
    lineOptions.minLines = s.ErrorCorrection ? 1 : 2;
    if (mask & Industrial25) {
        lineOptions.type = Industrial25;
        add(ScanLineReader::read(bw, &Code25IndustrialDecoder::decode, lineOptions));
    }
    if (mask & Patch) {
        lineOptions.type = Patch;
        lineOptions.minExtent = 0.75; // bars at least 0.75 in on a code 0.80 in wide, less the tilt
        add(ScanLineReader::read(bw, &PatchCodeDecoder::decode, lineOptions));
    }
    add(ZbarReader::read(grey, mask, s.LineJump));
    return judge(all, grey, origin, s);
}

QList<BarcodeResult> BarcodeEngine::scanFile(const QString &path, const std::optional<QRect> &rect,
                                             const ReaderSettings &settings)
{
    if (rect && (rect->width() <= 0 || rect->height() <= 0)) {
        PageImage::pageSize(path); // a missing file is still an error
        return {};
    }
    QSize pageSize;
    const QImage part = PageImage::loadFirstPage(path, rect ? *rect : QRect(), &pageSize);
    if (part.isNull())
        return {};
    const QPoint origin = rect ? rect->intersected(QRect(QPoint(0, 0), pageSize)).topLeft() : QPoint(0, 0);
    return scan(part, origin, settings);
}
