#pragma once

class QApplication;
class QPalette;

// The one look of the tool: every window and every message box wears it,
// because it is set on the application before the first window exists.
class Skin
{
public:
    // Controls whose Tag carries this value keep their own colours (the image
    // view, the label of the progress window).
    static constexpr int DisabledTag = 9999;

    static void apply(QApplication &app);
    static QPalette palette();
};
