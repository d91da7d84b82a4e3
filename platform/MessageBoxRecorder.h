#pragma once

#include "MessageBoxes.h"

#include <QList>

// Installs a hook for its lifetime that records every box and answers it from
// a queue; with an empty queue each box gets its default button.
class MessageBoxRecorder
{
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder &) = delete;
    MessageBoxRecorder &operator=(const MessageBoxRecorder &) = delete;

    void queueAnswer(MessageAnswer answer) { m_answers.append(answer); }
    const QList<ShownMessage> &shown() const { return m_shown; }
    QStringList texts() const;
    void clear() { m_shown.clear(); }

private:
    QList<MessageAnswer> m_answers;
    QList<ShownMessage> m_shown;
};
