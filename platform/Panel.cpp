#include "Panel.h"

#include "AlignLayout.h"

TPanel::TPanel(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::NoFrame);
    AlignLayout::install(this);
}

void TPanel::setBevel(Bevel inner, Bevel outer)
{
    const int width = (inner != Bevel::None) + (outer != Bevel::None);
    if (width == 0) {
        setFrameStyle(QFrame::NoFrame);
        return;
    }
    const Bevel shown = outer != Bevel::None ? outer : inner;
    setFrameStyle(QFrame::Panel | (shown == Bevel::Lowered ? QFrame::Sunken : QFrame::Raised));
    setLineWidth(width);
}

void TPanel::setColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
    setAutoFillBackground(true);
}
