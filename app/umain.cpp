#include "umain.h"

#include "AlignLayout.h"
#include "Application.h"
#include "AreaListItem.h"
#include "Bevel.h"
#include "DefinitionDatabase.h"
#include "Glyphs.h"
#include "imageview/ImageEnVect.h"
#include "Panel.h"
#include "ScreenCursor.h"
#include "Skin.h"
#include "StringGrid.h"
#include "TreeComboBox.h"
#include "TSpinEdit.h"
#include "U_ELO.h"
#include "U_misc.h"

#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeWidget>

namespace {

const QColor Silver(0xC0, 0xC0, 0xC0);

// The tool bar as designed was as wide as the window's designed client area;
// the close button keeps its centre at the same share of that width.
constexpr int DesignedToolBarWidth = 982;
constexpr double DesignedCloseCentre = 871 + 89 / 2.0;

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel *label(QWidget *parent, const char *name, const QString &caption, int x, int y)
{
    auto *l = named(new QLabel(caption, parent), name);
    l->move(x, y);
    l->adjustSize();
    return l;
}

} // namespace

Tfmain::Tfmain(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("fmain"));
    setWindowTitle(Caption);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);
    move(0, 23);
    resize(982, 779);
    AlignLayout::install(this);

    // Creation order is alignment order: the bottom bar spans the whole width,
    // the right panel stands above it, the image view takes the rest.
    composeToolBar();
    composeRightPanel();
    composeImageView();

    m_indexFields = std::make_unique<IndexFieldGrid>(*StringGrid_ELOAblagemaske, *this);

    // recognition
    connect(Bt_OCRStarten, &QPushButton::clicked, this, &Tfmain::Bt_OCRStartenClick);
    connect(SB_DetectAll, &QPushButton::clicked, this, &Tfmain::SB_DetectAllClick);

    // start-up flow and saving: the window's data-access components
    m_database = std::make_unique<DefinitionDatabase>();
    connect(SpeedButton15, &QToolButton::clicked, this, &Tfmain::SpeedButton15Click);
    AlignLayout::arrange(this);
    // area editor: the view's and the list's events, the area panel's exits, the column lock
    wireAreaEditor();
    FormCreate();
}

Tfmain::~Tfmain()
{
    FormDestroy();
}

void Tfmain::composeToolBar()
{
    Panel2 = named(new TPanel(this), "Panel2");
    Panel2->resize(width(), 36);
    Panel2->setColor(Silver);
    AlignLayout::setAlign(Panel2, TAlign::Bottom);

    Panel1 = named(new TPanel(Panel2), "Panel1");
    Panel1->resize(DesignedToolBarWidth, 36);
    Panel1->setColor(Silver);
    AlignLayout::setAlign(Panel1, TAlign::Client);
    Panel1->installEventFilter(this);

    LB_Version = label(Panel1, "LB_Version", QStringLiteral("Version: 1.0.0.0"), 8, 16);

    SB_DetectAll = named(new QPushButton(QStringLiteral("Barcodes erkennen"), Panel1), "SB_DetectAll");
    SB_DetectAll->setGeometry(168, 6, 109, 25);

    auto speedButton = [this](const char *name, Glyph glyph, const QString &hint, int x, int y = 6) {
        auto *b = named(new QToolButton(Panel1), name);
        b->setAutoRaise(true);
        b->setGeometry(x, y, 26, 29);
        b->setToolTip(hint);
        b->setIcon(Glyphs::icon(glyph));
        b->setIconSize(QSize(16, 16));
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    auto bevel = [this](const char *name, int x, int y = 3) {
        auto *b = named(new TBevel(Panel1), name);
        b->setGeometry(x, y, 7, 30);
        return b;
    };

    SpeedButton15 = speedButton("SpeedButton15", Glyph::Save, QStringLiteral("Speichern"), 320);
    Bevel3 = bevel("Bevel3", 355);
    SpeedButton1 = speedButton("SpeedButton1", Glyph::ZoomIn, QStringLiteral("Zoom In"), 367);
    SpeedButton2 = speedButton("SpeedButton2", Glyph::ZoomOut, QStringLiteral("Zoom Out"), 393);
    Bevel1 = bevel("Bevel1", 426);
    SpeedButton17 = speedButton("SpeedButton17", Glyph::RotateRight, QStringLiteral("Drehung rechts"), 435);
    SpeedButton18 = speedButton("SpeedButton18", Glyph::RotateLeft, QStringLiteral("Drehung links"), 461);
    Bevel5 = bevel("Bevel5", 492, 8);
    SpeedButton4 = speedButton("SpeedButton4", Glyph::FitWindow, QStringLiteral("An Fenster anpassen"), 498);
    SpeedButton5 = speedButton("SpeedButton5", Glyph::ActualSize, QStringLiteral("Effektivste Größe"), 524);
    Bevel2 = bevel("Bevel2", 558);
    SpeedButton7 = speedButton("SpeedButton7", Glyph::NewArea, QStringLiteral("Neuer Barcodebereich"), 570, 8);
    Bevel4 = bevel("Bevel4", 602);
    SpeedButton13 = speedButton("SpeedButton13", Glyph::DeleteArea, QStringLiteral("Barcodebereich löschen"), 613);
    SB_Bearbeite = speedButton("SB_Bearbeite", Glyph::RenameArea, QStringLiteral("Barcodebereich benennen"), 639);

    Bt_Schliessen = named(new QPushButton(QStringLiteral("Schließen"), Panel1), "Bt_Schliessen");
    Bt_Schliessen->setGeometry(871, 6, 89, 25);

    LB_NameDatei = label(Panel1, "LB_NameDatei", QStringLiteral("LB_NameDatei"), 680, 4);
    LB_NameDatei->hide();
    LB_ConnectionString = label(Panel1, "LB_ConnectionString", QStringLiteral("LB_ConnectionString"), 680, 18);
    LB_ConnectionString->hide();

    connect(SpeedButton1, &QToolButton::clicked, this, &Tfmain::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &Tfmain::SpeedButton2Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &Tfmain::SpeedButton4Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &Tfmain::SpeedButton5Click);
    connect(SpeedButton17, &QToolButton::clicked, this, &Tfmain::SpeedButton17Click);
    connect(SpeedButton18, &QToolButton::clicked, this, &Tfmain::SpeedButton18Click);
    connect(Bt_Schliessen, &QPushButton::clicked, this, &Tfmain::Bt_SchliessenClick);
}

void Tfmain::composeRightPanel()
{
    Panel5 = named(new TPanel(this), "Panel5");
    Panel5->resize(318, height());
    Panel5->setBevel(TPanel::Bevel::Lowered, TPanel::Bevel::None);
    AlignLayout::setAlign(Panel5, TAlign::Right);

    Panel3 = named(new TPanel(Panel5), "Panel3");
    AlignLayout::setAlign(Panel3, TAlign::Client);

    ListView1 = named(new QTreeWidget(Panel3), "ListView1");
    ListView1->resize(Panel3->width(), 185);
    ListView1->setFrameShape(QFrame::NoFrame);
    ListView1->setColumnCount(3);
    ListView1->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("OCR Bereich"), QStringLiteral("Pattern")});
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setUniformRowHeights(true);
    QHeaderView *header = ListView1->header();
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(0);
    header->setSectionsMovable(false);
    header->resizeSection(0, 200);
    header->resizeSection(1, 116);
    header->resizeSection(2, 0);
    {
        // The chosen area stays marked while the user works in the panel below.
        QPalette p = ListView1->palette();
        for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
            p.setColor(QPalette::Inactive, role, p.color(QPalette::Active, role));
        ListView1->setPalette(p);
    }
    AlignLayout::setAlign(ListView1, TAlign::Top);

    Panel4 = named(new TPanel(Panel3), "Panel4");
    AlignLayout::setAlign(Panel4, TAlign::Client);

    Panel6 = named(new TPanel(Panel4), "Panel6");
    Panel6->resize(Panel4->width(), 216);
    AlignLayout::setAlign(Panel6, TAlign::Top);

    Label1 = label(Panel6, "Label1", QStringLiteral("Erkannter Text:"), 8, 11);
    Bt_OCRStarten = named(new QPushButton(QStringLiteral("Detection"), Panel6), "Bt_OCRStarten");
    Bt_OCRStarten->setGeometry(120, 5, 83, 25);
    {
        QFont f = Bt_OCRStarten->font();
        f.setPixelSize(13);
        Bt_OCRStarten->setFont(f);
    }
    Bt_OCRAssistent = named(new QPushButton(QStringLiteral("Settings"), Panel6), "Bt_OCRAssistent");
    Bt_OCRAssistent->setGeometry(224, 5, 83, 25);

    L_BCType = label(Panel6, "L_BCType", QStringLiteral("Barcodetype"), 8, 39);
    CB_BCType = named(new QComboBox(Panel6), "CB_BCType");
    CB_BCType->setGeometry(120, 36, 187, 21);
    CB_BCType->addItems(barcodeTypeNames());
    CB_BCType->setCurrentIndex(0);

    L_BCDirection = label(Panel6, "L_BCDirection", QStringLiteral("Direction"), 8, 66);
    CB_BCDirection = named(new QComboBox(Panel6), "CB_BCDirection");
    CB_BCDirection->setGeometry(120, 63, 187, 21);
    CB_BCDirection->addItems(directionNames());
    CB_BCDirection->setCurrentIndex(0);

    L_BCLength = label(Panel6, "L_BCLength", QStringLiteral("Length min/max"), 8, 93);
    SE_BCMinWidth = named(new TSpinEdit(Panel6), "SE_BCMinWidth");
    SE_BCMinWidth->setGeometry(120, 90, 83, 22);
    SE_BCMinWidth->setRange(1, 9999);
    SE_BCMinWidth->setValue(2);
    L_BCLenSplitter = label(Panel6, "L_BCLenSplitter", QStringLiteral("/"), 210, 93);
    SE_BCMaxWidth = named(new TSpinEdit(Panel6), "SE_BCMaxWidth");
    SE_BCMaxWidth->setGeometry(224, 90, 83, 22);
    SE_BCMaxWidth->setRange(1, 9999);
    SE_BCMaxWidth->setValue(999);

    ScBox_ErkannterText = named(new QScrollArea(Panel6), "ScBox_ErkannterText");
    ScBox_ErkannterText->setGeometry(4, 118, 301, 89);
    auto *resultPage = new QWidget;
    LB_OCRerkannt = label(resultPage, "LB_OCRerkannt", QString(), 5, 5);
    LB_OCRerkannt->setTextInteractionFlags(Qt::TextSelectableByMouse);
    resultPage->resize(LB_OCRerkannt->x() + LB_OCRerkannt->width() + 5,
                       LB_OCRerkannt->y() + LB_OCRerkannt->height() + 5);
    ScBox_ErkannterText->setWidget(resultPage);
    ScBox_ErkannterText->setWidgetResizable(false);

    Panel7 = named(new TPanel(Panel4), "Panel7");
    AlignLayout::setAlign(Panel7, TAlign::Client);

    StringGrid_ELOAblagemaske = named(new TStringGrid(Panel7), "StringGrid_ELOAblagemaske");
    StringGrid_ELOAblagemaske->setDefaultColWidth(156);
    StringGrid_ELOAblagemaske->setDefaultRowHeight(24);
    StringGrid_ELOAblagemaske->setColCount(2);
    StringGrid_ELOAblagemaske->setRowCount(2);
    AlignLayout::setAlign(StringGrid_ELOAblagemaske, TAlign::Client);
}

void Tfmain::composeImageView()
{
    ImageEnVect1 = named(new TImageEnVect(this), "ImageEnVect1");
    ImageEnVect1->setFrameShape(QFrame::NoFrame);
    // Left out of the skin: the page lies on its own silver ground.
    ImageEnVect1->setProperty("Tag", Skin::DisabledTag);
    QPalette p = ImageEnVect1->palette();
    p.setColor(QPalette::Window, Silver);
    p.setColor(QPalette::Base, Silver);
    p.setColor(QPalette::Dark, Silver);
    ImageEnVect1->setPalette(p);
    ImageEnVect1->viewport()->setPalette(p);
    ImageEnVect1->setCursor(Qt::ArrowCursor);
    AlignLayout::setAlign(ImageEnVect1, TAlign::Client);

    LB_DocID = label(ImageEnVect1, "LB_DocID", QStringLiteral("LB_DocID"), 8, 8);
    LB_DocID->hide();
}

void Tfmain::FormCreate()
{
    if (TApplication *app = TApplication::instance())
        app->setOnException(&Tfmain::IgnoreException);
    StringGrid_ELOAblagemaske->setColWidths(1, 151);
    // COM for this thread would be initialised here; the automation layer
    // needs no set-up.
    ImageEnVect1->setRubberBandEnabled(false);
    ScreenCursor::setArrow();
    SpeedButton15->setEnabled(false);
    SpeedButton7->setEnabled(false);
    SB_Bearbeite->setEnabled(false);
    m_elo = std::make_unique<TElo>();
}

void Tfmain::FormDestroy()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    for (int i = 0; i < areaCount(); ++i) {
        if (AreaListItem *item = areaItem(i))
            item->freeField();
    }
    // The combos belong to the window although they sit on the grid.
    const auto combos = findChildren<TAdvTreeComboBox *>();
    for (auto it = combos.crbegin(); it != combos.crend(); ++it)
        delete *it;
    m_elo.reset();
    if (m_database)
        m_database->CloseDatabase();
}

void Tfmain::IgnoreException(QObject *, std::exception_ptr)
{
}

void Tfmain::Bt_SchliessenClick()
{
    close();
}

void Tfmain::FormPaint()
{
    const int left = (Panel2->width() - Panel1->width()) / 2;
    if (Panel1->x() != left)
        Panel1->move(left, Panel1->y());
}

void Tfmain::FormResize()
{
    FormPaint();
    TStringGrid *grid = StringGrid_ELOAblagemaske;
    const int before = grid->ColWidths(1);
    grid->updateScrollBars();
    grid->setColWidths(1, grid->showsVerticalScrollBar() ? 134 : 151);
    if (grid->ColWidths(1) != before)
        FitIndexFieldCombos();
}

void Tfmain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void Tfmain::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    FormPaint();
}

bool Tfmain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Panel1 && event->type() == QEvent::Resize)
        placeCloseButton();
    return QWidget::eventFilter(watched, event);
}

void Tfmain::placeCloseButton()
{
    const double centre = DesignedCloseCentre * Panel1->width() / DesignedToolBarWidth;
    Bt_Schliessen->move(qRound(centre - Bt_Schliessen->width() / 2.0), Bt_Schliessen->y());
}

// --- view commands -----------------------------------------------------------

void Tfmain::SpeedButton1Click()
{
    ImageEnVect1->setZoom(ImageEnVect1->zoom() * 2);
}

void Tfmain::SpeedButton2Click()
{
    ImageEnVect1->setZoom(ImageEnVect1->zoom() / 2);
}

void Tfmain::SpeedButton4Click()
{
    if (ImageEnVect1->bitmapWidth() > 0 && ImageEnVect1->bitmapHeight() > 0)
        ImageEnVect1->fit();
}

void Tfmain::SpeedButton5Click()
{
    ImageEnVect1->setZoom(100);
}

void Tfmain::SpeedButton17Click()
{
    // A quarter turn clockwise; the view turns its objects with the page.
    ImageEnVect1->rotate(270);
}

void Tfmain::SpeedButton18Click()
{
    ImageEnVect1->rotate(90);
}

// --- the area list -----------------------------------------------------------

int Tfmain::areaCount() const
{
    return ListView1->topLevelItemCount();
}

AreaListItem *Tfmain::areaItem(int index) const
{
    return AreaListItem::of(ListView1->topLevelItem(index));
}

QStringList Tfmain::areaNames() const
{
    QStringList names;
    for (int i = 0; i < areaCount(); ++i) {
        const AreaListItem *item = areaItem(i);
        names.append(item && item->field() ? item->field()->Name : QString());
    }
    return names;
}

// --- the index-field grid ------------------------------------------------------

void Tfmain::BuildIndexFieldGrid(const QStringList &fieldNames, int fieldCount)
{
    m_indexFields->BuildIndexFieldGrid(fieldNames, fieldCount);
}

TAdvTreeComboBox *Tfmain::CreateIndexFieldCombo(int k)
{
    return m_indexFields->CreateIndexFieldCombo(k);
}

void Tfmain::FillComboWithAreas(TAdvTreeComboBox *combo)
{
    IndexFieldGrid::FillComboWithAreas(combo, areaNames());
}

QStandardItem *Tfmain::FindAreaNode(TAdvTreeComboBox *combo, int areaNumber)
{
    return IndexFieldGrid::FindAreaNode(combo, areaNumber);
}

void Tfmain::SelectAreaInCombo(TAdvTreeComboBox *combo, int areaNumber)
{
    IndexFieldGrid::SelectAreaInCombo(combo, areaNumber);
}

int Tfmain::AreaNumberOf(TAdvTreeComboBox *combo)
{
    return IndexFieldGrid::AreaNumberOf(combo);
}

void Tfmain::AddAreaToCombos(const QString &name)
{
    m_indexFields->AddAreaToCombos(name);
}

void Tfmain::RenameAreaInCombos(int index, const QString &name)
{
    m_indexFields->RenameAreaInCombos(index, name);
}

void Tfmain::RemoveAreaFromCombos(int index)
{
    m_indexFields->RemoveAreaFromCombos(index);
}

void Tfmain::FitIndexFieldCombos()
{
    m_indexFields->FitIndexFieldCombos();
}

void Tfmain::IndexFieldComboDropDown(TAdvTreeComboBox *sender, bool &accept)
{
    IndexFieldGrid::IndexFieldComboDropDown(sender, accept);
}

TAdvTreeComboBox *Tfmain::indexFieldCombo(int k) const
{
    return m_indexFields->comboOf(k);
}
