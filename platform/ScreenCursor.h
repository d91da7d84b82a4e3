#pragma once

#include <QCursor>

// The cursor of the whole application, above every widget's own cursor, as
// the editor needs it while a new area is being drawn.
class ScreenCursor
{
public:
    static void set(const QCursor &cursor);
    // Back to the standard arrow: every widget shows its own cursor again.
    static void setArrow();
    static bool isOverridden();
};
