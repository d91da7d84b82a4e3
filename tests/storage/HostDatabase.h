#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

// A host database in a temporary folder, made from the shipped schema, with a
// connection of its own for setting up rows and looking at the result.
class HostDatabase
{
public:
    explicit HostDatabase(const QString &fileName = QStringLiteral("host.db"));
    ~HostDatabase();

    const QString &path() const { return m_path; }
    QString dir() const { return m_dir.path(); }
    // The connection string as start-up builds it from the /C path.
    static QString connectionStringFor(const QString &dataSource);
    QString connectionString() const { return connectionStringFor(m_path); }

    void exec(const QString &sql);
    QVariant scalar(const QString &sql);
    // Rows as "a|b|NULL" texts, in the order the query gives them.
    QStringList rows(const QString &sql);
    // Every row of the four tables, for "exactly as before" comparisons.
    QStringList snapshot();
    QSqlDatabase &connection() { return m_db; }

private:
    QTemporaryDir m_dir;
    QString m_path;
    QString m_name;
    QSqlDatabase m_db;
};

// The statements of the shipped schema file, comments removed.
QStringList hostSchemaStatements();
