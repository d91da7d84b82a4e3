// zbar.h first: its C++ part does not survive some of the macros other headers define.
#include <zbar.h>

#include "U_misc.h"
#include "ZbarReader.h"

#include <algorithm>
#include <array>
#include <cmath>

using namespace zbar;

namespace {

using namespace BarcodeFlag;

struct ZbarType
{
    zbar_symbol_type_t sym;
    std::int32_t flag;
};
constexpr ZbarType ZbarTypes[] = {
    {ZBAR_CODE39, Code39}, {ZBAR_CODE128, Code128}, {ZBAR_I25, Interleaved25}, {ZBAR_CODABAR, Codabar},
    {ZBAR_EAN8, Ean8}, {ZBAR_EAN13, Ean13}, {ZBAR_UPCA, UpcA}, {ZBAR_UPCE, UpcE},
};

// ZBar gives the ends of the scan lines that read the code. A line fitted
// through each end's points gives the code's edges, and with them its tilt.
// Returns the corners top left, top right, bottom right, bottom left as they
// lie on the page.
std::array<QPointF, 4> edgeCorners(const std::vector<QPointF> &points, bool vertical)
{
    // Work as if the scan lines ran across (x along the line, y between lines).
    auto along = [vertical](QPointF p) { return vertical ? p.y() : p.x(); };
    auto across = [vertical](QPointF p) { return vertical ? p.x() : p.y(); };
    double centre = 0, lo = 1e300, hi = -1e300;
    for (const QPointF &p : points) {
        centre += along(p);
        lo = std::min(lo, across(p));
        hi = std::max(hi, across(p));
    }
    centre /= static_cast<double>(points.size());
    auto fit = [&](bool startSide, double at) {
        double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
        for (const QPointF &p : points) {
            if ((along(p) < centre) != startSide)
                continue;
            const double x = across(p), y = along(p);
            n += 1; sx += x; sy += y; sxx += x * x; sxy += x * y;
        }
        if (n == 0)
            return centre;
        const double den = n * sxx - sx * sx;
        if (n < 2 || std::abs(den) < 1e-9)
            return sy / n;
        const double slope = (n * sxy - sx * sy) / den;
        return (sy - slope * sx) / n + slope * at;
    };
    auto point = [vertical](double alongValue, double acrossValue) {
        return vertical ? QPointF(acrossValue, alongValue) : QPointF(alongValue, acrossValue);
    };
    const QPointF startLo = point(fit(true, lo), lo), endLo = point(fit(false, lo), lo);
    const QPointF startHi = point(fit(true, hi), hi), endHi = point(fit(false, hi), hi);
    if (!vertical)
        return {startLo, endLo, endHi, startHi};
    // Across is x here: lo is the left edge, start (smaller y) the top.
    return {startLo, startHi, endHi, endLo};
}

} // namespace

std::vector<Candidate> ZbarReader::read(const QImage &img, std::int32_t mask, int lineJump)
{
    std::vector<Candidate> out;
    bool any = false;
    for (const ZbarType &t : ZbarTypes)
        any = any || (mask & t.flag);
    if (!any || img.isNull())
        return out;
    zbar_image_scanner_t *scanner = zbar_image_scanner_create();
    zbar_image_scanner_set_config(scanner, ZBAR_NONE, ZBAR_CFG_ENABLE, 0);
    for (const ZbarType &t : ZbarTypes)
        zbar_image_scanner_set_config(scanner, t.sym, ZBAR_CFG_ENABLE, (mask & t.flag) ? 1 : 0);
    const int density = std::clamp(lineJump, 1, 100);
    zbar_image_scanner_set_config(scanner, ZBAR_NONE, ZBAR_CFG_X_DENSITY, density);
    zbar_image_scanner_set_config(scanner, ZBAR_NONE, ZBAR_CFG_Y_DENSITY, density);
    std::vector<unsigned char> buffer(static_cast<size_t>(img.width()) * static_cast<size_t>(img.height()));
    for (int y = 0; y < img.height(); ++y)
        std::copy_n(img.constScanLine(y), img.width(), buffer.begin() + static_cast<long>(y) * img.width());
    zbar_image_t *zimg = zbar_image_create();
    zbar_image_set_format(zimg, zbar_fourcc('Y', '8', '0', '0'));
    zbar_image_set_size(zimg, static_cast<unsigned>(img.width()), static_cast<unsigned>(img.height()));
    zbar_image_set_data(zimg, buffer.data(), buffer.size(), nullptr);
    if (zbar_scan_image(scanner, zimg) > 0) {
        for (const zbar_symbol_t *sym = zbar_image_first_symbol(zimg); sym; sym = zbar_symbol_next(sym)) {
            Candidate c;
            for (const ZbarType &t : ZbarTypes)
                if (t.sym == zbar_symbol_get_type(sym))
                    c.type = t.flag;
            const unsigned n = zbar_symbol_get_loc_size(sym);
            if (c.type == 0 || n == 0)
                continue;
            c.data = QString::fromUtf8(zbar_symbol_get_data(sym),
                                       static_cast<qsizetype>(zbar_symbol_get_data_length(sym)));
            if (c.type == UpcA && c.data.size() == 13 && c.data.startsWith(QLatin1Char('0')))
                c.data.remove(0, 1);
            std::vector<QPointF> points;
            for (unsigned i = 0; i < n; ++i)
                points.emplace_back(zbar_symbol_get_loc_x(sym, i), zbar_symbol_get_loc_y(sym, i));
            const zbar_orientation_t orientation = zbar_symbol_get_orientation(sym);
            const bool vertical = orientation == ZBAR_ORIENT_RIGHT || orientation == ZBAR_ORIENT_LEFT;
            const auto [a, b, cc, d] = edgeCorners(points, vertical);
            switch (orientation) {
            case ZBAR_ORIENT_RIGHT: c.corners = {b, cc, d, a}; break;
            case ZBAR_ORIENT_DOWN: c.corners = {cc, d, a, b}; break;
            case ZBAR_ORIENT_LEFT: c.corners = {d, a, b, cc}; break;
            default: c.corners = {a, b, cc, d}; break;
            }
            c.lines = std::max(1, zbar_symbol_get_quality(sym));
            c.needsValidation = true;
            out.push_back(c);
        }
    }
    zbar_image_destroy(zimg);
    zbar_image_scanner_destroy(scanner);
    return out;
}

