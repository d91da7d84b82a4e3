#pragma once

#include "TestBackend.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

// A host database made from the shipped schema, with a connection of its own
// for setting up rows and looking at the result: on SQLite a file in a
// temporary folder, on PostgreSQL a database of its own on the test server,
// dropped again at the end. Statements given to it are in the host's SQL
// (bracketed [Numeric]); they go through the backend's dialect.
class HostDatabase
{
public:
    explicit HostDatabase(Backend backend = Backend::Sqlite, const QString &fileName = QStringLiteral("host.db"));
    explicit HostDatabase(const QString &fileName) : HostDatabase(Backend::Sqlite, fileName) {}
    ~HostDatabase();
    HostDatabase(const HostDatabase &) = delete;
    HostDatabase &operator=(const HostDatabase &) = delete;

    Backend backend() const { return m_backend; }
    // The SQLite file, or the PostgreSQL URI of the database.
    const QString &path() const { return m_path; }
    QString dir() const { return m_dir.path(); }
    // The connection string as start-up builds it from the /C value.
    static QString connectionStringFor(const QString &dataSource);
    QString connectionString() const { return connectionStringFor(m_path); }

    void exec(const QString &sql);
    QVariant scalar(const QString &sql);
    // Rows as "a|b|NULL" texts, in the order the query gives them.
    QStringList rows(const QString &sql);
    // Every row of the four tables in storage order, for "exactly as before"
    // comparisons.
    QStringList snapshot();
    QSqlDatabase &connection() { return m_db; }

private:
    QString native(const QString &sql) const;

    Backend m_backend;
    QTemporaryDir m_dir;
    QString m_path;
    QString m_name;
    QString m_serverDatabase;
    QSqlDatabase m_db;
};

// The statements of the shipped schema file, comments removed.
QStringList hostSchemaStatements(Backend backend = Backend::Sqlite);

// A connection of its own to the test server's maintenance database; the
// caller removes it with QSqlDatabase::removeDatabase(name).
QSqlDatabase openServerConnection(const QString &name, const QString &databaseName = QStringLiteral("postgres"));
// The test server's URI with another database name.
QString serverUriFor(const QString &databaseName);
