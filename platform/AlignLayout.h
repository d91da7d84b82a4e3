#pragma once

#include <QObject>

class QWidget;

// How a control takes its place in its parent, as the window's design gives
// it: stacked against an edge, filling what is left, or at its own position.
enum class TAlign
{
    None,
    Top,
    Bottom,
    Left,
    Right,
    Client,
};

// Places the aligned children of a container whenever it changes size: first
// those at the top and bottom, then left and right, then the one that fills
// the rest, each group in the order the children were created.
class AlignLayout : public QObject
{
    Q_OBJECT

public:
    static void install(QWidget *container);
    static void setAlign(QWidget *control, TAlign align);
    static TAlign align(const QWidget *control);
    static void arrange(QWidget *container);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};
