#pragma once

#include "CommandLine.h"
#include "IndexFieldGrid.h"
#include "TAreaRect.h"

#include <QStringList>
#include <QWidget>
#include <exception>
#include <memory>

class AreaListItem;
class DefinitionDatabase;
class TElo;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QStandardItem;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TAdvTreeComboBox;
class TBevel;
class TF_BarcodeSettings;
class TFR_OCRerkennung;
class TOCRField;
class TForm1;
class TImageEnVect;
class TPanel;
class TStringGrid;

// The tool's one working window: the page with its areas on the left, the
// area list, the area panel and the index-field grid on the right, the tool
// bar along the bottom.
class Tfmain : public QWidget
{
    Q_OBJECT

public:
    static inline const QString Caption =
        QStringLiteral("Barcode-Erweiterung                 >merivant< tessalon  ");

    explicit Tfmain(QWidget *parent = nullptr);
    ~Tfmain() override;

    // --- controls, named as in the design (also their objectName) ---------
    TPanel *Panel2;
    TPanel *Panel1;
    QLabel *LB_Version;
    QPushButton *SB_DetectAll;
    QToolButton *SpeedButton15;
    TBevel *Bevel3;
    QToolButton *SpeedButton1;
    QToolButton *SpeedButton2;
    TBevel *Bevel1;
    QToolButton *SpeedButton17;
    QToolButton *SpeedButton18;
    TBevel *Bevel5;
    QToolButton *SpeedButton4;
    QToolButton *SpeedButton5;
    TBevel *Bevel2;
    QToolButton *SpeedButton7;
    TBevel *Bevel4;
    QToolButton *SpeedButton13;
    QToolButton *SB_Bearbeite;
    QPushButton *Bt_Schliessen;
    QLabel *LB_NameDatei;
    QLabel *LB_ConnectionString;

    TPanel *Panel5;
    TPanel *Panel3;
    QTreeWidget *ListView1;
    TPanel *Panel4;
    TPanel *Panel6;
    QLabel *Label1;
    QPushButton *Bt_OCRStarten;
    QPushButton *Bt_OCRAssistent;
    QLabel *L_BCType;
    QComboBox *CB_BCType;
    QLabel *L_BCDirection;
    QComboBox *CB_BCDirection;
    QLabel *L_BCLength;
    QSpinBox *SE_BCMinWidth;
    QLabel *L_BCLenSplitter;
    QSpinBox *SE_BCMaxWidth;
    QScrollArea *ScBox_ErkannterText;
    QLabel *LB_OCRerkannt;
    TPanel *Panel7;
    TStringGrid *StringGrid_ELOAblagemaske;

    TImageEnVect *ImageEnVect1;
    QLabel *LB_DocID;

    // --- lifecycle -----------------------------------------------------------
    void FormCreate();
    void FormDestroy();
    void FormResize();
    void FormPaint();
    void Bt_SchliessenClick();
    static void IgnoreException(QObject *sender, std::exception_ptr error);

    // --- view commands -------------------------------------------------------
    void SpeedButton1Click();  // zoom in
    void SpeedButton2Click();  // zoom out
    void SpeedButton4Click();  // fit to window
    void SpeedButton5Click();  // actual size
    void SpeedButton17Click(); // rotate right
    void SpeedButton18Click(); // rotate left

    // --- the area list ---------------------------------------------------------
    int areaCount() const;
    AreaListItem *areaItem(int index) const;
    // The names held in the entries' definitions, in list order.
    QStringList areaNames() const;

    // --- the index-field grid ----------------------------------------------------
    void BuildIndexFieldGrid(const QStringList &fieldNames, int fieldCount);
    TAdvTreeComboBox *CreateIndexFieldCombo(int k);
    // Appends the area list's areas; no combo, nothing happens.
    void FillComboWithAreas(TAdvTreeComboBox *combo);
    QStandardItem *FindAreaNode(TAdvTreeComboBox *combo, int areaNumber);
    void SelectAreaInCombo(TAdvTreeComboBox *combo, int areaNumber);
    int AreaNumberOf(TAdvTreeComboBox *combo);
    void AddAreaToCombos(const QString &name);
    void RenameAreaInCombos(int index, const QString &name);
    void RemoveAreaFromCombos(int index);
    void FitIndexFieldCombos();
    void IndexFieldComboDropDown(TAdvTreeComboBox *sender, bool &accept);
    // The window's combo named "AdvTreeComboBoxElement_" + k, or nullptr.
    TAdvTreeComboBox *indexFieldCombo(int k) const;

    // --- the secondary windows, created by the program block after fmain -----
    TForm1 *Form1 = nullptr;
    TFR_OCRerkennung *FR_OCRerkennung = nullptr;
    TF_BarcodeSettings *F_BarcodeSettings = nullptr;

    // --- start-up flow and saving (umain_startup.cpp) ----------------------------
    // Where the window stands in its start-up.
    enum class StartupState
    {
        Created,       // FormCreate ran; not shown yet
        WaitingForElo, // the box "Bitte starten Sie ELO ..." is up
        Starting,      // ELO is ready; the flow runs
        Ready,         // the flow reached its end
        Stalled,       // an exception stopped the flow; the window stays open
        Closing,       // the window closes once the running handler returns
    };

    // The start-up flow; runs once, on the first showing.
    void FormShow();
    void ReadCommandLine();
    // Through the connection string in LB_ConnectionString; never raise.
    bool OpenDatabase();
    bool CloseDatabase();
    // "Speichern"
    void SpeedButton15Click();

    // The arguments ReadCommandLine reads, the program path not included. The
    // process's own unless set before the first showing (tests, benchmarks).
    void setCommandLineArguments(const QStringList &arguments);
    // Whether the first showing of a window runs FormShow (the program: always).
    // Tests that compose and drive a window by hand switch it off.
    static void setStartupFlowOnFirstShow(bool on) { s_startupFlowOnFirstShow = on; }
    static bool startupFlowOnFirstShow() { return s_startupFlowOnFirstShow; }
    StartupState startupState() const { return m_startupState; }
    const CommandLineValues &commandLineValues() const { return m_commandLine; }
    TElo &Elo() const { return *m_elo; }
    DefinitionDatabase &database() const { return *m_database; }

signals:
    void startupStateChanged(Tfmain::StartupState state);

public:

    // --- area editor: list, objects, naming, settings (umain_editor.cpp) -------
    // The list and the view
    void SpeedButton7Click();
    void ImageEnVect1NewObject(int hobj);
    void ImageEnVect1ObjectClick(int hobj);
    void ImageEnVect1ObjectMoveResize(int hobj, int Grip, int OffsetX, int OffsetY);
    void ListView1Click();
    void ListView1SelectItem(QTreeWidgetItem *Item, bool Selected);
    void SpeedButton13Click();
    void SetAreaControlsEnabled(bool Enabled);
    bool AreaNameExists(const QString &Name) const;
    void ShowAreaSettings(const TOCRField &Field);
    // The selected entry of the area list, or nullptr.
    AreaListItem *selectedArea() const;
    // Pixels of the page <-> area coordinate text, at the view's measuring
    // scale. AreaTextToRect gives pixels of the page as loaded (unrotated), the
    // frame in which the texts are kept and the document file is scanned.
    QString RectToAreaText(int Left, int Top, int Width, int Height, int ImageWidth, int ImageHeight) const;
    TAreaRect AreaTextToRect(const QString &AreaText) const;
    // Naming
    void SB_BearbeiteClick();
    // The area panel and the settings dialog
    void CB_BCTypeExit();
    void CB_BCDirectionExit();
    void SE_BCMinWidthExit();
    void SE_BCMaxWidthExit();
    void Bt_OCRAssistentClick();
    // Stores an edit still held by the focused area-panel control into the
    // selected area, exactly as its exit handler would. For commands that run
    // without taking the focus (speed buttons), such as saving.
    void StorePendingAreaPanelEdit();

    static inline const QString TooManyAreasText =
        QStringLiteral("Es können maximal 32 Barcode-Bereiche definiert werden!");
    static inline const QString NoObjectSelectedText = QStringLiteral("Kein Objekt ausgewählt!");
    static inline const QString NameNotUniqueText = QStringLiteral("Bitte vergeben Sie nur eindeutigen Namen!");
    static inline const QString NoAreaSelectedForSettingsText = QStringLiteral("Es ist kein Barcodebereich selektiert");
    static constexpr int MaxAreaCount = 32;

    // --- recognition (umain_recognition.cpp) -------------------------------------
    void Bt_OCRStartenClick(); // "Detection": the selected area
    void SB_DetectAllClick();  // "Barcodes erkennen": the whole page, with marks

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // start-up flow: FormShow on the first showing
    void showEvent(QShowEvent *event) override;

private:
    // area editor (umain_editor.cpp)
    void wireAreaEditor();
    void selectAreaEntry(AreaListItem *item);
    QString documentAreaText(int hobj) const;
    QStringList areaCaptions() const;

private:
    void composeToolBar();
    void composeRightPanel();
    void composeImageView();
    void placeCloseButton();

    std::unique_ptr<IndexFieldGrid> m_indexFields;
    bool m_destroyed = false;

    // --- recognition (umain_recognition.cpp) ---------------------------------------
    void showRecognisedText(const QString &text);
private:
    // --- start-up flow and saving (umain_startup.cpp) ---
    void formShowOnceOnScreen(int triesLeft);
    void runStartupFlow();
    void setStartupState(StartupState state);
    // A close request: the window closes after the running handler returns.
    void closeMainWindow();

    std::unique_ptr<TElo> m_elo;
    std::unique_ptr<DefinitionDatabase> m_database;
    CommandLineValues m_commandLine;
    QStringList m_arguments;
    bool m_argumentsGiven = false;
    bool m_formShowStarted = false;
    StartupState m_startupState = StartupState::Created;
    static inline bool s_startupFlowOnFirstShow = true;
};
