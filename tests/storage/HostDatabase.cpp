#include "HostDatabase.h"

#include "PostgresAddress.h"
#include "PostgresDialect.h"
#include "SchemaScript.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <atomic>
#include <stdexcept>
#include <unistd.h>

namespace {

std::runtime_error failure(const QString &what, const QSqlError &error)
{
    return std::runtime_error((what + QStringLiteral(": ") + error.text()).toStdString());
}

} // namespace

QString testServerUri()
{
    const QString uri = qEnvironmentVariable("BCE_TEST_PG_URI");
    if (uri.isEmpty())
        throw std::runtime_error("BCE_TEST_PG_URI is not set: run the tests with scripts/test or scripts/with-postgres");
    return uri;
}

QString serverUriFor(const QString &databaseName)
{
    QUrl url(testServerUri());
    url.setPath(QLatin1Char('/') + databaseName);
    return url.toString();
}

QSqlDatabase openServerConnection(const QString &name, const QString &databaseName)
{
    const auto address = PostgresAddress::parse(testServerUri());
    if (!address)
        throw std::runtime_error("BCE_TEST_PG_URI is no postgresql:// URI");
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    db.setHostName(address->Host);
    db.setPort(address->Port);
    db.setUserName(address->User);
    db.setPassword(address->Password);
    db.setDatabaseName(databaseName);
    db.setConnectOptions(QStringLiteral("connect_timeout=5"));
    if (!db.open())
        throw failure(QStringLiteral("test server"), db.lastError());
    return db;
}

QStringList hostSchemaStatements(Backend backend)
{
    QFile file(backend == Backend::Sqlite ? QStringLiteral(BCE_SOURCE_DIR "/storage/host-schema.sql")
                                          : QStringLiteral(BCE_SOURCE_DIR "/storage/host-schema-postgres.sql"));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("host schema not readable");
    return schemaScriptStatements(QString::fromUtf8(file.readAll()));
}

HostDatabase::HostDatabase(Backend backend, const QString &fileName) : m_backend(backend)
{
    static std::atomic<int> counter{0};
    const int number = ++counter;
    m_name = QStringLiteral("host_test_%1").arg(number);
    if (backend == Backend::Sqlite) {
        m_path = m_dir.filePath(fileName);
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        m_db.setDatabaseName(m_path);
        if (!m_db.open())
            throw failure(m_path, m_db.lastError());
        // Only the fixture's own writes skip the disk flush; the tool's do not.
        exec(QStringLiteral("PRAGMA synchronous = OFF"));
    } else {
        m_serverDatabase = QStringLiteral("bce_test_%1_%2").arg(getpid()).arg(number);
        {
            QSqlDatabase admin = openServerConnection(m_name + QStringLiteral("_admin"));
            QSqlQuery query(admin);
            if (!query.exec(QStringLiteral("CREATE DATABASE %1 ENCODING 'UTF8' TEMPLATE template0").arg(m_serverDatabase)))
                throw failure(m_serverDatabase, query.lastError());
        }
        QSqlDatabase::removeDatabase(m_name + QStringLiteral("_admin"));
        m_path = serverUriFor(m_serverDatabase);
        m_db = openServerConnection(m_name, m_serverDatabase);
        // The host's own tools see warnings; the tests' output need not.
        exec(QStringLiteral("SET client_min_messages = error"));
    }
    for (const QString &statement : hostSchemaStatements(backend))
        exec(statement);
}

HostDatabase::~HostDatabase()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
    if (m_serverDatabase.isEmpty())
        return;
    try {
        {
            QSqlDatabase admin = openServerConnection(m_name + QStringLiteral("_admin"));
            QSqlQuery query(admin);
            query.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_serverDatabase));
        }
        QSqlDatabase::removeDatabase(m_name + QStringLiteral("_admin"));
    } catch (...) {
    }
}

QString HostDatabase::connectionStringFor(const QString &dataSource)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + dataSource
           + QStringLiteral(";Jet OLEDB:Database Password=kqm2961TZ*$=8vw");
}

QString HostDatabase::native(const QString &sql) const
{
    return m_backend == Backend::Postgres ? PostgresDialect::unbracketIdentifiers(sql) : sql;
}

void HostDatabase::exec(const QString &sql)
{
    QSqlQuery query(m_db);
    if (!query.exec(native(sql)))
        throw failure(sql, query.lastError());
}

QVariant HostDatabase::scalar(const QString &sql)
{
    QSqlQuery query(m_db);
    if (!query.exec(native(sql)) || !query.next())
        throw failure(sql, query.lastError());
    return query.value(0);
}

QStringList HostDatabase::rows(const QString &sql)
{
    QSqlQuery query(m_db);
    if (!query.exec(native(sql)))
        throw failure(sql, query.lastError());
    QStringList result;
    while (query.next()) {
        QStringList values;
        for (int i = 0; i < query.record().count(); ++i)
            values << (query.value(i).isNull() ? QStringLiteral("NULL") : query.value(i).toString());
        result << values.join(u'|');
    }
    return result;
}

QStringList HostDatabase::snapshot()
{
    const QString order = m_backend == Backend::Sqlite ? QStringLiteral("rowid") : QStringLiteral("ctid");
    QStringList all;
    for (const char *table : {"BCDocuments", "BCAreas", "Maske", "MaskLines"}) {
        all << QString::fromLatin1(table);
        all << rows(QStringLiteral("SELECT CAST(%2 AS TEXT), * FROM %1 ORDER BY %2").arg(QString::fromLatin1(table), order));
    }
    return all;
}
