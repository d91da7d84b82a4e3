#include "ReaderSession.h"

#include "AppError.h"
#include "automation/AutomationError.h"
#include "automation/ClassRegistry.h"

using namespace automation;

namespace {

AutomationObjectPtr objectAnswer(AutomationObject &from, const QString &member, const QVariant &answer)
{
    AutomationObjectPtr object = variantToObject(answer);
    if (!object)
        throw AutomationError(member, from.description(), QStringLiteral("Typkonflikt: die Antwort ist kein Objekt."));
    return object;
}

AutomationObjectPtr callForObject(AutomationObject &on, const QString &member, AutomationArgs &args)
{
    return objectAnswer(on, member, on.call(member, args));
}

std::int32_t readInt32(AutomationObject &on, const QString &member)
{
    AutomationArgs none;
    return on.callInt32(member, none);
}

} // namespace

ReaderSession::ReaderSession(ScanRect scanRect)
{
    m_main = create(QStringLiteral("sceDab1.DabMain"));
    m_main->call(QStringLiteral("init"), QVariantList{InitString});
    m_settings = create(QStringLiteral("sceDab1.BarcodeReaderSettings"));
    if (scanRect == ScanRect::Used)
        m_rect = create(QStringLiteral("sceDab1.DataRect"));
}

void ReaderSession::createReader()
{
    AutomationArgs none;
    m_reader = callForObject(*m_main, QStringLiteral("createBarcodeReader"), none);
    AutomationArgs args{AutomationArg::byReference(objectToVariant(m_settings))};
    m_reader->call(QStringLiteral("loadSettingsFrom"), args);
}

void ReaderSession::setScanRect(const TAreaRect &rect)
{
    if (!m_rect)
        throw AppError(QStringLiteral("Für diese Erkennung gibt es kein Rechteck-Objekt."));
    m_rect->setProperty(QStringLiteral("Left"), QVariant::fromValue<int>(rect.Left));
    m_rect->setProperty(QStringLiteral("Top"), QVariant::fromValue<int>(rect.Top));
    m_rect->setProperty(QStringLiteral("Width"), QVariant::fromValue<int>(rect.Width));
    m_rect->setProperty(QStringLiteral("Height"), QVariant::fromValue<int>(rect.Height));
    AutomationArgs args{AutomationArg::byReference(objectToVariant(m_rect))};
    reader().call(QStringLiteral("setScanRect"), args);
}

AutomationObjectPtr ReaderSession::scanBarcodes(const QString &file)
{
    AutomationArgs args{AutomationArg::byValue(file)};
    return callForObject(reader(), QStringLiteral("scanBarcodes"), args);
}

AutomationObject &ReaderSession::reader()
{
    if (!m_reader)
        throw AppError(QStringLiteral("Es wurde noch kein Barcode-Leser erzeugt."));
    return *m_reader;
}

std::int32_t ReaderSession::count(AutomationObject &list)
{
    return readInt32(list, QStringLiteral("Count"));
}

AutomationObjectPtr ReaderSession::get(AutomationObject &list, std::int32_t index)
{
    AutomationArgs args{AutomationArg::byValue(QVariant::fromValue<int>(index))};
    return callForObject(list, QStringLiteral("get"), args);
}

TAreaRect ReaderSession::positionOf(AutomationObject &barcode)
{
    AutomationArgs none;
    AutomationObjectPtr position = callForObject(barcode, QStringLiteral("Position"), none);
    TAreaRect r;
    r.Left = readInt32(*position, QStringLiteral("Left"));
    r.Top = readInt32(*position, QStringLiteral("Top"));
    r.Width = readInt32(*position, QStringLiteral("Width"));
    r.Height = readInt32(*position, QStringLiteral("Height"));
    return r;
}

QString ReaderSession::dataOf(AutomationObject &barcode)
{
    AutomationArgs none;
    return barcode.callString(QStringLiteral("Data"), none);
}

std::int32_t ReaderSession::typeOf(AutomationObject &barcode)
{
    return readInt32(barcode, QStringLiteral("BarcodeType"));
}
