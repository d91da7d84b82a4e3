#include "DabMain.h"

#include "AppError.h"
#include "DabBarcodeReader.h"

using namespace automation;

DabMain::DabMain(BarcodeReaderClient client) : m_client(client)
{
}

QVariant DabMain::invoke(const QString &member, AutomationArgs &args)
{
    if (member == u"init") {
        requireArgCount(args, 1);
        // The string is the caller's licence text on the original platform;
        // this component has no licence and takes any text.
        stringArg(args, 0);
        m_initialised = true;
        return {};
    }
    if (member == u"createBarcodeReader") {
        requireArgCount(args, 0);
        return createBarcodeReader();
    }
    unknownMember();
}

QVariant DabMain::readProperty(const QString &name)
{
    if (name == u"createBarcodeReader")
        return createBarcodeReader();
    unknownMember();
}

QVariant DabMain::createBarcodeReader()
{
    if (!m_initialised)
        throw AppError(QStringLiteral("Die Barcode-Komponente wurde nicht mit init initialisiert."));
    return objectToVariant(std::make_shared<DabBarcodeReader>(m_client));
}
