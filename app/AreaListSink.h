#pragma once

#include "AreaDefinitionSink.h"

class AreaListItem;
class QTreeWidget;
class TImageEnVect;

// Puts the stored areas, row by row as they are read, into the area list and
// onto the page: an entry owning its definition, and a yellow highlight box.
// Without a page on the view the entries are made but no box: there is no
// page to place it on, and a box of an empty image would give the area a
// wrong coordinate text as soon as it was touched.
class AreaListSink : public AreaDefinitionSink
{
public:
    AreaListSink(QTreeWidget &list, TImageEnVect &view);

    // Box-drawing mode with a yellow highlight box as the next object: how
    // every area's rectangle is made, drawn by the user or loaded.
    static void prepareAreaBox(TImageEnVect &view);

    TOCRField &addAreaEntry(std::unique_ptr<TOCRField> definition) override;
    void showAreaEntry(const QString &name, const QString &areaText, const QString &pattern) override;
    void prepareAreaObject() override;
    // The shown page's size; without a page a nominal one that only serves
    // to check the text.
    QSize imageSize() const override;
    // The handle of the new box; -1, and no box, while the view shows no page.
    std::int32_t addAreaObject(const TAreaRect &rect) override;

private:
    QTreeWidget &m_list;
    TImageEnVect &m_view;
    AreaListItem *m_entry = nullptr;
};
