#include "ExitNotifier.h"

#include <QFocusEvent>
#include <QWidget>

ExitNotifier *ExitNotifier::watch(QWidget *control, std::function<void()> onExit)
{
    return new ExitNotifier(control, std::move(onExit));
}

ExitNotifier::ExitNotifier(QWidget *control, std::function<void()> onExit)
    : QObject(control), m_onExit(std::move(onExit))
{
    control->installEventFilter(this);
}

bool ExitNotifier::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && watched == parent()) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && m_onExit)
            m_onExit();
    }
    return QObject::eventFilter(watched, event);
}
