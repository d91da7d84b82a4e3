#include "RecognitionProgress.h"

#include "OCRErkennung.h"
#include "ScreenCursor.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QWindow>

RecognitionProgress::RecognitionProgress(TFR_OCRerkennung *window, const QWidget *over) : m_window(window)
{
    ScreenCursor::set(Qt::WaitCursor);
    if (m_window) {
        m_window->centreOver(over);
        m_window->show();
    }
    // Only so that the window paints: a click waiting in the queue must not
    // start a second command inside this one; it is handled after it.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (!m_window)
        return;
    // Under X11 the window manager maps the window some milliseconds after
    // the show; painted before that, the window stays an empty frame for the
    // whole scan.
    const QDeadlineTimer deadline(500);
    const QWindow *handle = m_window->windowHandle();
    while (handle && !handle->isExposed() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents, 20);
    m_window->repaint();
}

RecognitionProgress::~RecognitionProgress()
{
    if (m_window)
        m_window->hide();
    ScreenCursor::setArrow();
}
