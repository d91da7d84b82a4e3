#pragma once

#include "automation/AutomationObject.h"

#include <QString>
#include <QStringList>
#include <cstdint>

// The only place that talks to the ELO archive client. It finds the client
// with a logged-in user through the user registry, holds that client's
// automation object and offers what start-up needs. No error leaves TElo:
// every registry read, object creation and call is guarded, and a failure
// turns into the operation's failure value.
//
// Every operation but Connect assumes a successful Connect; with no object they
// fail quietly like any failed call.
class TElo
{
public:
    TElo();
    ~TElo();

    TElo(const TElo &) = delete;
    TElo &operator=(const TElo &) = delete;

    // 0 connected; 1 no logged-in ELO user; 2 creating the object or a call
    // failed; 3 the client answered -1 to both probes. EloObject is empty
    // afterwards unless the result is 0.
    std::uint8_t Connect();
    // 0 none; 1 ELOprofessional; 2 ELOoffice. Reads the registry afresh.
    std::uint8_t FindLoggedInClient();
    // Fills FieldNames/FieldCount with the named lines of the mask, in line
    // order. A failure keeps the names read so far.
    void ReadMaskFields(const QString &MaskName);
    // 0-based index of the first selected postbox line, or -1.
    std::int32_t FindSelectedPostBoxLine();
    // The client's answer, or 0 if the call failed.
    std::int32_t ActivatePostBoxLine(std::int32_t Line);
    // Path of the active postbox entry's file; empty if the call failed.
    QString GetActivePostFile();
    // The client's number for the mask; -2 for an empty name (no call); 0 if
    // the call failed.
    std::int32_t CheckMaskName(const QString &MaskName);

    static constexpr int MaxFieldCount = 50;
    static constexpr int MaxFieldNameLength = 255;
    static constexpr std::int32_t MaxPostBoxLines = 5000;

    // Empty until Connect succeeds.
    AutomationObjectPtr EloObject;
    // Names of the mask read last, each at most 255 characters; at most 50.
    QStringList FieldNames;
    // Always FieldNames.size().
    std::uint8_t FieldCount = 0;
};
