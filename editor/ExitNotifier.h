#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Calls a handler when a control loses the input focus to another control of
// its window: the moment an edit in the control counts as finished. Focus lost
// to the control's own drop-down, or with the whole window deactivated, is no
// exit. The notifier is a child of the control and lives as long as it.
class ExitNotifier : public QObject
{
    Q_OBJECT

public:
    static ExitNotifier *watch(QWidget *control, std::function<void()> onExit);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ExitNotifier(QWidget *control, std::function<void()> onExit);
    std::function<void()> m_onExit;
};
