#include "PostgresDialect.h"

#include <QSqlQuery>
#include <QVariant>
#include <utility>

PostgresDialect::PostgresDialect(PostgresAddress address) : m_address(std::move(address)) {}

QString PostgresDialect::unbracketIdentifiers(const QString &sql)
{
    QString result;
    result.reserve(sql.size() + 8);
    bool inText = false;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (c == u'\'') {
            // A doubled quote inside a text closes and reopens it, which
            // leaves the state as it was.
            inText = !inText;
        } else if (!inText && c == u'[') {
            const qsizetype close = sql.indexOf(u']', i + 1);
            if (close > i + 1) {
                const QString name = sql.mid(i + 1, close - i - 1);
                if (!name.contains(u'"') && !name.contains(u'\'')) {
                    result += u'"' + name.toLower() + u'"';
                    i = close;
                    continue;
                }
            }
        }
        result += c;
    }
    return result;
}

QString PostgresDialect::driverName() const
{
    return QStringLiteral("QPSQL");
}

void PostgresDialect::configure(QSqlDatabase &db, const ConnectionString &, int BusyTimeoutMs) const
{
    // The Jet password of the host's template belongs to the Access file; the
    // server's login is in the URI.
    db.setHostName(m_address.Host);
    db.setPort(m_address.Port);
    db.setUserName(m_address.User);
    db.setPassword(m_address.Password);
    db.setDatabaseName(m_address.DatabaseName);
    // lock_timeout is the server's counterpart of SQLite's busy timeout: a
    // save behind another tool's save waits that long, then fails cleanly.
    QString options = QStringLiteral("connect_timeout=%1;options='-c lock_timeout=%2'")
                          .arg(ConnectTimeoutSeconds)
                          .arg(BusyTimeoutMs);
    if (!m_address.SslMode.isEmpty())
        options += QStringLiteral(";sslmode=") + m_address.SslMode;
    db.setConnectOptions(options);
}

bool PostgresDialect::prepareSession(QSqlDatabase &db) const
{
    QSqlQuery query(db);
    // Without the cascade from BCDocuments to BCAreas every save would leave
    // the old areas behind, mixed with the new ones under the same DocBCID.
    if (!query.exec(QStringLiteral(
            "SELECT COUNT(*) FROM pg_constraint WHERE contype = 'f' AND confdeltype = 'c' "
            "AND conrelid = to_regclass('bcareas') AND confrelid = to_regclass('bcdocuments')"))
        || !query.next() || query.value(0).toInt() < 1)
        return false;
    // The areas of a document type are read without an ORDER BY and their
    // order is the area numbering the index fields refer to. A heap scan
    // returns rows where free space put them, which after deletes need not be
    // the order they were written in; read through the (DocBCID, AreaBCID)
    // index and without a hash join the rows come back in AreaBCID order,
    // which is the order the save wrote them in. Only in one process, though:
    // the workers of a parallel plan would each read a part of the index and
    // hand their rows over interleaved.
    // The tool has no log: the server's notices (such as the warning of a
    // rollback after a refused commit) would only land on stderr.
    for (const char *setting : {"SET enable_seqscan = off", "SET enable_bitmapscan = off", "SET enable_hashjoin = off",
                                "SET max_parallel_workers_per_gather = 0",
                                "SET client_min_messages = error"}) {
        if (!query.exec(QString::fromLatin1(setting)))
            return false;
    }
    return true;
}

QString PostgresDialect::nativeSql(const QString &sql) const
{
    return unbracketIdentifiers(sql);
}

QStringList PostgresDialect::beginWriteTransaction() const
{
    // The lock conflicts with itself and with every other writer of
    // BCDocuments but not with readers: saves run one after the other, and
    // the next one reads the DocBCIDs the previous one committed. Taken
    // before the first read, under READ COMMITTED, each later statement sees
    // what was committed before the lock was granted.
    return {QStringLiteral("BEGIN ISOLATION LEVEL READ COMMITTED"),
            QStringLiteral("LOCK TABLE BCDocuments IN SHARE ROW EXCLUSIVE MODE")};
}
