#include "DefinitionLoading.h"

#include "AreaGeometry.h"
#include "StrictInt.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

// The settings columns, each stored in the definition's field of the same
// name; a NULL column leaves the field at its default.
struct IntegerColumn
{
    const char *name;
    std::int32_t TOCRField::*field;
};
constexpr IntegerColumn IntegerColumns[] = {
    {"BCType", &TOCRField::BCType},
    {"BCDirection", &TOCRField::BCDirection},
    {"MinLen", &TOCRField::MinLen},
    {"MaxLen", &TOCRField::MaxLen},
    {"LineJump", &TOCRField::LineJump},
    {"ColorThreshold", &TOCRField::ColorThreshold},
    {"MinSpaceBar", &TOCRField::MinSpaceBar},
    {"QuietZone", &TOCRField::QuietZone},
    {"NoiseReduction", &TOCRField::NoiseReduction},
    {"SkewTolerance", &TOCRField::SkewTolerance},
};

struct BooleanColumn
{
    const char *name;
    bool TOCRField::*field;
};
constexpr BooleanColumn BooleanColumns[] = {
    {"AllowDuplicate", &TOCRField::AllowDuplicate},
    {"Code39Checksum", &TOCRField::Code39Checksum},
    {"Code39StartStop", &TOCRField::Code39StartStop},
    {"Numeric", &TOCRField::Numeric},
    {"ConvertUPCE", &TOCRField::ConvertUPCE},
    {"ErrorCorrection", &TOCRField::ErrorCorrection},
    {"ExtendedC39", &TOCRField::ExtendedC39},
    {"ShowCheckDig", &TOCRField::ShowCheckDig},
    {"OverSampling", &TOCRField::OverSampling},
};

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
        TOCRField &field = sink.addAreaEntry(std::make_unique<TOCRField>(i));

        QString name = data.asString(QStringLiteral("Name"));
        const QString areaText = data.asString(QStringLiteral("BCArea"));
        const QString patternText = data.asString(QStringLiteral("Pattern"));
        if (name.isEmpty())
            name = field.Name;
        field.Name = name;
        field.BCArea = areaText;
        field.Pattern = patternText;

        for (const IntegerColumn &column : IntegerColumns) {
            const QString columnName = QString::fromLatin1(column.name);
            if (!data.isNull(columnName))
                field.*column.field = data.asInteger(columnName);
        }
        for (const BooleanColumn &column : BooleanColumns) {
            const QString columnName = QString::fromLatin1(column.name);
            if (!data.isNull(columnName))
                field.*column.field = data.asBoolean(columnName);
        }

        sink.showAreaEntry(name, areaText, patternText);

        sink.prepareAreaObject();
        const QSize size = sink.imageSize();
        if (size.isEmpty()) {
            // No page is shown: nothing to place, but a malformed text still
            // stops the load as it would with a page.
            AreaTextNumbers(areaText);
            field.ObjectHandle = -1;
        } else {
            const TAreaRect rect = AreaTextToRect(areaText, size.width(), size.height());
            field.ObjectHandle = sink.addAreaObject(rect);
        }

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
