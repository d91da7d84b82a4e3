#include "DemoWorkspace.h"

#include "AppError.h"
#include "AreaGeometry.h"
#include "DemoPage.h"
#include "HostDatabaseFile.h"
#include "SqlText.h"
#include "reader/PageImage.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Fields of the invoice mask, in line order; the areas that fill them.
const QStringList InvoiceFields{QStringLiteral("Rechnungsnummer"), QStringLiteral("Kundennummer"),
                                QStringLiteral("Rechnungsdatum"),  QStringLiteral("Bestellnummer"),
                                QStringLiteral("Betrag"),          QStringLiteral("Archivnummer")};
const QStringList DeliveryFields{QStringLiteral("Lieferscheinnummer"), QStringLiteral("Kundennummer"),
                                 QStringLiteral("Bestellnummer"), QStringLiteral("Lieferdatum")};

void writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(content) != content.size())
        throw AppError(QStringLiteral("%1 kann nicht geschrieben werden").arg(path));
}

// A margin around each code, so that a slightly different scan still has the
// whole code inside its area.
QString areaTextAround(const QRect &box, const QImage &page)
{
    const int margin = 24;
    const QRect r = box.adjusted(-margin, -margin, margin, margin).intersected(page.rect());
    return RectToAreaText(r.left(), r.top(), r.width(), r.height(), page.width(), page.height());
}

QStringList hostRows(const DemoPage &invoice)
{
    const QString d = QString::number(DemoWorkspace::DocumentType);
    QStringList sql{
        QStringLiteral("INSERT INTO BCDocuments (DocBCID, DocID, Name, AdrID) VALUES (1, %1, 'Eingangsrechnungen', 0)")
            .arg(d),
        QStringLiteral("INSERT INTO Maske (DocID, EloID, Name) VALUES (%1, 12, 'Eingangsrechnung'), "
                       "(7, 14, 'Lieferschein')")
            .arg(d),
    };
    for (int i = 0; i < InvoiceFields.size(); ++i)
        sql << QStringLiteral("INSERT INTO MaskLines (DocID, RowNo, Name) VALUES (%1, %2, %3)")
                   .arg(d)
                   .arg(i + 1)
                   .arg(sqlQuoted(InvoiceFields[i]));
    for (int i = 0; i < DeliveryFields.size(); ++i)
        sql << QStringLiteral("INSERT INTO MaskLines (DocID, RowNo, Name) VALUES (7, %1, %2)")
                   .arg(i + 1)
                   .arg(sqlQuoted(DeliveryFields[i]));

    // One stored area per code of the invoice, set to read exactly that code.
    int areaBCID = 0;
    for (const DemoPage::Code &code : invoice.Codes) {
        ++areaBCID;
        const bool linear = code.Type != 1024;
        sql << QStringLiteral("INSERT INTO BCAreas (AreaBCID, DocBCID, Name, BCArea, BCType, BCDirection, MinLen, "
                              "MaxLen, AllowDuplicate, Code39Checksum, Code39StartStop, [Numeric], ConvertUPCE, "
                              "ErrorCorrection, ExtendedC39, ShowCheckDig, OverSampling, LineJump, ColorThreshold, "
                              "MinSpaceBar, QuietZone, NoiseReduction, SkewTolerance, Pattern) VALUES "
                              "(%1, 1, %2, %3, %4, 1, %5, %6, 1, 0, 1, %7, 1, 0, 0, 1, 0, 5, 128, 1, %8, 0, 1, %9)")
                   .arg(areaBCID)
                   .arg(sqlQuoted(code.Label), sqlQuoted(areaTextAround(code.Box, invoice.Image)))
                   .arg(code.Type)
                   .arg(code.Data.size())
                   .arg(code.Data.size())
                   .arg(code.Type == 4 || code.Type == 64 ? 1 : 0)
                   .arg(linear ? 10 : 2)
                   .arg(code.Type == 2 ? QStringLiteral("'RE-####-######'") : QStringLiteral("NULL"));
    }
    // Bound: Rechnungsnummer, Kundennummer and Archivnummer; the other fields
    // are left to the user.
    const auto bind = [&](int rowNo, int area) {
        sql << QStringLiteral("UPDATE MaskLines SET BarcodeID = 1, BCArea = %1 WHERE DocID = %2 AND RowNo = %3")
                   .arg(area)
                   .arg(d)
                   .arg(rowNo);
    };
    bind(1, 1);
    bind(2, 2);
    bind(6, 5);
    return sql;
}

} // namespace

QString DemoWorkspace::platformFolder(const QString &dir)
{
    return QDir(dir).absoluteFilePath(QStringLiteral("platform"));
}

QStringList DemoWorkspace::arguments(const QString &dir)
{
    return {QStringLiteral("/M") + MaskName,
            QStringLiteral("/C") + QDir(dir).absoluteFilePath(QStringLiteral("host.db")),
            QStringLiteral("/A") + QString::number(AddressNumber),
            QStringLiteral("/D") + QString::number(DocumentType)};
}

void DemoWorkspace::write(const QString &dirPath, const QString &schemaFile)
{
    QDir dir(dirPath);
    if (!dir.mkpath(QStringLiteral("platform")) || !dir.mkpath(QStringLiteral("pages")))
        throw AppError(QStringLiteral("%1 kann nicht angelegt werden").arg(dirPath));

    const DemoPage invoice = DemoPage::invoice();
    const DemoPage delivery = DemoPage::deliveryNote();
    QJsonArray postbox;
    for (const DemoPage *page : {&invoice, &delivery}) {
        const QString path = dir.absoluteFilePath(QStringLiteral("pages/") + page->FileName);
        PageImage::saveTiff(path, {page->Image}, PageImage::TiffEncoding::Grey, 300);
        postbox.append(QJsonObject{{"file", path}, {"selected", page == &invoice}});
    }

    writeFile(dir.absoluteFilePath(QStringLiteral("platform/registry.reg")),
              QByteArrayLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                                "[HKEY_CURRENT_USER\\Software\\ELO Digital\\Elo32.1\\Options]\r\n"
                                "\"ActiveUser\"=\"Anna Schmidt\"\r\n"));
    const QJsonArray masks{
        QJsonObject{{"name", MaskName}, {"number", 12}, {"fields", QJsonArray::fromStringList(InvoiceFields)}},
        QJsonObject{{"name", "Lieferschein"}, {"number", 14}, {"fields", QJsonArray::fromStringList(DeliveryFields)}},
    };
    writeFile(dir.absoluteFilePath(QStringLiteral("platform/elo-client.json")),
              QJsonDocument(QJsonObject{{"ready", true}, {"postbox", postbox}, {"masks", masks}}).toJson());

    const QString db = dir.absoluteFilePath(QStringLiteral("host.db"));
    QFile::remove(db);
    HostDatabaseFile::create(db, schemaFile, hostRows(invoice));
}
