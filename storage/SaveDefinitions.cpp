#include "SaveDefinitions.h"

#include "AppError.h"
#include "SqlText.h"
#include "StrictInt.h"

#include <cstdint>
#include <exception>
#include <limits>

QString SaveResult::boxText() const
{
    switch (Outcome) {
    case SaveOutcome::OpenFailed:
        return OpenFailedSaveText;
    case SaveOutcome::Failed:
        return FailedSaveLead + ErrorText;
    case SaveOutcome::Saved:
        return SavedText;
    }
    return {};
}

namespace {

std::int32_t nextDocBCID(ReadingDataSet &data)
{
    data.setCommandText(QStringLiteral("SELECT DocBCID FROM BCDocuments ORDER BY DocBCID DESC"));
    data.open();
    std::int32_t id = 1;
    if (!data.eof()) {
        const std::int32_t largest = data.asInteger(QStringLiteral("DocBCID"));
        if (largest == std::numeric_limits<std::int32_t>::max())
            throw AppError(QStringLiteral("Es ist keine weitere DocBCID frei"));
        id = largest + 1;
    }
    data.close();
    return id;
}

QString areaInsert(std::int32_t areaBCID, std::int32_t id, const SaveArea &area)
{
    const TOCRField &f = area.Definition;
    const QString comma = QStringLiteral(",");
    return QStringLiteral("INSERT INTO BCAreas (AreaBCID, DocBCID, Name, BCArea, BCType, BCDirection, MinLen, "
                          "MaxLen, AllowDuplicate, Code39Checksum, Code39StartStop, [Numeric], ConvertUPCE, "
                          "ErrorCorrection, ExtendedC39, ShowCheckDig, OverSampling, LineJump, ColorThreshold, "
                          "MinSpaceBar, QuietZone, NoiseReduction, SkewTolerance, Pattern) VALUES (")
           + QString::number(areaBCID) + comma + QString::number(id) + comma + sqlQuoted(area.Name) + comma
           + sqlQuoted(area.AreaText) + comma + QString::number(f.BCType) + comma + QString::number(f.BCDirection)
           + comma + QString::number(f.MinLen) + comma + QString::number(f.MaxLen) + comma
           + sqlBoolean(f.AllowDuplicate) + comma + sqlBoolean(f.Code39Checksum) + comma
           + sqlBoolean(f.Code39StartStop) + comma + sqlBoolean(f.Numeric) + comma + sqlBoolean(f.ConvertUPCE)
           + comma + sqlBoolean(f.ErrorCorrection) + comma + sqlBoolean(f.ExtendedC39) + comma
           + sqlBoolean(f.ShowCheckDig) + comma + sqlBoolean(f.OverSampling) + comma
           + QString::number(f.LineJump) + comma + QString::number(f.ColorThreshold) + comma
           + QString::number(f.MinSpaceBar) + comma + QString::number(f.QuietZone) + comma
           + QString::number(f.NoiseReduction) + comma + QString::number(f.SkewTolerance) + comma
           + sqlPatternOrNull(f.Pattern) + QStringLiteral(")");
}

// The field index is the number after the "_" of the combo's name.
std::int32_t rowNoOf(const SaveCombo &combo)
{
    const qsizetype underscore = combo.ComponentName.indexOf(QLatin1Char('_'));
    return strictToInt32(combo.ComponentName.mid(underscore + 1, 3)) + 1;
}

void writeDefinitions(DefinitionDatabase &database, const QString &d, const QList<SaveArea> &areas,
                      const QList<SaveCombo> &combos)
{
    ReadingDataSet &data = database.DS_Einstellungen();

    const std::int32_t newId = nextDocBCID(data);

    data.setCommandText(QStringLiteral("SELECT DocID, Name, DocBCID FROM BCDocuments WHERE DocID = ") + d);
    data.open();
    std::int32_t id = newId;
    QString name = QStringLiteral("BCDocument ") + QString::number(newId);
    if (!data.eof()) {
        id = data.asInteger(QStringLiteral("DocBCID"));
        name = data.asString(QStringLiteral("Name"));
    }
    data.close();

    database.ExecuteStatement(QStringLiteral("UPDATE MaskLines SET BarcodeID = 0 WHERE DocID = ") + d);
    database.ExecuteStatement(QStringLiteral("DELETE FROM  BCDocuments WHERE DocID = ") + d);
    database.ExecuteStatement(QStringLiteral("INSERT INTO BCDocuments (DocBCID, DocID, Name, AdrID) VALUES (")
                              + QString::number(id) + QStringLiteral(",") + d + QStringLiteral(",")
                              + sqlQuoted(name) + QStringLiteral(",'0')"));

    std::int32_t areaBCID = 0;
    for (const SaveArea &area : areas)
        database.ExecuteStatement(areaInsert(++areaBCID, id, area));

    for (auto combo = combos.crbegin(); combo != combos.crend(); ++combo) {
        database.ExecuteStatement(QStringLiteral("UPDATE MaskLines SET BarcodeID=") + QString::number(id)
                                  + QStringLiteral(", BCArea = ") + QString::number(combo->AreaNumber)
                                  + QStringLiteral(" WHERE DocID = ") + d + QStringLiteral(" AND RowNo = ")
                                  + QString::number(rowNoOf(*combo)));
    }
}

} // namespace

SaveResult SaveDefinitions(DefinitionDatabase &database, const QString &connectionString, const QString &docIdText,
                           const QList<SaveArea> &areas, const QList<SaveCombo> &combos)
{
    database.CloseDatabase();
    if (!database.OpenDatabase(connectionString))
        return {SaveOutcome::OpenFailed, {}};
    if (docIdText.isEmpty())
        return {SaveOutcome::OpenFailed, {}};

    QString error;
    try {
        // The caption goes into the SQL text unquoted: anything but a number
        // there would change the statements.
        if (!parseStrictInt32(docIdText))
            throw ConversionError(QStringLiteral("'%1' ist kein gültiger Integerwert").arg(docIdText));
        if (areas.size() > std::numeric_limits<std::int32_t>::max())
            throw AppError(QStringLiteral("Zu viele Barcode-Bereiche"));
        database.beginTransaction();
        writeDefinitions(database, docIdText, areas, combos);
        database.commitTransaction();
        database.CloseDatabase();
        return {SaveOutcome::Saved, {}};
    } catch (const AppError &e) {
        error = e.message();
    } catch (const std::exception &e) {
        error = QString::fromLocal8Bit(e.what());
    } catch (...) {
        error = QStringLiteral("Unbekannter Fehler");
    }
    database.rollbackTransaction();
    return {SaveOutcome::Failed, error};
}
