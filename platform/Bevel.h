#pragma once

#include <QWidget>

// The thin engraved line that separates groups of tool-bar buttons: a dark
// and a light line along the left edge of its box.
class TBevel : public QWidget
{
    Q_OBJECT

public:
    explicit TBevel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
