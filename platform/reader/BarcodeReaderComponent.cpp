#include "BarcodeReaderComponent.h"

#include "DabBarcodeReaderSettings.h"
#include "DabDataRect.h"
#include "DabMain.h"
#include "automation/ClassRegistry.h"

void registerBarcodeReaderComponent(const BarcodeReaderClient &client)
{
    automation::registerClass(DabMain::ProgId, [client] { return std::make_shared<DabMain>(client); });
    automation::registerClass(DabBarcodeReaderSettings::ProgId,
                              [] { return std::make_shared<DabBarcodeReaderSettings>(); });
    automation::registerClass(DabDataRect::ProgId, [] { return std::make_shared<DabDataRect>(); });
}

void unregisterBarcodeReaderComponent()
{
    automation::unregisterClass(DabMain::ProgId);
    automation::unregisterClass(DabBarcodeReaderSettings::ProgId);
    automation::unregisterClass(DabDataRect::ProgId);
}
