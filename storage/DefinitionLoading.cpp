#include "DefinitionLoading.h"

#include "AreaGeometry.h"
#include "StrictInt.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

template <typename Set>
void readIntegerIfNotNull(const ReadingDataSet &data, const char *column, Set set)
{
    const QString name = QString::fromLatin1(column);
    if (!data.isNull(name))
        set(data.asInteger(name));
}

template <typename Set>
void readBooleanIfNotNull(const ReadingDataSet &data, const char *column, Set set)
{
    const QString name = QString::fromLatin1(column);
    if (!data.isNull(name))
        set(data.asBoolean(name));
}

} // namespace

std::int32_t LoadAreaDefinitions(DefinitionDatabase &database, std::int32_t DocID, AreaDefinitionSink &sink)
{
    ReadingDataSet &data = database.DS_Einstellungen();
    data.setCommandText(QStringLiteral("SELECT BCAreas.* FROM BCDocuments INNER JOIN BCAreas ON BCDocuments.DocBCID "
                                       "= BCAreas.DocBCID WHERE (((BCDocuments.DocID)=")
                        + QString::number(DocID) + QStringLiteral("));"));
    data.open();
    const qsizetype rowCount = data.recordCount();
    if (rowCount == 0)
        return 0;
    // The list holds at most what a 32-bit row number can name.
    const std::int32_t count = static_cast<std::int32_t>(std::min<qsizetype>(rowCount, INT32_MAX));

    for (std::int32_t i = 0; i < count; ++i) {
        QString name;
        QString areaText;
        QString patternText;

        TOCRField &field = sink.addAreaEntry(std::make_unique<TOCRField>(i));

        name = data.asString(QStringLiteral("Name"));
        areaText = data.asString(QStringLiteral("BCArea"));
        patternText = data.asString(QStringLiteral("Pattern"));
        if (name.isEmpty())
            name = field.Name;
        field.Name = name;
        field.BCArea = areaText;
        field.Pattern = patternText;

        readIntegerIfNotNull(data, "BCType", [&](std::int32_t v) { field.BCType = v; });
        readIntegerIfNotNull(data, "BCDirection", [&](std::int32_t v) { field.BCDirection = v; });
        readIntegerIfNotNull(data, "MinLen", [&](std::int32_t v) { field.MinLen = v; });
        readIntegerIfNotNull(data, "MaxLen", [&](std::int32_t v) { field.MaxLen = v; });
        readIntegerIfNotNull(data, "LineJump", [&](std::int32_t v) { field.LineJump = v; });
        readIntegerIfNotNull(data, "ColorThreshold", [&](std::int32_t v) { field.ColorThreshold = v; });
        readIntegerIfNotNull(data, "MinSpaceBar", [&](std::int32_t v) { field.MinSpaceBar = v; });
        readIntegerIfNotNull(data, "QuietZone", [&](std::int32_t v) { field.QuietZone = v; });
        readIntegerIfNotNull(data, "NoiseReduction", [&](std::int32_t v) { field.NoiseReduction = v; });
        readIntegerIfNotNull(data, "SkewTolerance", [&](std::int32_t v) { field.SkewTolerance = v; });

        readBooleanIfNotNull(data, "AllowDuplicate", [&](bool v) { field.AllowDuplicate = v; });
        readBooleanIfNotNull(data, "Code39Checksum", [&](bool v) { field.Code39Checksum = v; });
        readBooleanIfNotNull(data, "Code39StartStop", [&](bool v) { field.Code39StartStop = v; });
        readBooleanIfNotNull(data, "Numeric", [&](bool v) { field.Numeric = v; });
        readBooleanIfNotNull(data, "ConvertUPCE", [&](bool v) { field.ConvertUPCE = v; });
        readBooleanIfNotNull(data, "ErrorCorrection", [&](bool v) { field.ErrorCorrection = v; });
        readBooleanIfNotNull(data, "ExtendedC39", [&](bool v) { field.ExtendedC39 = v; });
        readBooleanIfNotNull(data, "ShowCheckDig", [&](bool v) { field.ShowCheckDig = v; });
        readBooleanIfNotNull(data, "OverSampling", [&](bool v) { field.OverSampling = v; });

        sink.showAreaEntry(name, areaText, patternText);

        sink.prepareAreaObject();
        const QSize size = sink.imageSize();
        const TAreaRect rect = AreaTextToRect(areaText, size.width(), size.height());
        field.ObjectHandle = sink.addAreaObject(rect);

        data.next();
    }
    return count;
}

void LoadFieldBindings(DefinitionDatabase &database, std::int32_t DocID, std::int32_t FieldCount,
                       const std::function<void(std::int32_t ComboIndex, std::int32_t AreaNumber)> &selectAreaInCombo)
{
    ReadingDataSet &data = database.DS_Einstellungen();
    const QString d = QString::number(DocID);
    data.setCommandText(
        QStringLiteral("SELECT MaskLines.RowNo, Maske.EloID, BCAreas.Name, MaskLines.BCArea, BCAreas.DocBCID,  "
                       "BCAreas.AreaBCID from BCDocuments, BCAreas, Maske, MaskLines where "
                       "BCDocuments.DocBCID=BCAreas.DocBCID and BCDocuments.DocID=")
        + d + QStringLiteral(" and Maske.DocID=") + d + QStringLiteral(" and MaskLines.DocID=") + d
        + QStringLiteral(" and MaskLines.BCArea=BCAreas.AreaBCID order by MaskLines.RowNo"));
    data.open();
    while (!data.eof()) {
        const std::int32_t rowNo = strictToInt32(data.asString(QStringLiteral("RowNo")));
        if (rowNo <= FieldCount) {
            const std::int32_t areaNumber = data.asInteger(QStringLiteral("AreaBCID"));
            // Below row 1 there is no combo to find (and n - 1 could overflow).
            if (rowNo >= 1)
                selectAreaInCombo(rowNo - 1, areaNumber);
        }
        data.next();
    }
}
