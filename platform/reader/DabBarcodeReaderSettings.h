#pragma once

#include "ReaderSettings.h"
#include "automation/AutomationObject.h"

// "sceDab1.BarcodeReaderSettings": every reader setting as a property. A
// setting nobody put keeps the component's own default.
class DabBarcodeReaderSettings : public AutomationObject
{
public:
    static inline const QString ProgId = QStringLiteral("sceDab1.BarcodeReaderSettings");

    QString description() const override { return ProgId; }
    const ReaderSettings &settings() const { return m_settings; }

protected:
    QVariant invoke(const QString &member, AutomationArgs &args) override;
    QVariant readProperty(const QString &name) override;
    void writeProperty(const QString &name, const QVariant &value) override;

private:
    ReaderSettings m_settings;
};
