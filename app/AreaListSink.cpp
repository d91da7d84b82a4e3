#include "AreaListSink.h"

#include "AreaListItem.h"
#include "imageview/ImageEnVect.h"

#include <QTreeWidget>

AreaListSink::AreaListSink(QTreeWidget &list, TImageEnVect &view) : m_list(list), m_view(view)
{
}

TOCRField &AreaListSink::addAreaEntry(std::unique_ptr<TOCRField> definition)
{
    auto *entry = new AreaListItem;
    TOCRField &field = *definition;
    entry->setField(std::move(definition));
    m_list.addTopLevelItem(entry);
    m_entry = entry;
    return field;
}

void AreaListSink::showAreaEntry(const QString &name, const QString &areaText, const QString &pattern)
{
    if (!m_entry)
        return;
    m_entry->setCaption(name);
    m_entry->setText(AreaListItem::AreaColumn, areaText);
    m_entry->setText(AreaListItem::PatternColumn, pattern);
}

void AreaListSink::prepareAreaBox(TImageEnVect &view)
{
    view.setMouseMode(MouseMode::DrawBox);
    view.setRubberBandEnabled(false);
    VectorObject &t = view.objectTemplate();
    t.kind = ObjectKind::Box;
    t.highlight = true;
    t.brushColor = QColor(255, 255, 0);
    t.brushStyle = BrushStyle::Solid;
}

void AreaListSink::prepareAreaObject()
{
    prepareAreaBox(m_view);
}

QSize AreaListSink::imageSize() const
{
    if (!m_view.hasImage())
        return {};
    return {m_view.bitmapWidth(), m_view.bitmapHeight()};
}

std::int32_t AreaListSink::addAreaObject(const TAreaRect &rect)
{
    VectorObject &t = m_view.objectTemplate();
    t.rect = QRect(rect.Left, rect.Top, rect.Width, rect.Height);
    return m_view.addObject();
}
