#pragma once

#include "SqlDialect.h"

// SQLite, the embedded default: a database file recognised by its header.
// It has no password; the host's bracketed identifiers are SQLite syntax too.
class SqliteDialect : public SqlDialect
{
public:
    static bool isSqliteFile(const QString &path);

    QString driverName() const override;
    void configure(QSqlDatabase &db, const ConnectionString &connection, int BusyTimeoutMs) const override;
    bool prepareSession(QSqlDatabase &db) const override;
    QString nativeSql(const QString &sql) const override;
    QStringList beginWriteTransaction() const override;
};
