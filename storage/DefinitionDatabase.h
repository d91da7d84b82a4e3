#pragma once

#include "ReadingDataSet.h"
#include "SqlDialect.h"

#include <QSqlDatabase>
#include <QString>
#include <functional>
#include <memory>

class QSqlQuery;

// The one connection to the host's definition database, with the reading data
// set that goes through it. OpenDatabase and CloseDatabase never raise; they
// answer with their result. ExecuteStatement and the reads raise AppError with
// the database's own text.
class DefinitionDatabase
{
public:
    static constexpr int DefaultBusyTimeoutMs = 5000;

    DefinitionDatabase();
    ~DefinitionDatabase();
    DefinitionDatabase(const DefinitionDatabase &) = delete;
    DefinitionDatabase &operator=(const DefinitionDatabase &) = delete;

    // Opens the data source named in the connection string (see
    // ConnectionString), closing an open connection first. False for a
    // string without a data source, a file that does not exist or that no
    // dialect serves, and any failure to open.
    bool OpenDatabase(const QString &connectionString) noexcept;
    // True unless closing failed; closing a closed connection is no error.
    bool CloseDatabase() noexcept;
    bool isOpen() const;

    void ExecuteStatement(const QString &sql);
    ReadingDataSet &DS_Einstellungen() { return m_dataSet; }

    // A write transaction around a save; rollbackTransaction never raises and
    // closes the connection when even the rollback fails, which makes the
    // database drop the transaction.
    void beginTransaction();
    void commitTransaction();
    void rollbackTransaction() noexcept;
    bool inTransaction() const { return m_inTransaction; }

    // How long a statement waits for a lock that another program holds; takes
    // effect at the next OpenDatabase.
    void setBusyTimeout(int ms) { m_busyTimeoutMs = ms; }
    int busyTimeout() const { return m_busyTimeoutMs; }

    // Sees every SQL text, as the tool wrote it, just before it runs.
    void setStatementObserver(std::function<void(const QString &)> observer) { m_observer = std::move(observer); }

    // The Qt SQL connection name, for tests that need to reach the session.
    const QString &connectionName() const { return m_connectionName; }

private:
    friend class ReadingDataSet;
    struct Rows
    {
        QStringList Columns;
        QList<QList<QVariant>> Values;
    };
    Rows selectRows(const QString &sql);
    void run(const QString &sql);
    // Shows sql to the observer and runs it on query; raises unless it ran.
    void exec(QSqlQuery &query, const QString &sql);
    void releaseConnection() noexcept;

    QString m_connectionName;
    QSqlDatabase m_db;
    std::unique_ptr<SqlDialect> m_dialect;
    ReadingDataSet m_dataSet;
    int m_busyTimeoutMs = DefaultBusyTimeoutMs;
    bool m_inTransaction = false;
    std::function<void(const QString &)> m_observer;
};
