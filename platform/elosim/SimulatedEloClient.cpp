#include "SimulatedEloClient.h"

using namespace automation;

SimulatedEloClient::SimulatedEloClient(QString description, EloClientState state)
    : m_description(std::move(description)), m_state(std::move(state))
{
}

QVariant SimulatedEloClient::invoke(const QString &member, AutomationArgs &args)
{
    if (member == u"GetEntryId") {
        requireArgCount(args, 1);
        int32Arg(args, 0);
        return m_state.ready ? 1 : -1;
    }
    if (member == u"SelectView") {
        requireArgCount(args, 1);
        int32Arg(args, 0);
        return m_state.ready ? 0 : -1;
    }
    if (member == u"LookupMaskName") {
        requireArgCount(args, 1);
        const QString name = stringArg(args, 0);
        for (const auto &mask : m_state.masks)
            if (mask.name == name)
                return mask.number;
        return -1;
    }
    if (member == u"ReadObjMask") {
        requireArgCount(args, 1);
        const std::int32_t number = int32Arg(args, 0);
        m_readMask.reset();
        for (qsizetype i = 0; i < m_state.masks.size(); ++i) {
            if (m_state.masks[i].number == number) {
                m_readMask = i;
                return 1;
            }
        }
        return -1;
    }
    if (member == u"GetObjAttribName") {
        requireArgCount(args, 1);
        const std::int32_t line = int32Arg(args, 0);
        if (!m_readMask)
            return QString();
        return m_state.masks[*m_readMask].fields.value(line);
    }
    if (member == u"PostBoxLineSelected") {
        requireArgCount(args, 1);
        const std::int32_t line = int32Arg(args, 0);
        if (line < 0 || line >= m_state.postbox.size())
            return -1;
        return m_state.postbox[line].selected ? 1 : 0;
    }
    if (member == u"SelectPostBoxLine") {
        requireArgCount(args, 1);
        const std::int32_t line = int32Arg(args, 0);
        if (line < 0 || line >= m_state.postbox.size())
            return -1;
        m_activeLine = line;
        return 1;
    }
    if (member == u"ActivePostFile") {
        requireArgCount(args, 0);
        return m_activeLine ? m_state.postbox[*m_activeLine].file : QString();
    }
    unknownMember();
}
