#include "IndexFieldGrid.h"

#include "StringGrid.h"
#include "TreeComboBox.h"

#include <QStandardItem>
#include <QWidget>

IndexFieldGrid::IndexFieldGrid(TStringGrid &grid, QWidget &owner) : m_grid(grid), m_owner(owner) {}

QString IndexFieldGrid::comboName(int k)
{
    return ComboNamePrefix + QString::number(k);
}

void IndexFieldGrid::BuildIndexFieldGrid(const QStringList &fieldNames, int fieldCount)
{
    const int count = qMax(0, fieldCount);
    m_grid.setRowCount(count + 1);
    for (int k = 0; k < count; ++k) {
        m_grid.setCells(0, k + 1, fieldNames.value(k));
        CreateIndexFieldCombo(k);
    }
}

TAdvTreeComboBox *IndexFieldGrid::CreateIndexFieldCombo(int k)
{
    // The combo lives on the grid's cell area so that it scrolls with its row;
    // its name is what ties it to the field.
    auto *combo = new TAdvTreeComboBox(m_grid.viewport());
    combo->setObjectName(comboName(k));
    const int height = ComboHeight;
    combo->setGeometry(ComboLeft, k * height + 25, ComboWidth, height);
    combo->addNode(NoAreaText);
    combo->setSelection(0);
    QObject::connect(combo, &TAdvTreeComboBox::dropDown, &IndexFieldGrid::IndexFieldComboDropDown);
    combo->show();
    return combo;
}

TAdvTreeComboBox *IndexFieldGrid::comboOf(int k) const
{
    return m_owner.findChild<TAdvTreeComboBox *>(comboName(k));
}

QList<TAdvTreeComboBox *> IndexFieldGrid::combos() const
{
    return m_owner.findChildren<TAdvTreeComboBox *>();
}

void IndexFieldGrid::FillComboWithAreas(TAdvTreeComboBox *combo, const QStringList &areaNames)
{
    if (!combo)
        return;
    for (const QString &name : areaNames)
        combo->addNode(name);
}

QStandardItem *IndexFieldGrid::FindAreaNode(const TAdvTreeComboBox *combo, int areaNumber)
{
    if (!combo)
        return nullptr;
    QStandardItem *node = combo->topNode(0);
    for (int i = 0; i < areaNumber && node; ++i)
        node = combo->nextSibling(node);
    return node;
}

void IndexFieldGrid::SelectAreaInCombo(TAdvTreeComboBox *combo, int areaNumber)
{
    if (!combo || areaNumber <= 0)
        return;
    if (QStandardItem *node = FindAreaNode(combo, areaNumber))
        combo->setSelection(combo->indexOfNode(node));
}

int IndexFieldGrid::AreaNumberOf(const TAdvTreeComboBox *combo)
{
    return combo ? combo->indexOfNode(combo->selectedNode()) : -1;
}

void IndexFieldGrid::AddAreaToCombos(const QString &name)
{
    for (TAdvTreeComboBox *combo : combos())
        combo->addNode(name);
}

void IndexFieldGrid::RenameAreaInCombos(int index, const QString &name)
{
    // A negative index would reach the placeholder, which keeps its text.
    if (index < 0)
        return;
    for (TAdvTreeComboBox *combo : combos()) {
        if (QStandardItem *node = FindAreaNode(combo, index + 1))
            node->setText(name);
        combo->setSelection(combo->Selection());
    }
}

void IndexFieldGrid::RemoveAreaFromCombos(int index)
{
    // The placeholder is never removed: it is the "no area" choice.
    if (index < 0)
        return;
    for (TAdvTreeComboBox *combo : combos()) {
        QStandardItem *node = FindAreaNode(combo, index + 1);
        if (!node)
            continue;
        if (combo->selectedNode() == node)
            combo->setSelection(0);
        combo->deleteNode(node);
    }
}

void IndexFieldGrid::FitIndexFieldCombos()
{
    for (int r = 1; r <= m_grid.RowCount(); ++r) {
        if (TAdvTreeComboBox *combo = comboOf(r - 1))
            combo->resize(m_grid.ColWidths(1) + 2, combo->height());
    }
}

void IndexFieldGrid::IndexFieldComboDropDown(TAdvTreeComboBox *sender, bool &accept)
{
    accept = true;
    if (!sender)
        return;
    if (QStandardItem *node = sender->selectedNode())
        sender->makeNodeVisible(node);
}
