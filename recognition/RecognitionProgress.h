#pragma once

class QWidget;
class TFR_OCRerkennung;

// While a recognition command runs: the hourglass, the progress window shown
// (not modal) over the main window, and one pass of event processing so that
// it paints. The destructor hides the window and puts the arrow back, also
// when the command fails.
class RecognitionProgress
{
public:
    RecognitionProgress(TFR_OCRerkennung *window, const QWidget *over);
    ~RecognitionProgress();

    RecognitionProgress(const RecognitionProgress &) = delete;
    RecognitionProgress &operator=(const RecognitionProgress &) = delete;

private:
    TFR_OCRerkennung *m_window;
};
