#pragma once

#include "AreaDefinitionSink.h"

#include <QStringList>
#include <memory>
#include <vector>

// Stands in for the area list and the image view: keeps the definitions,
// numbers objects from 0 as the view does, and logs every call in order.
class RecordingAreaSink : public AreaDefinitionSink
{
public:
    TOCRField &addAreaEntry(std::unique_ptr<TOCRField> definition) override
    {
        log << QStringLiteral("entry");
        entries.push_back(std::move(definition));
        return *entries.back();
    }
    void showAreaEntry(const QString &name, const QString &areaText, const QString &pattern) override
    {
        log << QStringLiteral("show %1|%2|%3").arg(name, areaText, pattern);
    }
    void prepareAreaObject() override
    {
        log << QStringLiteral("box mode");
        boxMode = true;
    }
    QSize imageSize() const override { return pageSize; }
    std::int32_t addAreaObject(const TAreaRect &r) override
    {
        log << QStringLiteral("object %1,%2,%3,%4").arg(r.Left).arg(r.Top).arg(r.Width).arg(r.Height);
        return objects++;
    }

    std::vector<std::unique_ptr<TOCRField>> entries;
    QStringList log;
    std::int32_t objects = 0;
    bool boxMode = false;
    QSize pageSize{2000, 1000}; // empty: no page shown
};
