#include "ScreenCursor.h"

#include <QGuiApplication>

void ScreenCursor::set(const QCursor &cursor)
{
    // One level only: a second set replaces the first instead of stacking.
    if (QGuiApplication::overrideCursor())
        QGuiApplication::changeOverrideCursor(cursor);
    else
        QGuiApplication::setOverrideCursor(cursor);
}

void ScreenCursor::setArrow()
{
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

bool ScreenCursor::isOverridden()
{
    return QGuiApplication::overrideCursor() != nullptr;
}
