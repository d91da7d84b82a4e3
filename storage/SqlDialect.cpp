#include "SqlDialect.h"

#include "SqliteDialect.h"

std::unique_ptr<SqlDialect> SqlDialect::forDataSource(const ConnectionString &connection)
{
    if (SqliteDialect::isSqliteFile(connection.DataSource))
        return std::make_unique<SqliteDialect>();
    return nullptr;
}
