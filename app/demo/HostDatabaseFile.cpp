#include "HostDatabaseFile.h"

#include "AppError.h"
#include "SchemaScript.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

void HostDatabaseFile::create(const QString &path, const QString &schemaFile, const QStringList &statements)
{
    if (QFile::exists(path))
        throw AppError(QStringLiteral("%1 gibt es schon").arg(path));
    QFile schema(schemaFile);
    if (!schema.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("%1 kann nicht gelesen werden").arg(schemaFile));
    execute(path, schemaScriptStatements(QString::fromUtf8(schema.readAll())) + statements);
}

void HostDatabaseFile::execute(const QString &path, const QStringList &statements)
{
    const QString name = QStringLiteral("host-file-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            QSqlQuery query(db);
            for (const QString &statement : statements) {
                if (!query.exec(statement)) {
                    error = query.lastError().text() + QStringLiteral(" in: ") + statement;
                    break;
                }
            }
            query.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!error.isEmpty())
        throw AppError(error);
}
