#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QObject;
class QStandardItem;
class QWidget;
class TAdvTreeComboBox;
class TStringGrid;

// The grid that binds each index field of the filing mask to a barcode area:
// row k + 1 shows field k's name and the tree combo
// "AdvTreeComboBoxElement_" + k, whose node n stands for the n-th area of the
// area list (node 0 for none). The combos are children of the grid but are
// found through the owner window by their name alone, as the save does.
class IndexFieldGrid
{
public:
    static inline const QString ComboNamePrefix = QStringLiteral("AdvTreeComboBoxElement_");
    static inline const QString NoAreaText = QStringLiteral("<kein Barcode-Feld>");
    static constexpr int ComboLeft = 153;
    static constexpr int ComboWidth = 155;
    static constexpr int ComboHeight = 25;

    IndexFieldGrid(TStringGrid &grid, QWidget &owner);

    // One row and one combo per field; FieldCount limits the names used.
    void BuildIndexFieldGrid(const QStringList &fieldNames, int fieldCount);
    TAdvTreeComboBox *CreateIndexFieldCombo(int k);
    void FitIndexFieldCombos();

    // The owner's combo of field k, or nullptr.
    TAdvTreeComboBox *comboOf(int k) const;
    static QString comboName(int k);
    // Every index-field combo of the owner, in field order.
    QList<TAdvTreeComboBox *> combos() const;

    // The area names are those of the area list entries, in list order.
    static void FillComboWithAreas(TAdvTreeComboBox *combo, const QStringList &areaNames);
    static QStandardItem *FindAreaNode(const TAdvTreeComboBox *combo, int areaNumber);
    static void SelectAreaInCombo(TAdvTreeComboBox *combo, int areaNumber);
    static int AreaNumberOf(const TAdvTreeComboBox *combo);
    static void IndexFieldComboDropDown(TAdvTreeComboBox *sender, bool &accept);

    void AddAreaToCombos(const QString &name);
    void RenameAreaInCombos(int index, const QString &name);
    void RemoveAreaFromCombos(int index);

private:
    TStringGrid &m_grid;
    QWidget &m_owner;
};
