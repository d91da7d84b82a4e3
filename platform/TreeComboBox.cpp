#include "TreeComboBox.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTreeView>

TAdvTreeComboBox::TAdvTreeComboBox(QWidget *parent)
    : QComboBox(parent), m_model(new QStandardItemModel(this)), m_tree(new QTreeView(this))
{
    setModel(m_model);
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(false);
    m_tree->setItemsExpandable(true);
    m_tree->setUniformRowHeights(true);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    setView(m_tree);
}

QStandardItem *TAdvTreeComboBox::addNode(const QString &text)
{
    auto *item = new QStandardItem(text);
    item->setEditable(false);
    m_model->appendRow(item);
    return item;
}

QStandardItem *TAdvTreeComboBox::topNode(int index) const
{
    if (index < 0 || index >= m_model->rowCount())
        return nullptr;
    return m_model->item(index);
}

QStandardItem *TAdvTreeComboBox::nextSibling(const QStandardItem *node) const
{
    const int index = indexOfNode(node);
    return index < 0 ? nullptr : topNode(index + 1);
}

int TAdvTreeComboBox::nodeCount() const
{
    return m_model->rowCount();
}

int TAdvTreeComboBox::indexOfNode(const QStandardItem *node) const
{
    if (!node || node->model() != m_model || node->parent())
        return -1;
    return node->row();
}

void TAdvTreeComboBox::deleteNode(QStandardItem *node)
{
    const int index = indexOfNode(node);
    if (index >= 0)
        m_model->removeRow(index);
}

void TAdvTreeComboBox::makeNodeVisible(QStandardItem *node)
{
    if (!node || node->model() != m_model)
        return;
    for (QStandardItem *p = node->parent(); p; p = p->parent())
        m_tree->expand(p->index());
    m_tree->scrollTo(node->index(), QAbstractItemView::EnsureVisible);
}

void TAdvTreeComboBox::showPopup()
{
    bool accept = true;
    emit dropDown(this, accept);
    if (!accept)
        return;
    QComboBox::showPopup();
    m_droppedDown = true;
}

void TAdvTreeComboBox::hidePopup()
{
    QComboBox::hidePopup();
    m_droppedDown = false;
}
