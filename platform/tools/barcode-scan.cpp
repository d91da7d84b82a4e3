// barcode-scan [--area x1,y1,x2,y2] [--set NAME=VALUE]... FILE...
// Scans each file with the reader the tool uses and prints one line per
// barcode: file, type name, data, the area text of its position and its
// left,top,width,height, tab-separated. Exit code 2 when a file could not be
// scanned, 1 for a wrong command line, 0 otherwise (also with no barcode).

#include "AppError.h"
#include "AreaGeometry.h"
#include "reader/BarcodeReaderClient.h"
#include "reader/PageImage.h"
#include "U_misc.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

QString escaped(const QString &data)
{
    QString out;
    for (QChar c : data) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

const char *const Usage =
    "usage: barcode-scan [--area x1,y1,x2,y2] [--set NAME=VALUE]... FILE...\n"
    "  --area  scan only this area (thousandths of the page width and height)\n"
    "  --set   one reader setting, e.g. --set BarcodeTypes=2 --set ShowCheckDigit=false\n";

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    // The whole-page settings of "Barcodes erkennen": every type but patch
    // codes, every direction, the rest the reader's defaults.
    ReaderSettings settings;
    settings.BarcodeTypes = 1919;
    settings.Directions = 15;
    QString area;
    QStringList files;
    const QStringList args = app.arguments().mid(1);
    try {
        bool options = true;
        for (qsizetype i = 0; i < args.size(); ++i) {
            const QString &a = args[i];
            if (options && (a == QLatin1String("--help") || a == QLatin1String("-h"))) {
                out << Usage;
                return 0;
            }
            if (!options || !a.startsWith(QLatin1String("--"))) {
                files << a;
                continue;
            }
            if (a == QLatin1String("--")) {
                options = false; // what follows are files, also when they start with "--"
                continue;
            }
            if (a == QLatin1String("--area") || a == QLatin1String("--set")) {
                if (i + 1 >= args.size())
                    throw AppError(QStringLiteral("%1 needs a value.").arg(a));
                const QString value = args[++i];
                if (a == QLatin1String("--area")) {
                    AreaTextToRect(value, 1000, 1000); // refuses a malformed text before any scan
                    area = value;
                } else {
                    const qsizetype eq = value.indexOf(QLatin1Char('='));
                    if (eq <= 0)
                        throw AppError(QStringLiteral("--set expects NAME=VALUE, not \"%1\".").arg(value));
                    settings.set(value.left(eq), value.mid(eq + 1));
                }
            } else {
                throw AppError(QStringLiteral("Unknown option %1.").arg(a));
            }
        }
        if (files.isEmpty())
            throw AppError(QStringLiteral("No file given."));
    } catch (const AppError &e) {
        err << "barcode-scan: " << e.message() << "\n" << Usage;
        return 1;
    }

    int exitCode = 0;
    const BarcodeReaderClient reader;
    for (const QString &file : files) {
        try {
            const QSize page = PageImage::pageSize(file);
            std::optional<QRect> rect;
            if (!area.isEmpty()) {
                const TAreaRect r = AreaTextToRect(area, page.width(), page.height());
                rect = QRect(r.Left, r.Top, r.Width, r.Height);
            }
            for (const BarcodeResult &b : reader.scan(file, rect, settings)) {
                const QRect &p = b.Position;
                out << file << '\t' << BarcodeTypeName(b.BarcodeType) << '\t' << escaped(b.Data) << '\t'
                    << RectToAreaText(p.left(), p.top(), p.width(), p.height(), page.width(), page.height()) << '\t'
                    << p.left() << ',' << p.top() << ',' << p.width() << ',' << p.height() << '\n';
            }
            out.flush();
        } catch (const AppError &e) {
            out.flush();
            err << "barcode-scan: " << file << ": " << e.message() << "\n";
            err.flush();
            exitCode = 2;
        }
    }
    return exitCode;
}
