#pragma once

#include "BarcodeResult.h"
#include "automation/AutomationObject.h"

// One barcode of a result list: Data, BarcodeType and Position, each read as
// method or property.
class DabBarcode : public AutomationObject
{
public:
    explicit DabBarcode(BarcodeResult barcode) : m_barcode(std::move(barcode)) {}

    QString description() const override { return QStringLiteral("sceDab1.Barcode"); }

protected:
    QVariant invoke(const QString &member, AutomationArgs &args) override;
    QVariant readProperty(const QString &name) override;

private:
    BarcodeResult m_barcode;
};
