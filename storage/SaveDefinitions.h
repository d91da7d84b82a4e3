#pragma once

#include "DefinitionDatabase.h"
#include "U_Types.h"

#include <QList>
#include <QString>
#include <cstdint>

// One entry of the area list as the save reads it: the entry's caption and
// first sub-item, and the definition for every other column.
struct SaveArea
{
    QString Name;
    QString AreaText;
    TOCRField Definition;
};

// One index-field combo: its component name "AdvTreeComboBoxElement_<i>" and
// the AreaNumber of its selected node.
struct SaveCombo
{
    QString ComponentName;
    std::int32_t AreaNumber = 0;
};

enum class SaveOutcome
{
    OpenFailed, // error box "Fehler"
    Failed,     // plain box with the error's text; the database is as before
    Saved       // information box
};

struct SaveResult
{
    SaveOutcome Outcome = SaveOutcome::OpenFailed;
    QString ErrorText; // the error's own text, for Failed
    // The text of the one box that ends every save.
    QString boxText() const;
};

inline const QString OpenFailedSaveText = QStringLiteral(
    "Die Datenbank konnte nicht geöffnet werden! Die Daten konnten nicht gespeichert werden.");
inline const QString FailedSaveLead = QStringLiteral("Es sind Fehler beim Speichern aufgetreten:\r\n");
inline const QString SavedText = QStringLiteral("Ihre Einstellungen wurden in der Datenbank gespeichert!");

// The save of "Speichern": reopens the connection, then replaces the document
// type's BCDocuments row and BCAreas rows and binds its MaskLines rows, all in
// one transaction, so that any error leaves the database as it was. docIdText
// is the caption of LB_DocID; areas in list order; combos in the order they
// were created (the save walks them last to first).
SaveResult SaveDefinitions(DefinitionDatabase &database, const QString &connectionString, const QString &docIdText,
                           const QList<SaveArea> &areas, const QList<SaveCombo> &combos);
