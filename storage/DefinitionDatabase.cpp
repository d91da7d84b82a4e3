#include "DefinitionDatabase.h"

#include "AppError.h"
#include "ConnectionString.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <atomic>

namespace {

QString connectionNameForNewInstance()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("bce_definitions_%1").arg(++counter);
}

QString errorText(const QSqlError &error)
{
    const QString database = error.databaseText();
    return database.isEmpty() ? error.text() : database;
}

} // namespace

DefinitionDatabase::DefinitionDatabase() : m_connectionName(connectionNameForNewInstance()), m_dataSet(*this) {}

DefinitionDatabase::~DefinitionDatabase()
{
    releaseConnection();
}

void DefinitionDatabase::releaseConnection() noexcept
{
    CloseDatabase();
    try {
        // Qt refuses to remove a connection while a handle to it is alive.
        m_db = QSqlDatabase();
        if (QSqlDatabase::contains(m_connectionName))
            QSqlDatabase::removeDatabase(m_connectionName);
        m_dialect.reset();
    } catch (...) {
    }
}

bool DefinitionDatabase::OpenDatabase(const QString &connectionString) noexcept
{
    try {
        releaseConnection();
        const auto connection = ConnectionString::parse(connectionString);
        if (!connection)
            return false;
        auto dialect = SqlDialect::forDataSource(*connection);
        if (!dialect)
            return false;
        m_db = QSqlDatabase::addDatabase(dialect->driverName(), m_connectionName);
        dialect->configure(m_db, *connection, m_busyTimeoutMs);
        if (!m_db.open() || !dialect->prepareSession(m_db)) {
            releaseConnection();
            return false;
        }
        m_dialect = std::move(dialect);
        return true;
    } catch (...) {
        releaseConnection();
        return false;
    }
}

bool DefinitionDatabase::CloseDatabase() noexcept
{
    try {
        m_dataSet.close();
        m_inTransaction = false;
        if (m_db.isValid())
            m_db.close();
        return !m_db.isOpen();
    } catch (...) {
        return false;
    }
}

bool DefinitionDatabase::isOpen() const
{
    return m_dialect && m_db.isOpen();
}

void DefinitionDatabase::exec(QSqlQuery &query, const QString &sql)
{
    if (m_observer)
        m_observer(sql);
    if (!isOpen())
        throw AppError(QStringLiteral("Die Verbindung zur Datenbank ist nicht geöffnet"));
    if (!query.exec(m_dialect->nativeSql(sql)))
        throw AppError(errorText(query.lastError()));
}

void DefinitionDatabase::run(const QString &sql)
{
    QSqlQuery query(m_db);
    exec(query, sql);
}

void DefinitionDatabase::ExecuteStatement(const QString &sql)
{
    run(sql);
}

DefinitionDatabase::Rows DefinitionDatabase::selectRows(const QString &sql)
{
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    exec(query, sql);
    Rows rows;
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i)
        rows.Columns << record.fieldName(i);
    while (query.next()) {
        QList<QVariant> values;
        values.reserve(rows.Columns.size());
        for (int i = 0; i < rows.Columns.size(); ++i)
            values << query.value(i);
        rows.Values << std::move(values);
    }
    // A fetch that stopped on an error must not pass for the end of the rows.
    if (query.lastError().isValid())
        throw AppError(errorText(query.lastError()));
    query.finish();
    return rows;
}

void DefinitionDatabase::beginTransaction()
{
    if (!isOpen())
        throw AppError(QStringLiteral("Die Verbindung zur Datenbank ist nicht geöffnet"));
    const QStringList statements = m_dialect->beginWriteTransaction();
    for (qsizetype i = 0; i < statements.size(); ++i) {
        run(statements[i]);
        // From the first statement on, a failure needs the rollback.
        m_inTransaction = true;
    }
}

void DefinitionDatabase::commitTransaction()
{
    if (!m_inTransaction)
        throw AppError(QStringLiteral("Keine Transaktion aktiv"));
    run(m_dialect->commitTransaction());
    m_inTransaction = false;
}

void DefinitionDatabase::rollbackTransaction() noexcept
{
    if (!m_inTransaction)
        return;
    try {
        run(m_dialect->rollbackTransaction());
        m_inTransaction = false;
    } catch (...) {
        // Closing drops whatever the transaction wrote.
        CloseDatabase();
    }
}
