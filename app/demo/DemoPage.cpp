#include "DemoPage.h"

#include "reader/BarcodeRenderer.h"

#include <QFont>
#include <QPainter>

namespace {

constexpr int Dpi = 300;
// Millimetres to page pixels.
constexpr int mm(double v)
{
    return int(v * Dpi / 25.4 + 0.5);
}

// 210 x 297 mm.
QImage a4Page()
{
    QImage page(mm(210), mm(297), QImage::Format_Grayscale8);
    page.fill(255);
    return page;
}

QFont font(double points, bool bold = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(int(points * Dpi / 72.0 + 0.5));
    f.setBold(bold);
    return f;
}

// Paints the text parts of a page; the codes are placed afterwards.
class PageWriter
{
public:
    explicit PageWriter(QImage &page) : m_page(page), m_p(&page)
    {
        m_p.setRenderHint(QPainter::TextAntialiasing);
        m_p.setRenderHint(QPainter::Antialiasing);
    }

    void text(double xMm, double yMm, const QString &s, double points = 10, bool bold = false,
              Qt::Alignment align = Qt::AlignLeft, double widthMm = 0)
    {
        m_p.setFont(font(points, bold));
        m_p.setPen(Qt::black);
        if (widthMm > 0) {
            m_p.drawText(QRect(mm(xMm), mm(yMm), mm(widthMm), mm(points * 0.6)),
                         int(align | Qt::AlignVCenter), s);
            return;
        }
        m_p.drawText(QPoint(mm(xMm), mm(yMm) + QFontMetrics(font(points, bold)).ascent()), s);
    }
    void rule(double x1Mm, double yMm, double x2Mm, double widthMm = 0.3, int grey = 0)
    {
        m_p.fillRect(QRect(mm(x1Mm), mm(yMm), mm(x2Mm) - mm(x1Mm), std::max(1, mm(widthMm))),
                     QColor(grey, grey, grey));
    }
    void box(double xMm, double yMm, double wMm, double hMm, int grey)
    {
        m_p.fillRect(QRect(mm(xMm), mm(yMm), mm(wMm), mm(hMm)), QColor(grey, grey, grey));
    }
    // The supplier's letterhead: a mark, the name and a line of contacts.
    void letterhead()
    {
        box(20, 14, 16, 16, 40);
        box(24, 18, 8, 8, 255);
        box(26, 20, 4, 4, 40);
        text(40, 14, QStringLiteral("Nordwerk Büroausstattung GmbH"), 18, true);
        text(40, 23,
             QStringLiteral("Hafenstraße 12 · 20457 Hamburg · Telefon 040 1234567 · info@nordwerk.example"),
             8.5);
        rule(20, 33, 190, 0.6, 90);
        text(20, 45, QStringLiteral("Nordwerk Büroausstattung GmbH · Hafenstraße 12 · 20457 Hamburg"), 7);
        rule(20, 49, 105, 0.2, 120);
    }
    void recipient()
    {
        text(20, 52, QStringLiteral("Lindner & Söhne KG"), 11);
        text(20, 58, QStringLiteral("Einkauf / Frau Petra Lindner"), 11);
        text(20, 64, QStringLiteral("Mühlenweg 7"), 11);
        text(20, 70, QStringLiteral("34117 Kassel"), 11);
    }
    // The document's name and its reference lines to the right of the
    // address; the first value (the document's number) in bold.
    void heading(const QString &title, const QList<std::pair<QString, QString>> &lines, double valueXMm)
    {
        text(130, 52, title, 16, true);
        double y = 61;
        for (const auto &[label, value] : lines) {
            text(130, y, label, 9);
            text(valueXMm, y, value, 9, y == 61);
            y += 5;
        }
    }
    // The grey heading row of an item table: column texts at their left edges.
    void tableHeading(double yMm, const QList<std::pair<double, QString>> &columns)
    {
        box(20, yMm, 170, 7, 215);
        for (const auto &[x, caption] : columns)
            text(x, yMm + 1.5, caption, 9, true);
    }
    void footer()
    {
        rule(20, 270, 190, 0.2, 120);
        text(20, 273, QStringLiteral("Nordwerk Büroausstattung GmbH · Sitz Hamburg"), 7);
        text(20, 277, QStringLiteral("Amtsgericht Hamburg HRB 98765 · Geschäftsführer: Jens Albers"), 7);
        text(128, 273, QStringLiteral("Hansabank Hamburg · USt-IdNr. DE123456789"), 7);
        text(128, 277, QStringLiteral("IBAN DE44 5001 0517 5407 3249 31 · BIC HANSDEHHXXX"), 7);
    }

    QPainter &painter() { return m_p; }
    void end() { m_p.end(); }

private:
    QImage &m_page;
    QPainter m_p;
};

struct Item
{
    const char *number;
    const char *text;
    const char *ean;
    int quantity;
    int priceCents;
};

const Item Items[] = {
    {"10-4411", "Bürostuhl Ergo Plus, anthrazit", "4006381333931", 4, 18900},
    {"10-2203", "Schreibtisch 160 x 80 cm, Buche", "4012345678901", 2, 32450},
    {"20-0815", "Rollcontainer, 3 Schubladen", "4000417025005", 2, 12990},
    {"30-1150", "Aktenordner A4, 80 mm, blau (VE 10)", "4260123450014", 6, 2390},
    {"40-0007", "Schreibtischleuchte LED, silber", "4008400401621", 4, 4790},
};

QString euro(int cents)
{
    QString s = QString::number(cents / 100);
    for (int i = s.size() - 3; i > 0; i -= 3)
        s.insert(i, u'.');
    return s + QStringLiteral(",%1 €").arg(cents % 100, 2, 10, QLatin1Char('0'));
}

// Places a code with its text line below, returns its box.
QRect placeCode(QImage &page, std::int32_t type, const QString &data, double xMm, double yMm, int module,
                int barHeight, const QString &humanText = {})
{
    BarcodeRenderer::Options o;
    o.moduleWidth = module;
    o.barHeight = barHeight;
    const QRect box =
        BarcodeRenderer::place(page, BarcodeRenderer::render(type, data, o), QPoint(mm(xMm), mm(yMm)));
    if (!humanText.isEmpty()) {
        QPainter p(&page);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(font(8));
        p.setPen(Qt::black);
        p.drawText(QRect(box.left(), box.bottom() - o.quietZone * module + 8, box.width(), mm(4)),
                   Qt::AlignHCenter | Qt::AlignTop, humanText);
    }
    return box;
}

// Places a code on the page and notes what it stands for and where it went.
void addCode(DemoPage &page, const QString &label, std::int32_t type, const QString &data, double xMm,
             double yMm, int module, int barHeight, const QString &humanText)
{
    page.Codes.append(
        {label, type, data, placeCode(page.Image, type, data, xMm, yMm, module, barHeight, humanText)});
}

} // namespace

DemoPage DemoPage::invoice()
{
    DemoPage page;
    page.FileName = QStringLiteral("rechnung-2024-004711.tif");
    page.Image = a4Page();
    {
        PageWriter w(page.Image);
        w.letterhead();
        w.recipient();
        w.heading(QStringLiteral("Rechnung"),
                  {{QStringLiteral("Rechnungsnummer:"), QStringLiteral("RE-2024-004711")},
                   {QStringLiteral("Rechnungsdatum:"), QStringLiteral("14.03.2024")},
                   {QStringLiteral("Kundennummer:"), QStringLiteral("KD-10442")},
                   {QStringLiteral("Ihre Bestellung:"), QStringLiteral("B-88213 vom 04.03.2024")}},
                  165);

        w.text(20, 104, QStringLiteral("Sehr geehrte Frau Lindner,"), 10);
        w.text(20, 110, QStringLiteral("für Ihren Auftrag danken wir Ihnen und berechnen wie folgt:"), 10);

        // The item table.
        double y = 120;
        w.tableHeading(y, {{22, QStringLiteral("Pos.")},
                           {32, QStringLiteral("Artikel")},
                           {52, QStringLiteral("Bezeichnung")},
                           {118, QStringLiteral("Menge")}});
        w.text(133, y + 1.5, QStringLiteral("Einzelpreis"), 9, true, Qt::AlignRight, 22);
        w.text(163, y + 1.5, QStringLiteral("Gesamt"), 9, true, Qt::AlignRight, 25);
        y += 9;
        int net = 0;
        int pos = 1;
        for (const Item &item : Items) {
            const int total = item.quantity * item.priceCents;
            net += total;
            w.text(22, y, QString::number(pos++), 9);
            w.text(32, y, QString::fromLatin1(item.number), 9);
            w.text(52, y, QString::fromUtf8(item.text), 9);
            w.text(52, y + 4.2, QStringLiteral("EAN ") + QString::fromLatin1(item.ean), 7);
            w.text(118, y, QStringLiteral("%1 Stk.").arg(item.quantity), 9);
            w.text(133, y, euro(item.priceCents), 9, false, Qt::AlignRight, 22);
            w.text(163, y, euro(total), 9, false, Qt::AlignRight, 25);
            y += 10;
            w.rule(20, y - 1.5, 190, 0.15, 170);
        }
        const int tax = (net * 19 + 50) / 100;
        y += 2;
        w.text(118, y, QStringLiteral("Nettobetrag"), 9);
        w.text(163, y, euro(net), 9, false, Qt::AlignRight, 25);
        w.text(118, y + 5, QStringLiteral("zzgl. 19 % MwSt."), 9);
        w.text(163, y + 5, euro(tax), 9, false, Qt::AlignRight, 25);
        w.rule(118, y + 10, 190, 0.3);
        w.text(118, y + 11.5, QStringLiteral("Rechnungsbetrag"), 10, true);
        w.text(158, y + 11.5, euro(net + tax), 10, true, Qt::AlignRight, 30);
        w.rule(118, y + 17, 190, 0.3);
        w.rule(118, y + 17.8, 190, 0.3);

        w.text(20, 212, QStringLiteral("Zahlbar innerhalb von 14 Tagen ohne Abzug bis zum 28.03.2024."), 9);
        w.text(20, 217, QStringLiteral("Bitte geben Sie bei Zahlung die Rechnungsnummer an."), 9);
        w.text(20, 226, QStringLiteral("Zahlungsinformationen:"), 8, true);
        w.text(20, 185, QStringLiteral("Hauptartikel:"), 8, true);
        w.text(128, 236, QStringLiteral("Archiv-Nr.:"), 8, true);
        w.footer();
        w.end();
    }
    addCode(page, QStringLiteral("Rechnungsnummer"), 2, QStringLiteral("RE-2024-004711"), 128, 84, 3, 110,
            QStringLiteral("RE-2024-004711"));
    addCode(page, QStringLiteral("Kundennummer"), 1, QStringLiteral("KD-10442"), 20, 78, 3, 90,
            QStringLiteral("*KD-10442*"));
    addCode(page, QStringLiteral("Artikel-EAN"), 64, QStringLiteral("4006381333931"), 20, 189, 3, 110,
            QStringLiteral("4 006381 333931"));
    addCode(page, QStringLiteral("Zahlungsdaten"), 1024,
            QStringLiteral("RE-2024-004711;KD-10442;EUR 2379,76;DE44500105175407324931"), 20, 230, 3, 120,
            QString());
    addCode(page, QStringLiteral("Archivnummer"), 4, QStringLiteral("0024004711"), 128, 240, 3, 100,
            QStringLiteral("0024004711"));
    return page;
}

DemoPage DemoPage::deliveryNote()
{
    DemoPage page;
    page.FileName = QStringLiteral("lieferschein-2024-08815.tif");
    page.Image = a4Page();
    {
        PageWriter w(page.Image);
        w.letterhead();
        w.recipient();
        w.heading(QStringLiteral("Lieferschein"),
                  {{QStringLiteral("Lieferscheinnummer:"), QStringLiteral("LS-2024-08815")},
                   {QStringLiteral("Lieferdatum:"), QStringLiteral("12.03.2024")},
                   {QStringLiteral("Kundennummer:"), QStringLiteral("KD-10442")},
                   {QStringLiteral("Bestellung:"), QStringLiteral("B-88213")}},
                  167);
        w.text(20, 104, QStringLiteral("Wir liefern Ihnen heute in 3 Packstücken:"), 10);

        double y = 114;
        w.tableHeading(y, {{22, QStringLiteral("Pos.")},
                           {32, QStringLiteral("Artikel")},
                           {52, QStringLiteral("Bezeichnung")},
                           {120, QStringLiteral("Menge")},
                           {142, QStringLiteral("EAN")}});
        y += 9;
        int pos = 1;
        for (const Item &item : Items) {
            w.text(22, y, QString::number(pos++), 9);
            w.text(32, y, QString::fromLatin1(item.number), 9);
            w.text(52, y, QString::fromUtf8(item.text), 9);
            w.text(120, y, QStringLiteral("%1 Stk.").arg(item.quantity), 9);
            w.text(142, y, QString::fromLatin1(item.ean), 9);
            y += 8;
            w.rule(20, y - 1.5, 190, 0.15, 170);
        }
        w.text(128, 190, QStringLiteral("Packstück 1 von 3:"), 8, true);
        w.text(20, 232, QStringLiteral("Ware vollständig und unbeschädigt erhalten:"), 9);
        w.rule(20, 250, 90, 0.2);
        w.text(20, 252, QStringLiteral("Datum, Unterschrift"), 7);
        w.footer();
        w.end();
    }
    addCode(page, QStringLiteral("Lieferscheinnummer"), 2, QStringLiteral("LS-2024-08815"), 128, 84, 3, 110,
            QStringLiteral("LS-2024-08815"));
    addCode(page, QStringLiteral("Bestellnummer"), 1, QStringLiteral("B-88213"), 20, 78, 3, 90,
            QStringLiteral("*B-88213*"));
    addCode(page, QStringLiteral("Packstück"), 64, QStringLiteral("4012345678901"), 128, 196, 3, 110,
            QStringLiteral("4 012345 678901"));
    return page;
}
