#include "IndexFieldGrid.h"
#include "QtPrinters.h"
#include "StringGrid.h"
#include "TreeComboBox.h"

#include <QApplication>
#include <QStandardItem>
#include <QTest>
#include <QTreeView>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// An owner window with a grid set up as the main window sets up its grid.
class IndexFieldGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        owner.resize(320, 400);
        grid->setGeometry(0, 0, 318, 340);
        grid->setColCount(2);
        grid->setRowCount(2);
        grid->setDefaultColWidth(156);
        grid->setColWidths(1, 151);
    }

    QStringList comboTexts(const TAdvTreeComboBox *combo) const
    {
        QStringList texts;
        for (int i = 0; i < combo->nodeCount(); ++i)
            texts << combo->topNode(i)->text();
        return texts;
    }

    // Three fields, and the areas "A", "B", "C" in every combo.
    void buildWithAreas()
    {
        fields.BuildIndexFieldGrid({"Rechnungsnummer", "Datum", "Kunde"}, 3);
        for (int k = 0; k < 3; ++k)
            IndexFieldGrid::FillComboWithAreas(fields.comboOf(k), {"A", "B", "C"});
    }

    QWidget owner;
    TStringGrid *grid = nullptr;
    IndexFieldGrid fields{*(grid = new TStringGrid(&owner)), owner};
};

TEST_F(IndexFieldGridTest, ThreeFieldsGiveThreeNamedCombosOnTheirRows)
{
    fields.BuildIndexFieldGrid({"Rechnungsnummer", "Datum", "Kunde"}, 3);

    EXPECT_EQ(grid->RowCount(), 4);
    const int tops[] = {25, 50, 75};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        auto *combo = owner.findChild<TAdvTreeComboBox *>("AdvTreeComboBoxElement_" + QString::number(k));
        ASSERT_NE(combo, nullptr);
        EXPECT_EQ(combo->geometry(), QRect(153, tops[k], 155, 25));
        EXPECT_EQ(comboTexts(combo), QStringList{"<kein Barcode-Feld>"});
        EXPECT_EQ(combo->Selection(), 0);
        EXPECT_EQ(combo->currentText(), "<kein Barcode-Feld>");
        EXPECT_EQ(grid->visualRect(grid->model()->index(k + 1, 1)).top(), tops[k]);
    }
    EXPECT_EQ(grid->Cells(0, 1), "Rechnungsnummer");
    EXPECT_EQ(grid->Cells(0, 3), "Kunde");
    EXPECT_EQ(owner.findChild<TAdvTreeComboBox *>("AdvTreeComboBoxElement_3"), nullptr);
    // The header cells are written by start-up only when areas were stored.
    EXPECT_EQ(grid->Cells(0, 0), "");
}

TEST_F(IndexFieldGridTest, MaskWithoutFieldsHasOnlyTheHeaderRow)
{
    fields.BuildIndexFieldGrid({}, 0);
    EXPECT_EQ(grid->RowCount(), 1);
    EXPECT_TRUE(fields.combos().isEmpty());
}

TEST_F(IndexFieldGridTest, FindAndSelectAreaNodes)
{
    buildWithAreas();
    TAdvTreeComboBox *combo = fields.comboOf(1);

    EXPECT_EQ(IndexFieldGrid::FindAreaNode(combo, 0)->text(), "<kein Barcode-Feld>");
    EXPECT_EQ(IndexFieldGrid::FindAreaNode(combo, 3)->text(), "C");
    EXPECT_EQ(IndexFieldGrid::FindAreaNode(combo, 4), nullptr);
    EXPECT_EQ(IndexFieldGrid::FindAreaNode(nullptr, 1), nullptr);

    IndexFieldGrid::SelectAreaInCombo(combo, 2);
    EXPECT_EQ(IndexFieldGrid::AreaNumberOf(combo), 2);
    EXPECT_EQ(combo->currentText(), "B");

    // A stored binding beyond the areas, zero or negative keeps the choice.
    for (int n : {4, 0, -1}) {
        IndexFieldGrid::SelectAreaInCombo(combo, n);
        EXPECT_EQ(IndexFieldGrid::AreaNumberOf(combo), 2) << n;
    }
    IndexFieldGrid::SelectAreaInCombo(nullptr, 1); // no combo: nothing happens
}

TEST_F(IndexFieldGridTest, NewAreaIsAppendedWithoutChangingChoices)
{
    fields.BuildIndexFieldGrid({"F0", "F1"}, 2);
    for (int k = 0; k < 2; ++k)
        IndexFieldGrid::FillComboWithAreas(fields.comboOf(k), {"1 Barcode-Bereich", "2 Barcode-Bereich"});
    IndexFieldGrid::SelectAreaInCombo(fields.comboOf(1), 2);

    fields.AddAreaToCombos("3 Barcode-Bereich");

    const QStringList expected{"<kein Barcode-Feld>", "1 Barcode-Bereich", "2 Barcode-Bereich", "3 Barcode-Bereich"};
    EXPECT_EQ(comboTexts(fields.comboOf(0)), expected);
    EXPECT_EQ(comboTexts(fields.comboOf(1)), expected);
    EXPECT_EQ(IndexFieldGrid::AreaNumberOf(fields.comboOf(0)), 0);
    EXPECT_EQ(IndexFieldGrid::AreaNumberOf(fields.comboOf(1)), 2);
}

TEST_F(IndexFieldGridTest, RenamedAreaShowsAtOnceInTheComboThatChoseIt)
{
    buildWithAreas();
    IndexFieldGrid::SelectAreaInCombo(fields.comboOf(0), 2);
    IndexFieldGrid::SelectAreaInCombo(fields.comboOf(1), 3);

    fields.RenameAreaInCombos(1, "Lieferschein");

    EXPECT_EQ(fields.comboOf(0)->currentText(), "Lieferschein");
    EXPECT_EQ(fields.comboOf(1)->currentText(), "C");
    EXPECT_EQ(comboTexts(fields.comboOf(2)), (QStringList{"<kein Barcode-Feld>", "A", "Lieferschein", "C"}));
    EXPECT_EQ(IndexFieldGrid::AreaNumberOf(fields.comboOf(0)), 2);

    // The placeholder is never renamed, whatever index arrives.
    fields.RenameAreaInCombos(-1, "X");
    EXPECT_EQ(fields.comboOf(2)->topNode(0)->text(), "<kein Barcode-Feld>");
}

TEST_F(IndexFieldGridTest, DeletingAnAreaKeepsOtherBindingsOnTheirAreas)
{
    buildWithAreas();
    IndexFieldGrid::SelectAreaInCombo(fields.comboOf(0), 1); // bound to the deleted area
    IndexFieldGrid::SelectAreaInCombo(fields.comboOf(1), 3); // bound to a later area
    IndexFieldGrid::SelectAreaInCombo(fields.comboOf(2), 2);

    fields.RemoveAreaFromCombos(0);

    EXPECT_EQ(fields.comboOf(0)->currentText(), "<kein Barcode-Feld>");
    EXPECT_EQ(IndexFieldGrid::AreaNumberOf(fields.comboOf(0)), 0);
    EXPECT_EQ(fields.comboOf(1)->currentText(), "C");
    EXPECT_EQ(IndexFieldGrid::AreaNumberOf(fields.comboOf(1)), 2);
    EXPECT_EQ(IndexFieldGrid::AreaNumberOf(fields.comboOf(2)), 1);
    EXPECT_EQ(comboTexts(fields.comboOf(2)), (QStringList{"<kein Barcode-Feld>", "B", "C"}));

    // Indexes without a node, and a negative one, leave the placeholder alone.
    fields.RemoveAreaFromCombos(5);
    fields.RemoveAreaFromCombos(-1);
    EXPECT_EQ(comboTexts(fields.comboOf(2)), (QStringList{"<kein Barcode-Feld>", "B", "C"}));
}

TEST_F(IndexFieldGridTest, FitGivesCombosTheSecondColumnPlusTwo)
{
    buildWithAreas();
    grid->setColWidths(1, 134);
    fields.FitIndexFieldCombos();
    for (TAdvTreeComboBox *combo : fields.combos())
        EXPECT_EQ(combo->width(), 136);
    grid->setColWidths(1, 151);
    fields.FitIndexFieldCombos();
    for (TAdvTreeComboBox *combo : fields.combos())
        EXPECT_EQ(combo->width(), 153);
}

TEST_F(IndexFieldGridTest, DropDownOpensAndShowsTheChoice)
{
    fields.BuildIndexFieldGrid({"F0"}, 1);
    QStringList many;
    for (int i = 1; i <= 32; ++i)
        many << QString::number(i) + " Barcode-Bereich";
    TAdvTreeComboBox *combo = fields.comboOf(0);
    IndexFieldGrid::FillComboWithAreas(combo, many);
    IndexFieldGrid::SelectAreaInCombo(combo, 30);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));

    QTest::mouseClick(combo, Qt::LeftButton);
    ASSERT_TRUE(combo->isDroppedDown());
    QTreeView *tree = combo->treeView();
    const QRect shown = tree->visualRect(combo->model()->index(30, 0));
    EXPECT_TRUE(tree->viewport()->rect().contains(shown)) << shown.top();
    combo->hidePopup();
}

TEST(TreeComboBox, RefusedDropDownStaysClosed)
{
    TAdvTreeComboBox combo;
    combo.addNode("<kein Barcode-Feld>");
    QObject::connect(&combo, &TAdvTreeComboBox::dropDown, [](TAdvTreeComboBox *, bool &accept) { accept = false; });
    combo.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&combo));
    QTest::mouseClick(&combo, Qt::LeftButton);
    EXPECT_FALSE(combo.isDroppedDown());
}

} // namespace
