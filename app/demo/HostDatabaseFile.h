#pragma once

#include <QString>
#include <QStringList>

// Host databases for the demo workspace and the tests, made from the schema
// file the repository ships (storage/host-schema.sql). The tool itself never
// creates tables; only these helpers do.
class HostDatabaseFile
{
public:
    // Creates the file (it must not exist yet) with the schema's tables, then
    // runs the further statements. Raises AppError with SQLite's text.
    static void create(const QString &path, const QString &schemaFile, const QStringList &statements = {});
    // Runs statements on an existing file.
    static void execute(const QString &path, const QStringList &statements);
};
