#pragma once

#include <QComboBox>

class QStandardItem;
class QStandardItemModel;
class QTreeView;

// A combo whose drop-down is a tree. The tool only ever puts top-level nodes
// into it, so a node's position among them is also its selection index.
class TAdvTreeComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit TAdvTreeComboBox(QWidget *parent = nullptr);

    QStandardItem *addNode(const QString &text);
    // Nullptr when the index is outside the nodes.
    QStandardItem *topNode(int index) const;
    // The top-level node after the given one; nullptr after the last.
    QStandardItem *nextSibling(const QStandardItem *node) const;
    int nodeCount() const;
    int indexOfNode(const QStandardItem *node) const;
    void deleteNode(QStandardItem *node);

    // Absolute index of the chosen node, -1 when none is chosen. Setting it
    // also shows the node's text in the edit field.
    int Selection() const { return currentIndex(); }
    void setSelection(int index) { setCurrentIndex(index); }
    QStandardItem *selectedNode() const { return topNode(currentIndex()); }

    // Expands the node's ancestors in the drop-down tree and scrolls it into view.
    void makeNodeVisible(QStandardItem *node);

    QTreeView *treeView() const { return m_tree; }
    bool isDroppedDown() const { return m_droppedDown; }

    void showPopup() override;
    void hidePopup() override;

signals:
    // Before the tree drops down; a receiver that clears accept keeps it closed.
    void dropDown(TAdvTreeComboBox *sender, bool &accept);

private:
    QStandardItemModel *m_model;
    QTreeView *m_tree;
    bool m_droppedDown = false;
};
