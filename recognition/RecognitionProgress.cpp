#include "RecognitionProgress.h"

#include "OCRErkennung.h"
#include "ScreenCursor.h"

#include <QCoreApplication>

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
}

RecognitionProgress::~RecognitionProgress()
{
    if (m_window)
        m_window->hide();
    ScreenCursor::setArrow();
}
