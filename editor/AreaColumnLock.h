#pragma once

#include <QObject>
#include <QPointer>

class QHeaderView;

// Keeps the user from changing the widths of a list's first columns by
// dragging their dividers, while the columns after them stay resizable. A
// column of width 0 sits on the divider of the column before it; the user
// grabs the hidden column there and drags it open, so its divider is looked
// for first. The lock is a child of the header and lasts as long as it.
class AreaColumnLock : public QObject
{
    Q_OBJECT

public:
    static AreaColumnLock *install(QHeaderView *header, int lockedColumns);

    // The resizable column whose divider lies under x (viewport pixels), -1
    // for none. The last such column wins, so a hidden one is found first.
    int resizableDividerAt(int x) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    AreaColumnLock(QHeaderView *header, int lockedColumns);

    QHeaderView *m_header;
    // Kept apart from m_header: the viewport still sends events while the
    // header is being torn down, when m_header->viewport() is no longer safe.
    QPointer<QWidget> m_viewport;
    int m_locked;
    int m_dragged = -1;
    int m_pressX = 0;
    int m_startWidth = 0;
};
