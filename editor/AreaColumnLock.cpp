#include "AreaColumnLock.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QStyle>

AreaColumnLock *AreaColumnLock::install(QHeaderView *header, int lockedColumns)
{
    return new AreaColumnLock(header, lockedColumns);
}

AreaColumnLock::AreaColumnLock(QHeaderView *header, int lockedColumns)
    : QObject(header), m_header(header), m_viewport(header->viewport()), m_locked(lockedColumns)
{
    for (int i = 0; i < header->count(); ++i)
        header->setSectionResizeMode(i, i < lockedColumns ? QHeaderView::Fixed : QHeaderView::Interactive);
    header->viewport()->installEventFilter(this);
    header->viewport()->setMouseTracking(true);
}

int AreaColumnLock::resizableDividerAt(int x) const
{
    const int grip = m_header->style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, m_header);
    for (int visual = m_header->count() - 1; visual >= 0; --visual) {
        const int logical = m_header->logicalIndex(visual);
        if (logical < m_locked || m_header->isSectionHidden(logical))
            continue;
        const int right = m_header->sectionViewportPosition(logical) + m_header->sectionSize(logical);
        if (x >= right - grip && x <= right + grip)
            return logical;
    }
    return -1;
}

bool AreaColumnLock::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_viewport || watched != m_viewport)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *e = static_cast<QMouseEvent *>(event);
        const int x = int(e->position().x());
        if (e->button() != Qt::LeftButton)
            return false;
        m_dragged = resizableDividerAt(x);
        if (m_dragged < 0)
            return false;
        m_pressX = x;
        m_startWidth = m_header->sectionSize(m_dragged);
        return true;
    }
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(event);
        const int x = int(e->position().x());
        if (m_dragged >= 0) {
            m_header->resizeSection(m_dragged, qMax(0, m_startWidth + x - m_pressX));
            return true;
        }
        if (e->buttons() == Qt::NoButton && resizableDividerAt(x) >= 0) {
            // The header clears it again once the mouse leaves the divider.
            m_header->setCursor(Qt::SplitHCursor);
            return true;
        }
        return false;
    }
    case QEvent::MouseButtonRelease:
        if (m_dragged >= 0 && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            m_dragged = -1;
            return true;
        }
        return false;
    default:
        return false;
    }
}
