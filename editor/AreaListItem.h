#pragma once

#include "U_Types.h"

#include <QTreeWidgetItem>
#include <memory>

// An entry of the area list: the area's name, its coordinate text and its
// stored pattern in the three columns, and the area's definition, which the
// entry owns.
class AreaListItem : public QTreeWidgetItem
{
public:
    enum Column
    {
        NameColumn = 0,
        AreaColumn = 1,
        PatternColumn = 2,
    };

    AreaListItem() = default;

    TOCRField *field() const { return m_field.get(); }
    void setField(std::unique_ptr<TOCRField> field) { m_field = std::move(field); }
    // Frees the definition and leaves the entry without one.
    void freeField() { m_field.reset(); }

    // The entry's caption, and its sub-items 0 and 1.
    QString Caption() const { return text(NameColumn); }
    void setCaption(const QString &caption) { setText(NameColumn, caption); }

    static AreaListItem *of(QTreeWidgetItem *item) { return dynamic_cast<AreaListItem *>(item); }

private:
    std::unique_ptr<TOCRField> m_field;
};
