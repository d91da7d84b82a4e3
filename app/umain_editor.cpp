// The area editor of the main window: drawing, selecting, moving, resizing,
// deleting and naming areas, and the area panel's and the settings dialog's
// edits of the selected area.

#include "umain.h"

#include "AdvancedBarcodeSettings.h"
#include "AreaColumnLock.h"
#include "AreaGeometry.h"
#include "AreaListItem.h"
#include "AreaListSink.h"
#include "AreaNaming.h"
#include "BearbeiteName.h"
#include "ExitNotifier.h"
#include "MessageBoxes.h"
#include "ScreenCursor.h"
#include "TSpinEdit.h"
#include "U_Assistent.h"
#include "U_Types.h"
#include "U_misc.h"
#include "imageview/ImageEnVect.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QToolButton>
#include <QTreeWidget>
#include <memory>

namespace {

// The area panel's spin fields are created as TSpinEdit; the window's header
// names them by their base class only.
TSpinEdit *spinEdit(QSpinBox *box)
{
    return static_cast<TSpinEdit *>(box);
}

constexpr int LockedAreaColumns = 2;

} // namespace

void Tfmain::wireAreaEditor()
{
    connect(SpeedButton7, &QToolButton::clicked, this, &Tfmain::SpeedButton7Click);
    connect(SpeedButton13, &QToolButton::clicked, this, &Tfmain::SpeedButton13Click);
    connect(SB_Bearbeite, &QToolButton::clicked, this, &Tfmain::SB_BearbeiteClick);
    connect(Bt_OCRAssistent, &QPushButton::clicked, this, &Tfmain::Bt_OCRAssistentClick);

    connect(ImageEnVect1, &TImageEnVect::newObject, this, &Tfmain::ImageEnVect1NewObject);
    connect(ImageEnVect1, &TImageEnVect::objectClick, this, &Tfmain::ImageEnVect1ObjectClick);
    connect(ImageEnVect1, &TImageEnVect::objectMoveResize, this, &Tfmain::ImageEnVect1ObjectMoveResize);

    connect(ListView1, &QTreeWidget::itemClicked, this, [this] { ListView1Click(); });
    // Only the entry that became selected matters; losing the selection does
    // nothing, and the entry may already be on its way out of the list then.
    connect(ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection &selected, const QItemSelection &) {
                for (const QModelIndex &index : selected.indexes()) {
                    if (index.column() == AreaListItem::NameColumn && !index.parent().isValid())
                        ListView1SelectItem(ListView1->topLevelItem(index.row()), true);
                }
            });

    ExitNotifier::watch(CB_BCType, [this] { CB_BCTypeExit(); });
    ExitNotifier::watch(CB_BCDirection, [this] { CB_BCDirectionExit(); });
    connect(spinEdit(SE_BCMinWidth), &TSpinEdit::exited, this, &Tfmain::SE_BCMinWidthExit);
    connect(spinEdit(SE_BCMaxWidth), &TSpinEdit::exited, this, &Tfmain::SE_BCMaxWidthExit);

    AreaColumnLock::install(ListView1->header(), LockedAreaColumns);
}

// --- the list and the view ---------------------------------------------------------

AreaListItem *Tfmain::selectedArea() const
{
    const QList<QTreeWidgetItem *> selected = ListView1->selectedItems();
    return selected.isEmpty() ? nullptr : AreaListItem::of(selected.first());
}

QStringList Tfmain::areaCaptions() const
{
    QStringList captions;
    for (int i = 0; i < areaCount(); ++i) {
        const AreaListItem *item = areaItem(i);
        captions.append(item ? item->Caption() : QString());
    }
    return captions;
}

bool Tfmain::AreaNameExists(const QString &Name) const
{
    return areaNameTaken(areaCaptions(), Name);
}

void Tfmain::selectAreaEntry(AreaListItem *item)
{
    ListView1->setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QString Tfmain::RectToAreaText(int Left, int Top, int Width, int Height, int ImageWidth, int ImageHeight) const
{
    return ::RectToAreaText(Left, Top, Width, Height, ImageWidth, ImageHeight, ImageEnVect1->measureScaleX(),
                            ImageEnVect1->measureScaleY());
}

TAreaRect Tfmain::AreaTextToRect(const QString &AreaText) const
{
    // Texts describe the page as loaded; a rotation of the view must not
    // stretch them over the turned bitmap.
    return ::AreaTextToRect(AreaText, ImageEnVect1->documentWidth(), ImageEnVect1->documentHeight());
}

QString Tfmain::documentAreaText(int hobj) const
{
    // After a turn of the view the object stands in the turned bitmap; the
    // text must describe the same part of the page file that is scanned.
    const TAreaRect r = ImageEnVect1->mapRectToDocument(ImageEnVect1->objectRect(hobj));
    return RectToAreaText(r.Left, r.Top, r.Width, r.Height, ImageEnVect1->documentWidth(),
                          ImageEnVect1->documentHeight());
}

void Tfmain::SpeedButton7Click()
{
    ScreenCursor::set(TImageEnVect::crosshairCursor());
    AreaListSink::prepareAreaBox(*ImageEnVect1);
}

void Tfmain::ImageEnVect1NewObject(int hobj)
{
    if (areaCount() >= MaxAreaCount) {
        MessageBoxes::showMessage(TooManyAreasText);
        ScreenCursor::setArrow();
        // No entry will ever own the box, so it could be neither saved nor
        // deleted; it goes at once instead of lingering until the next start.
        ImageEnVect1->removeObject(hobj);
        return;
    }
    SpeedButton13->setEnabled(true);
    ImageEnVect1->setMouseMode(MouseMode::Select);
    ImageEnVect1->setRubberBandEnabled(false);

    const QString name = nextFreeAreaName(areaCaptions());
    auto *item = new AreaListItem;
    ListView1->addTopLevelItem(item);
    item->setField(std::make_unique<TOCRField>(hobj));
    TOCRField &field = *item->field();
    field.Name = name;
    item->setCaption(name);

    const QString areaText = documentAreaText(hobj);
    item->setText(AreaListItem::AreaColumn, areaText);
    field.BCArea = areaText;
    item->setText(AreaListItem::PatternColumn, QString());

    AddAreaToCombos(name);
    ScreenCursor::setArrow();
    SetAreaControlsEnabled(true);
}

void Tfmain::ImageEnVect1ObjectClick(int hobj)
{
    for (int i = 0; i < areaCount(); ++i) {
        AreaListItem *item = areaItem(i);
        if (item && item->field() && item->field()->ObjectHandle == hobj) {
            // Taking the focus first ends an edit in the area panel, which is
            // stored into the area selected until now.
            ListView1->setFocus(Qt::MouseFocusReason);
            selectAreaEntry(item);
        }
    }
    const QList<int> handles = ImageEnVect1->objectHandles();
    for (int h : handles) {
        if (h != hobj)
            ImageEnVect1->deselectObject(h);
    }
}

void Tfmain::ImageEnVect1ObjectMoveResize(int hobj, int, int, int)
{
    QString areaText;
    for (int i = 0; i < areaCount(); ++i) {
        AreaListItem *item = areaItem(i);
        if (!item || !item->field() || item->field()->ObjectHandle != hobj)
            continue;
        if (areaText.isNull())
            areaText = documentAreaText(hobj);
        item->setText(AreaListItem::AreaColumn, areaText);
        item->field()->BCArea = areaText;
    }
}

void Tfmain::ListView1SelectItem(QTreeWidgetItem *, bool Selected)
{
    if (Selected)
        ListView1Click();
}

void Tfmain::ListView1Click()
{
    AreaListItem *selected = selectedArea();
    if (!selected || !selected->field())
        return;
    for (int i = 0; i < areaCount(); ++i) {
        if (const AreaListItem *item = areaItem(i); item && item->field())
            ImageEnVect1->deselectObject(item->field()->ObjectHandle);
    }
    ImageEnVect1->selectObject(selected->field()->ObjectHandle);
    ShowAreaSettings(*selected->field());
}

void Tfmain::ShowAreaSettings(const TOCRField &Field)
{
    CB_BCType->setCurrentIndex(ConvertBarcodeType(Field.BCType, false));
    CB_BCDirection->setCurrentIndex(ConvertDirection(Field.BCDirection, false));
    // The fields show values outside their range as the nearer bound.
    SE_BCMinWidth->setValue(Field.MinLen);
    SE_BCMaxWidth->setValue(Field.MaxLen);
}

void Tfmain::SpeedButton13Click()
{
    if (AreaListItem *item = selectedArea()) {
        const int index = ListView1->indexOfTopLevelItem(item);
        const bool hasObject = item->field() != nullptr;
        const int handle = hasObject ? item->field()->ObjectHandle : -1;
        item->freeField();
        if (hasObject)
            ImageEnVect1->removeObject(handle);
        delete ListView1->takeTopLevelItem(index);
        RemoveAreaFromCombos(index);
        if (areaCount() > 0)
            selectAreaEntry(areaItem(0));
    }
    if (areaCount() == 0) {
        ImageEnVect1->deselectAllObjects();
        SetAreaControlsEnabled(false);
    }
}

void Tfmain::SetAreaControlsEnabled(bool Enabled)
{
    QWidget *const controls[] = {SB_Bearbeite, SpeedButton13, L_BCType,       L_BCDirection, L_BCLength,
                                 L_BCLenSplitter, CB_BCType, CB_BCDirection, SE_BCMinWidth, SE_BCMaxWidth};
    for (QWidget *w : controls)
        w->setEnabled(Enabled);
}

// --- naming ------------------------------------------------------------------------

void Tfmain::SB_BearbeiteClick()
{
    AreaListItem *item = selectedArea();
    if (!item) {
        MessageBoxes::showMessage(NoObjectSelectedText);
        return;
    }
    if (!Form1)
        return;
    Form1->Edit1->setText(item->Caption());

    // A disabled list hands its focus on; keep it from landing in the area
    // panel, whose exit handlers would later store what the panel shows.
    const bool listHadFocus = focusWidget() == ListView1;
    if (listHadFocus)
        ListView1->clearFocus();
    ListView1->setEnabled(false);
    const auto enableList = qScopeGuard([this, listHadFocus] {
        ListView1->setEnabled(true);
        if (listHadFocus)
            ListView1->setFocus(Qt::OtherFocusReason);
    });

    if (Form1->exec() != QDialog::Accepted)
        return;
    const QString name = Form1->Edit1->text();
    if (!isAcceptableAreaName(areaCaptions(), name)) {
        MessageBoxes::showMessage(NameNotUniqueText);
        return;
    }
    RenameAreaInCombos(ListView1->indexOfTopLevelItem(item), name);
    item->setCaption(name);
    if (item->field())
        item->field()->Name = name;
    Form1->Edit1->clear();
}

// --- the area panel and the settings dialog ------------------------------------------

void Tfmain::CB_BCTypeExit()
{
    if (AreaListItem *item = selectedArea(); item && item->field())
        item->field()->BCType = ConvertBarcodeType(CB_BCType->currentIndex(), true);
}

void Tfmain::CB_BCDirectionExit()
{
    if (AreaListItem *item = selectedArea(); item && item->field())
        item->field()->BCDirection = ConvertDirection(CB_BCDirection->currentIndex(), true);
}

void Tfmain::SE_BCMinWidthExit()
{
    const std::int32_t value = spinEdit(SE_BCMinWidth)->repairText(2);
    if (AreaListItem *item = selectedArea(); item && item->field())
        item->field()->MinLen = value;
}

void Tfmain::SE_BCMaxWidthExit()
{
    const std::int32_t value = spinEdit(SE_BCMaxWidth)->repairText(999);
    if (AreaListItem *item = selectedArea(); item && item->field())
        item->field()->MaxLen = value;
}

void Tfmain::StorePendingAreaPanelEdit()
{
    QWidget *focused = focusWidget();
    if (!focused)
        return;
    const auto holds = [focused](QWidget *control) { return focused == control || control->isAncestorOf(focused); };
    if (holds(CB_BCType))
        CB_BCTypeExit();
    else if (holds(CB_BCDirection))
        CB_BCDirectionExit();
    else if (holds(SE_BCMinWidth))
        SE_BCMinWidthExit();
    else if (holds(SE_BCMaxWidth))
        SE_BCMaxWidthExit();
}

void Tfmain::Bt_OCRAssistentClick()
{
    AreaListItem *item = selectedArea();
    if (!item || !item->field()) {
        MessageBoxes::showMessage(NoAreaSelectedForSettingsText);
        return;
    }
    if (!F_BarcodeSettings)
        return;
    F_BarcodeSettings->showSettings(AdvancedBarcodeSettings::of(*item->field()));
    if (F_BarcodeSettings->exec() == QDialog::Accepted)
        F_BarcodeSettings->acceptedSettings().writeTo(*item->field());
}
