#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The dialog with an area's advanced reader settings.
class TF_BarcodeSettings : public QDialog
{
    Q_OBJECT

public:
    explicit TF_BarcodeSettings(QWidget *parent = nullptr);

    QGroupBox *GB_Options;
    QCheckBox *CB_Expect39;
    QCheckBox *CB_Extended39;
    QCheckBox *CB_ConvertUPC;
    QCheckBox *CB_Numeric;
    QCheckBox *CB_OverSample;
    QCheckBox *CB_Duplicates;
    QCheckBox *CB_Checksum;
    QCheckBox *CB_Error;
    QCheckBox *CB_CheckDigits;
    QLabel *L_Skew;
    QComboBox *CB_Skew;
    QLabel *L_Pattern;
    QLineEdit *E_Pattern;
    QLabel *L_Noise;
    QSpinBox *SE_Noise;
    QLabel *L_Quiet;
    QSpinBox *SE_Quiet;
    QLabel *L_LineJump;
    QSpinBox *SE_LineJump;
    QLabel *L_ColorThres;
    QSpinBox *SE_ColorThres;
    QLabel *L_SpaceBar;
    QSpinBox *SE_SpaceBar;
    QPushButton *B_Reset;
    QPushButton *B_OK;
    QPushButton *B_Abort;
};
