#include "SqliteDialect.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>

bool SqliteDialect::isSqliteFile(const QString &path)
{
    static const QByteArray header("SQLite format 3\0", 16);
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.read(header.size()) == header;
}

QString SqliteDialect::driverName() const
{
    return QStringLiteral("QSQLITE");
}

void SqliteDialect::configure(QSqlDatabase &db, const ConnectionString &connection, int BusyTimeoutMs) const
{
    // A URI with mode=rw opens read-write and never creates: a mistyped path
    // must fail instead of leaving an empty database behind.
    const QString path = QFileInfo(connection.DataSource).absoluteFilePath();
    const QString uri = QStringLiteral("file:") + QString::fromLatin1(QUrl::toPercentEncoding(path, "/"))
                        + QStringLiteral("?mode=rw");
    db.setDatabaseName(uri);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
}

bool SqliteDialect::prepareSession(QSqlDatabase &db) const
{
    // Off by default in SQLite; without it a save would leave the old areas
    // of the document type behind.
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA foreign_keys = ON")))
        return false;
    if (!query.exec(QStringLiteral("PRAGMA foreign_keys")) || !query.next())
        return false;
    return query.value(0).toInt() == 1;
}

QString SqliteDialect::nativeSql(const QString &sql) const
{
    return sql;
}

QStringList SqliteDialect::beginWriteTransaction() const
{
    // IMMEDIATE takes the write lock at once, waiting for it within the busy
    // timeout; a deferred transaction could find the lock taken only at its
    // first write, after reading, and could not wait for it then.
    return {QStringLiteral("BEGIN IMMEDIATE")};
}
