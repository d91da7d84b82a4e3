#include "HostDatabase.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>

QStringList hostSchemaStatements()
{
    QFile file(QStringLiteral(BCE_SOURCE_DIR "/storage/host-schema.sql"));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("host-schema.sql not readable");
    QString text;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (!line.trimmed().startsWith(QStringLiteral("--")))
            text += line + u'\n';
    }
    QStringList statements;
    for (const QString &s : text.split(u';')) {
        if (!s.trimmed().isEmpty())
            statements << s.trimmed();
    }
    return statements;
}

HostDatabase::HostDatabase(const QString &fileName)
{
    static std::atomic<int> counter{0};
    m_path = m_dir.filePath(fileName);
    m_name = QStringLiteral("host_test_%1").arg(++counter);
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    m_db.setDatabaseName(m_path);
    if (!m_db.open())
        throw std::runtime_error(m_db.lastError().text().toStdString());
    // Only the fixture's own writes skip the disk flush; the tool's do not.
    exec(QStringLiteral("PRAGMA synchronous = OFF"));
    for (const QString &statement : hostSchemaStatements())
        exec(statement);
}

HostDatabase::~HostDatabase()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

QString HostDatabase::connectionStringFor(const QString &dataSource)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + dataSource
           + QStringLiteral(";Jet OLEDB:Database Password=kqm2961TZ*$=8vw");
}

void HostDatabase::exec(const QString &sql)
{
    QSqlQuery query(m_db);
    if (!query.exec(sql))
        throw std::runtime_error((sql + QStringLiteral(": ") + query.lastError().text()).toStdString());
}

QVariant HostDatabase::scalar(const QString &sql)
{
    QSqlQuery query(m_db);
    if (!query.exec(sql) || !query.next())
        throw std::runtime_error((sql + QStringLiteral(": ") + query.lastError().text()).toStdString());
    return query.value(0);
}

QStringList HostDatabase::rows(const QString &sql)
{
    QSqlQuery query(m_db);
    if (!query.exec(sql))
        throw std::runtime_error((sql + QStringLiteral(": ") + query.lastError().text()).toStdString());
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
    QStringList all;
    for (const char *table : {"BCDocuments", "BCAreas", "Maske", "MaskLines"}) {
        all << QString::fromLatin1(table);
        all << rows(QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid").arg(QString::fromLatin1(table)));
    }
    return all;
}
