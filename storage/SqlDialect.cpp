#include "SqlDialect.h"

#include "PostgresDialect.h"
#include "SqliteDialect.h"

std::unique_ptr<SqlDialect> SqlDialect::forDataSource(const ConnectionString &connection)
{
    if (PostgresAddress::looksLikeUri(connection.DataSource)) {
        auto address = PostgresAddress::parse(connection.DataSource);
        if (!address)
            return nullptr;
        return std::make_unique<PostgresDialect>(std::move(*address));
    }
    if (SqliteDialect::isSqliteFile(connection.DataSource))
        return std::make_unique<SqliteDialect>();
    return nullptr;
}
