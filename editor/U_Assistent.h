#pragma once

#include "AdvancedBarcodeSettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TSpinEdit;

// The dialog with an area's advanced reader settings. It works on its own
// controls: showSettings fills them, and what they hold when the user presses
// OK is kept as acceptedSettings(); any other way of closing keeps nothing.
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
    TSpinEdit *SE_Noise;
    QLabel *L_Quiet;
    TSpinEdit *SE_Quiet;
    QLabel *L_LineJump;
    TSpinEdit *SE_LineJump;
    QLabel *L_ColorThres;
    TSpinEdit *SE_ColorThres;
    QLabel *L_SpaceBar;
    TSpinEdit *SE_SpaceBar;
    QPushButton *B_Reset;
    QPushButton *B_OK;
    QPushButton *B_Abort;

    static inline const QString ResetQuestion =
        QStringLiteral("Die Einstellungen werden zurück gesetzt.\r\n\r\nSind Sie sicher?");

    void showSettings(const AdvancedBarcodeSettings &settings);
    // The controls' values now. A spin field whose text is no integer reads as
    // its reset value, as its exit handler would have repaired it; a skew
    // tolerance the list cannot show keeps the value it was shown with.
    AdvancedBarcodeSettings settings() const;
    // settings() as it stood when OK closed the dialog last.
    const AdvancedBarcodeSettings &acceptedSettings() const { return m_accepted; }

    void B_ResetClick();
    void ResetSettings();
    void SE_NoiseExit();
    void SE_QuietExit();
    void SE_LineJumpExit();
    void SE_ColorThresExit();
    void SE_SpaceBarExit();

    void done(int result) override;

private:
    AdvancedBarcodeSettings m_accepted;
    std::int32_t m_shownSkew = 0;
};
