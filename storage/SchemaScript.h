#pragma once

#include <QString>
#include <QStringList>

// The statements of a schema file such as storage/host-schema.sql, for the
// helpers that make host databases (the demo workspace, the tests, the
// benchmark); the tool itself never runs them. Lines starting with "--" are
// dropped and the rest is split at ";", which the shipped files never hold
// inside a statement.
QStringList schemaScriptStatements(const QString &schemaText);
