#pragma once

#include <QWidget>

class QLabel;

// The small black window that tells the user a recognition is running.
class TFR_OCRerkennung : public QWidget
{
    Q_OBJECT

public:
    explicit TFR_OCRerkennung(QWidget *parent = nullptr);

    QLabel *LB_Beschriftung;

    // Centres the window over the given one (the main window) before it is shown.
    void centreOver(const QWidget *window);
};
