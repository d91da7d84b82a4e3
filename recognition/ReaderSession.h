#pragma once

#include "TAreaRect.h"
#include "automation/AutomationObject.h"

#include <QString>
#include <cstdint>

// The reader component's objects of one recognition command, created when
// the command starts and released when it ends. Every call goes late-bound
// through the automation layer, so the component may be the real one or a
// test's stand-in; every failure arrives as AutomationError.
class ReaderSession
{
public:
    // What init hands the component; it takes any text.
    static inline const QString InitString = QStringLiteral("Barcode-Erweiterung");

    enum class ScanRect { None, Used };

    // Creates "sceDab1.DabMain" and calls init, then creates the settings
    // object and, for a scan in an area, the rectangle object.
    explicit ReaderSession(ScanRect scanRect);

    AutomationObject &settings() { return *m_settings; }

    // createBarcodeReader, then loadSettingsFrom with the settings object.
    void createReader();
    // Puts Left, Top, Width and Height onto the rectangle object and passes it
    // to the reader with setScanRect.
    void setScanRect(const TAreaRect &rect);
    // scanBarcodes; returns the result list.
    AutomationObjectPtr scanBarcodes(const QString &file);

    // The members of a result list and of one barcode, each read as the
    // component answers methods without arguments.
    static std::int32_t count(AutomationObject &list);
    static AutomationObjectPtr get(AutomationObject &list, std::int32_t index);
    static TAreaRect positionOf(AutomationObject &barcode);
    static QString dataOf(AutomationObject &barcode);
    static std::int32_t typeOf(AutomationObject &barcode);

private:
    AutomationObject &reader();

    AutomationObjectPtr m_main;
    AutomationObjectPtr m_settings;
    AutomationObjectPtr m_rect;
    AutomationObjectPtr m_reader;
};
