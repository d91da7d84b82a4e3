#pragma once

#include "BarcodeReaderClient.h"
#include "ReaderSettings.h"
#include "automation/AutomationObject.h"

#include <QRect>
#include <optional>

// The reader DabMain.createBarcodeReader hands out: takes its settings and
// its scan rectangle over from the objects passed to it (copies, so that
// later puts on them do not reach it) and scans a file's first page.
class DabBarcodeReader : public AutomationObject
{
public:
    explicit DabBarcodeReader(BarcodeReaderClient client);

    QString description() const override { return QStringLiteral("sceDab1.BarcodeReader"); }

protected:
    QVariant invoke(const QString &member, AutomationArgs &args) override;

private:
    BarcodeReaderClient m_client;
    ReaderSettings m_settings;
    std::optional<QRect> m_scanRect;
};
