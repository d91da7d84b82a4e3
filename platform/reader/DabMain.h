#pragma once

#include "BarcodeReaderClient.h"
#include "automation/AutomationObject.h"

// "sceDab1.DabMain", the reader component's entry object: init first, then
// createBarcodeReader hands out readers that scan through the helper process.
class DabMain : public AutomationObject
{
public:
    static inline const QString ProgId = QStringLiteral("sceDab1.DabMain");

    // client: how readers made here reach the helper (tests make it crash or hang).
    explicit DabMain(BarcodeReaderClient client = BarcodeReaderClient());

    QString description() const override { return ProgId; }

protected:
    QVariant invoke(const QString &member, AutomationArgs &args) override;
    QVariant readProperty(const QString &name) override;

private:
    QVariant createBarcodeReader();

    BarcodeReaderClient m_client;
    bool m_initialised = false;
};
