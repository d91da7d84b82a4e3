#include "BearbeiteName.h"

#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

TForm1::TForm1(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Name bearbeiten"));
    setFixedSize(245, 88);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(22, 14, 201, 21);
    Edit1->setMaxLength(std::numeric_limits<int>::max());

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(40, 50, 75, 25);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    BitBtn2 = new QPushButton(QStringLiteral("Abbrechen"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(130, 50, 75, 25);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm1::FormActivate()
{
    Edit1->setFocus();
    Edit1->selectAll();
}

void TForm1::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}
