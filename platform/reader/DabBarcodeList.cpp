#include "DabBarcodeList.h"

#include "AppError.h"
#include "DabBarcode.h"

using namespace automation;

QVariant DabBarcodeList::invoke(const QString &member, AutomationArgs &args)
{
    if (member == u"Count") {
        requireArgCount(args, 0);
        return static_cast<std::int32_t>(m_barcodes.size());
    }
    if (member == u"get") {
        requireArgCount(args, 1);
        const std::int32_t index = int32Arg(args, 0);
        if (index < 0 || index >= m_barcodes.size())
            throw AppError(QStringLiteral("Der Index %1 liegt außerhalb der Liste (%2 Barcodes).")
                               .arg(index)
                               .arg(m_barcodes.size()));
        return objectToVariant(std::make_shared<DabBarcode>(m_barcodes[index]));
    }
    unknownMember();
}

QVariant DabBarcodeList::readProperty(const QString &name)
{
    if (name == u"Count")
        return static_cast<std::int32_t>(m_barcodes.size());
    unknownMember();
}
