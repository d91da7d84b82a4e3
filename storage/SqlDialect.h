#pragma once

#include "ConnectionString.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <memory>

// Everything that differs between the database systems the definitions may
// live in. The statements themselves are written once, in the host's own SQL
// (with bracketed identifiers such as [Numeric]); a dialect turns them into
// what its system accepts and knows how to open, set up and transact. The
// data source picks the dialect: a postgresql:// URI the server, an existing
// SQLite file the embedded default.
class SqlDialect
{
public:
    virtual ~SqlDialect() = default;

    // The dialect that can serve this data source, or none.
    static std::unique_ptr<SqlDialect> forDataSource(const ConnectionString &connection);

    virtual QString driverName() const = 0;

    // Sets name and options on a fresh connection. BusyTimeoutMs bounds how
    // long a statement waits for a lock held by someone else.
    virtual void configure(QSqlDatabase &db, const ConnectionString &connection, int BusyTimeoutMs) const = 0;

    // Runs right after opening; false when the session cannot give what the
    // tool relies on (the cascade from BCDocuments to BCAreas).
    virtual bool prepareSession(QSqlDatabase &db) const = 0;

    // The host's SQL text in this system's syntax.
    virtual QString nativeSql(const QString &sql) const = 0;

    // A save's transaction must hold the write lock from its first read, so
    // that the DocBCID it allocates cannot be taken by another writer.
    // The statements that start it, run in this order.
    virtual QStringList beginWriteTransaction() const = 0;
    virtual QString commitTransaction() const { return QStringLiteral("COMMIT"); }
    virtual QString rollbackTransaction() const { return QStringLiteral("ROLLBACK"); }
};
