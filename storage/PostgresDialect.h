#pragma once

#include "PostgresAddress.h"
#include "SqlDialect.h"

// A host database on a PostgreSQL server, named by a postgresql:// URI as the
// data source. Host databases there are made with unquoted names, which the
// server folds to lower case, so the host's unquoted statements match them.
class PostgresDialect : public SqlDialect
{
public:
    // Seconds libpq may take to reach the server and log in; a server that
    // is down or does not answer must not hang the start-up.
    static constexpr int ConnectTimeoutSeconds = 5;

    explicit PostgresDialect(PostgresAddress address);

    // The host's bracketed identifiers ([Numeric]) as PostgreSQL identifiers:
    // quoted, so that a keyword is still a column, and in lower case, as the
    // server stored the unquoted name. Text in single quotes stays as it is.
    static QString unbracketIdentifiers(const QString &sql);

    QString driverName() const override;
    void configure(QSqlDatabase &db, const ConnectionString &connection, int BusyTimeoutMs) const override;
    bool prepareSession(QSqlDatabase &db) const override;
    QString nativeSql(const QString &sql) const override;
    QStringList beginWriteTransaction() const override;

private:
    PostgresAddress m_address;
};
