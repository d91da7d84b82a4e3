#include "MessageBoxRecorder.h"

MessageBoxRecorder::MessageBoxRecorder()
{
    MessageBoxes::setHook([this](const ShownMessage &message) {
        m_shown.append(message);
        if (!m_answers.isEmpty())
            return m_answers.takeFirst();
        const QString &button = message.defaultButton;
        if (button == QLatin1String("&Nein"))
            return MessageAnswer::No;
        if (button == QLatin1String("&Ja"))
            return MessageAnswer::Yes;
        return MessageAnswer::Ok;
    });
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    MessageBoxes::setHook({});
}

QStringList MessageBoxRecorder::texts() const
{
    QStringList result;
    for (const ShownMessage &m : m_shown)
        result.append(m.text);
    return result;
}
