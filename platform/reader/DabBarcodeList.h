#pragma once

#include "BarcodeResult.h"
#include "automation/AutomationObject.h"

#include <QList>

// The result list of one scan: Count, and get(i) for i from 0 to Count - 1.
class DabBarcodeList : public AutomationObject
{
public:
    explicit DabBarcodeList(QList<BarcodeResult> barcodes) : m_barcodes(std::move(barcodes)) {}

    QString description() const override { return QStringLiteral("sceDab1.BarcodeList"); }

protected:
    QVariant invoke(const QString &member, AutomationArgs &args) override;
    QVariant readProperty(const QString &name) override;

private:
    QList<BarcodeResult> m_barcodes;
};
