#include "U_Assistent.h"

#include "MessageBoxes.h"
#include "TSpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

namespace {

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

TF_BarcodeSettings::TF_BarcodeSettings(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("F_BarcodeSettings"));
    setWindowTitle(QStringLiteral("barcode settings"));
    setFixedSize(384, 453);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    setFont(font);

    GB_Options = named(new QGroupBox(QStringLiteral("Options"), this), "GB_Options");
    GB_Options->setGeometry(8, 8, 368, 124);
    auto check = [this](const char *name, const char *caption, int column, int row) {
        auto *box = named(new QCheckBox(QString::fromUtf8(caption), GB_Options), name);
        box->setGeometry(12 + column * 180, 20 + row * 20, 170, 17);
        return box;
    };
    CB_Expect39 = check("CB_Expect39", "Expect Code 39 Start/Stop", 0, 0);
    CB_Extended39 = check("CB_Extended39", "Extended Code-39", 0, 1);
    CB_ConvertUPC = check("CB_ConvertUPC", "Convert UPC-E to EAN-13", 0, 2);
    CB_Numeric = check("CB_Numeric", "Numeric Barcode", 0, 3);
    CB_OverSample = check("CB_OverSample", "Use Over Sampling", 0, 4);
    CB_Duplicates = check("CB_Duplicates", "Allow Duplicates", 1, 0);
    CB_Checksum = check("CB_Checksum", "Code-39 Checksum", 1, 1);
    CB_Error = check("CB_Error", "Error Correction", 1, 2);
    CB_CheckDigits = check("CB_CheckDigits", "Show check digits", 1, 3);

    int row = 0;
    auto label = [this, &row](const char *name, const char *caption) {
        auto *l = named(new QLabel(QString::fromUtf8(caption), this), name);
        l->setGeometry(16, 147 + row * 30, 140, 17);
        return l;
    };
    auto place = [&row](QWidget *w) {
        w->setGeometry(168, 144 + row * 30, 200, 22);
        ++row;
    };
    auto spin = [this](const char *name) {
        auto *s = named(new TSpinEdit(this), name);
        s->setRange(-9999, 9999);
        return s;
    };

    L_Skew = label("L_Skew", "Skew Tolerance");
    CB_Skew = named(new QComboBox(this), "CB_Skew");
    CB_Skew->addItems({"<5", "<13", "<21", "<29", "<37", "<45"});
    place(CB_Skew);
    L_Pattern = label("L_Pattern", "Pattern");
    E_Pattern = named(new QLineEdit(this), "E_Pattern");
    // A stored pattern of any length must come back out of the dialog whole.
    E_Pattern->setMaxLength(std::numeric_limits<int>::max());
    place(E_Pattern);
    L_Noise = label("L_Noise", "Noise Reduction");
    SE_Noise = spin("SE_Noise");
    place(SE_Noise);
    L_Quiet = label("L_Quiet", "Quiet Zone");
    SE_Quiet = spin("SE_Quiet");
    place(SE_Quiet);
    L_LineJump = label("L_LineJump", "Line Jump");
    SE_LineJump = spin("SE_LineJump");
    place(SE_LineJump);
    L_ColorThres = label("L_ColorThres", "Color Threshold");
    SE_ColorThres = spin("SE_ColorThres");
    place(SE_ColorThres);
    L_SpaceBar = label("L_SpaceBar", "Min. Space Bar Width");
    SE_SpaceBar = spin("SE_SpaceBar");
    place(SE_SpaceBar);

    B_Reset = named(new QPushButton(QStringLiteral("Reset"), this), "B_Reset");
    B_Reset->setGeometry(8, 416, 75, 25);
    B_Reset->setFocusPolicy(Qt::ClickFocus);
    B_Reset->setAutoDefault(false);
    B_OK = named(new QPushButton(QStringLiteral("OK"), this), "B_OK");
    B_OK->setGeometry(212, 416, 75, 25);
    B_OK->setDefault(true);
    connect(B_OK, &QPushButton::clicked, this, &QDialog::accept);
    B_Abort = named(new QPushButton(QStringLiteral("Abbrechen"), this), "B_Abort");
    B_Abort->setGeometry(300, 416, 75, 25);
    connect(B_Abort, &QPushButton::clicked, this, &QDialog::reject);

    // Tab order as the fields are listed; Reset is reached with the mouse only.
    QWidget *order[] = {CB_Expect39, CB_Extended39, CB_ConvertUPC, CB_Numeric, CB_OverSample,
                        CB_Duplicates, CB_Checksum, CB_Error, CB_CheckDigits, CB_Skew,
                        E_Pattern, SE_Noise, SE_Quiet, SE_LineJump, SE_ColorThres,
                        SE_SpaceBar, B_OK, B_Abort};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(B_Reset, &QPushButton::clicked, this, &TF_BarcodeSettings::B_ResetClick);
    connect(SE_Noise, &TSpinEdit::exited, this, &TF_BarcodeSettings::SE_NoiseExit);
    connect(SE_Quiet, &TSpinEdit::exited, this, &TF_BarcodeSettings::SE_QuietExit);
    connect(SE_LineJump, &TSpinEdit::exited, this, &TF_BarcodeSettings::SE_LineJumpExit);
    connect(SE_ColorThres, &TSpinEdit::exited, this, &TF_BarcodeSettings::SE_ColorThresExit);
    connect(SE_SpaceBar, &TSpinEdit::exited, this, &TF_BarcodeSettings::SE_SpaceBarExit);
    // Until an area fills it, the dialog holds a new area's settings.
    m_accepted = AdvancedBarcodeSettings::resetValues();
    showSettings(m_accepted);
}

void TF_BarcodeSettings::showSettings(const AdvancedBarcodeSettings &s)
{
    CB_Expect39->setChecked(s.Code39StartStop);
    CB_Extended39->setChecked(s.ExtendedC39);
    CB_ConvertUPC->setChecked(s.ConvertUPCE);
    CB_Numeric->setChecked(s.Numeric);
    CB_OverSample->setChecked(s.OverSampling);
    CB_Duplicates->setChecked(s.AllowDuplicate);
    CB_Checksum->setChecked(s.Code39Checksum);
    CB_Error->setChecked(s.ErrorCorrection);
    CB_CheckDigits->setChecked(s.ShowCheckDig);
    m_shownSkew = s.SkewTolerance;
    CB_Skew->setCurrentIndex(s.SkewTolerance >= 0 && s.SkewTolerance < CB_Skew->count() ? s.SkewTolerance : -1);
    E_Pattern->setText(s.Pattern);
    // Values beyond the fields' range show as the nearer bound.
    SE_Noise->setValue(s.NoiseReduction);
    SE_Quiet->setValue(s.QuietZone);
    SE_LineJump->setValue(s.LineJump);
    SE_ColorThres->setValue(s.ColorThreshold);
    SE_SpaceBar->setValue(s.MinSpaceBar);
}

AdvancedBarcodeSettings TF_BarcodeSettings::settings() const
{
    const AdvancedBarcodeSettings reset = AdvancedBarcodeSettings::resetValues();
    AdvancedBarcodeSettings s;
    s.Code39StartStop = CB_Expect39->isChecked();
    s.ExtendedC39 = CB_Extended39->isChecked();
    s.ConvertUPCE = CB_ConvertUPC->isChecked();
    s.Numeric = CB_Numeric->isChecked();
    s.OverSampling = CB_OverSample->isChecked();
    s.AllowDuplicate = CB_Duplicates->isChecked();
    s.Code39Checksum = CB_Checksum->isChecked();
    s.ErrorCorrection = CB_Error->isChecked();
    s.ShowCheckDig = CB_CheckDigits->isChecked();
    // The list offers no empty choice; nothing chosen means the stored value
    // was outside the list, and the user has not touched it.
    s.SkewTolerance = CB_Skew->currentIndex() >= 0 ? CB_Skew->currentIndex() : m_shownSkew;
    s.Pattern = E_Pattern->text();
    s.NoiseReduction = SE_Noise->integerOr(reset.NoiseReduction);
    s.QuietZone = SE_Quiet->integerOr(reset.QuietZone);
    s.LineJump = SE_LineJump->integerOr(reset.LineJump);
    s.ColorThreshold = SE_ColorThres->integerOr(reset.ColorThreshold);
    s.MinSpaceBar = SE_SpaceBar->integerOr(reset.MinSpaceBar);
    return s;
}

void TF_BarcodeSettings::done(int result)
{
    // Read before hiding: a spin field that loses the focus with the window
    // would otherwise put its own idea of the value in place of the text.
    if (result == QDialog::Accepted)
        m_accepted = settings();
    QDialog::done(result);
}

void TF_BarcodeSettings::B_ResetClick()
{
    if (MessageBoxes::confirmYesNo(ResetQuestion) == MessageAnswer::Yes)
        ResetSettings();
}

void TF_BarcodeSettings::ResetSettings()
{
    showSettings(AdvancedBarcodeSettings::resetValues());
}

void TF_BarcodeSettings::SE_NoiseExit()
{
    SE_Noise->repairText(AdvancedBarcodeSettings::resetValues().NoiseReduction);
}

void TF_BarcodeSettings::SE_QuietExit()
{
    SE_Quiet->repairText(AdvancedBarcodeSettings::resetValues().QuietZone);
}

void TF_BarcodeSettings::SE_LineJumpExit()
{
    SE_LineJump->repairText(AdvancedBarcodeSettings::resetValues().LineJump);
}

void TF_BarcodeSettings::SE_ColorThresExit()
{
    SE_ColorThres->repairText(AdvancedBarcodeSettings::resetValues().ColorThreshold);
}

void TF_BarcodeSettings::SE_SpaceBarExit()
{
    SE_SpaceBar->repairText(AdvancedBarcodeSettings::resetValues().MinSpaceBar);
}
