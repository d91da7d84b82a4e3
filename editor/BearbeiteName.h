#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The dialog in which the user types a new name for the selected area.
class TForm1 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);

    QLineEdit *Edit1;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;

    void FormActivate();

protected:
    void changeEvent(QEvent *event) override;
};
