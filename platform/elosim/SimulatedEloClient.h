#pragma once

#include "EloClientState.h"
#include "automation/AutomationObject.h"

#include <optional>

// Stands in for the ELO archive client's automation server so that the tool
// runs without ELO. It answers the members the tool calls:
//   GetEntryId(n), SelectView(n)    -1 while not ready; otherwise 1 and 0
//   LookupMaskName(name)            the mask's number; -1 for an unknown name
//   ReadObjMask(number)             1 for a known number (that mask becomes the
//                                   one read); -1 otherwise (no mask read)
//   GetObjAttribName(line)          the name of that line of the mask read
//                                   last; "" for an unused line, a line beyond
//                                   the list, or when no mask was read
//   PostBoxLineSelected(line)       1 selected, 0 another line, -1 beyond the last
//   SelectPostBoxLine(line)         makes the line active: 1; -1 beyond the list
//   ActivePostFile()                the active line's file; "" when none is active
// Arguments are accepted by value or by reference and are not written back.
class SimulatedEloClient : public AutomationObject
{
public:
    SimulatedEloClient(QString description, EloClientState state);

    QString description() const override { return m_description; }
    const EloClientState &state() const { return m_state; }

protected:
    QVariant invoke(const QString &member, AutomationArgs &args) override;

private:
    QString m_description;
    EloClientState m_state;
    std::optional<qsizetype> m_readMask;
    std::optional<qsizetype> m_activeLine;
};
