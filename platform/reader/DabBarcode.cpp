#include "DabBarcode.h"

#include "DabDataRect.h"

using namespace automation;

QVariant DabBarcode::invoke(const QString &member, AutomationArgs &args)
{
    if (member == u"Data" || member == u"BarcodeType" || member == u"Position") {
        requireArgCount(args, 0);
        return readProperty(member);
    }
    unknownMember();
}

QVariant DabBarcode::readProperty(const QString &name)
{
    if (name == u"Data")
        return m_barcode.Data;
    if (name == u"BarcodeType")
        return m_barcode.BarcodeType;
    if (name == u"Position")
        return objectToVariant(std::make_shared<DabDataRect>(m_barcode.Position));
    unknownMember();
}
