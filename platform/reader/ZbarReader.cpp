// zbar.h first: its C++ part does not survive some of the macros other headers define.
#include <zbar.h>

#include "ZbarReader.h"

#include <algorithm>

using namespace zbar;

namespace {

constexpr std::int32_t Code39 = 1, Code128 = 2, Interleaved25 = 4, Codabar = 16, Ean8 = 32, Ean13 = 64, UpcA = 256,
                       UpcE = 512;

struct ZbarType
{
    zbar_symbol_type_t sym;
    std::int32_t flag;
};
constexpr ZbarType ZbarTypes[] = {
    {ZBAR_CODE39, Code39}, {ZBAR_CODE128, Code128}, {ZBAR_I25, Interleaved25}, {ZBAR_CODABAR, Codabar},
    {ZBAR_EAN8, Ean8}, {ZBAR_EAN13, Ean13}, {ZBAR_UPCA, UpcA}, {ZBAR_UPCE, UpcE},
};

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
            int x0 = INT32_MAX, y0 = INT32_MAX, x1 = INT32_MIN, y1 = INT32_MIN;
            for (unsigned i = 0; i < n; ++i) {
                x0 = std::min(x0, zbar_symbol_get_loc_x(sym, i));
                x1 = std::max(x1, zbar_symbol_get_loc_x(sym, i));
                y0 = std::min(y0, zbar_symbol_get_loc_y(sym, i));
                y1 = std::max(y1, zbar_symbol_get_loc_y(sym, i));
            }
            const QPointF a(x0, y0), b(x1, y0), cc(x1, y1), d(x0, y1);
            switch (zbar_symbol_get_orientation(sym)) {
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

