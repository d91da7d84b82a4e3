#pragma once

#include <QFrame>

// A container with the classic panel's bevel and colour whose aligned
// children (AlignLayout) follow its size.
class TPanel : public QFrame
{
    Q_OBJECT

public:
    enum class Bevel
    {
        None,
        Lowered,
        Raised,
    };

    explicit TPanel(QWidget *parent = nullptr);

    void setBevel(Bevel inner, Bevel outer);
    void setColor(const QColor &color);
};
