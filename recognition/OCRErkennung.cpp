#include "OCRErkennung.h"

#include "Skin.h"

#include <QFontMetrics>
#include <QLabel>

TFR_OCRerkennung::TFR_OCRerkennung(QWidget *parent) : QWidget(parent, Qt::Dialog)
{
    setObjectName(QStringLiteral("FR_OCRerkennung"));
    setWindowTitle(QStringLiteral("Erkennung"));
    setFixedSize(299, 42);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setAutoFillBackground(true);

    LB_Beschriftung = new QLabel(QStringLiteral("Barcode-Erkennung läuft..."), this);
    LB_Beschriftung->setObjectName(QStringLiteral("LB_Beschriftung"));
    LB_Beschriftung->setGeometry(8, 8, 283, 29);
    // Left out of the skin: white on the black window whatever the palette says.
    LB_Beschriftung->setProperty("Tag", Skin::DisabledTag);
    QPalette lp = LB_Beschriftung->palette();
    lp.setColor(QPalette::Window, Qt::white);
    lp.setColor(QPalette::WindowText, Qt::black);
    LB_Beschriftung->setPalette(lp);
    LB_Beschriftung->setAutoFillBackground(true);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(24);
    // Where the narrow Windows font is missing, its stand-in is wider: the
    // text is narrowed to the label rather than cut off at "läuf".
    const int room = LB_Beschriftung->contentsRect().width();
    for (int stretch = 100; stretch > 50; stretch -= 2) {
        font.setStretch(stretch);
        if (QFontMetrics(font).horizontalAdvance(LB_Beschriftung->text()) <= room)
            break;
    }
    LB_Beschriftung->setFont(font);
}

void TFR_OCRerkennung::centreOver(const QWidget *window)
{
    if (!window)
        return;
    const QRect frame = window->frameGeometry();
    move(frame.center() - QPoint(width() / 2, height() / 2));
}
