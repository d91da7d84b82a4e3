#include "DabBarcodeReader.h"

#include "AppError.h"
#include "DabBarcodeList.h"
#include "DabBarcodeReaderSettings.h"
#include "DabDataRect.h"

using namespace automation;

namespace {
template <typename T> std::shared_ptr<T> objectArg(const AutomationArgs &args, const QString &expected)
{
    requireArgCount(args, 1);
    auto object = std::dynamic_pointer_cast<T>(variantToObject(args[0].value));
    if (!object)
        throw AppError(QStringLiteral("Typkonflikt: erwartet wird ein Objekt %1.").arg(expected));
    return object;
}
} // namespace

DabBarcodeReader::DabBarcodeReader(BarcodeReaderClient client) : m_client(client)
{
}

QVariant DabBarcodeReader::invoke(const QString &member, AutomationArgs &args)
{
    if (member == u"loadSettingsFrom") {
        m_settings = objectArg<DabBarcodeReaderSettings>(args, DabBarcodeReaderSettings::ProgId)->settings();
        return {};
    }
    if (member == u"setScanRect") {
        m_scanRect = objectArg<DabDataRect>(args, DabDataRect::ProgId)->toRect();
        return {};
    }
    if (member == u"scanBarcodes") {
        requireArgCount(args, 1);
        const QString path = stringArg(args, 0);
        return objectToVariant(std::make_shared<DabBarcodeList>(m_client.scan(path, m_scanRect, m_settings)));
    }
    unknownMember();
}
