#pragma once

// A platform folder with a logged-in user and the simulated ELO client, a
// sample page and a host database in temporary folders, and a main window
// started on them with an injected command line.
#include "Application.h"
#include "DefinitionDatabase.h"
#include "MessageBoxRecorder.h"
#include "QtPrinters.h"
#include "TempPlatformFolder.h"
#include "demo/HostDatabaseFile.h"
#include "elosim/SimulatedComponents.h"
#include "umain.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardItem>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class StartupFixture : public ::testing::Test
{
protected:
    static inline const QString MaskName = QStringLiteral("Eingangsrechnung");
    static inline const QStringList MaskFields{QStringLiteral("Rechnungsnummer"), QStringLiteral("Kundennummer"),
                                               QStringLiteral("Datum")};
    static constexpr int PageWidth = 1240;
    static constexpr int PageHeight = 1754;

    void SetUp() override
    {
        QApplication::setQuitOnLastWindowClosed(false);
        Tfmain::setStartupFlowOnFirstShow(true);
        registerSimulatedEloClient();
        platform.write(QStringLiteral("registry.reg"),
                       "Windows Registry Editor Version 5.00\r\n\r\n"
                       "[HKEY_CURRENT_USER\\Software\\ELO Digital\\Elo32.1\\Options]\r\n"
                       "\"ActiveUser\"=\"Anna\"\r\n");
        pagePath = QDir(work.path()).filePath(QStringLiteral("rechnung.png"));
        writePage(pagePath);
        writeEloClient(true, {pagePath});
        dbPath = QDir(work.path()).filePath(QStringLiteral("host.db"));
        QFile::remove(dbPath);
        HostDatabaseFile::create(dbPath, QStringLiteral(BCE_SOURCE_DIR "/storage/host-schema.sql"),
                                 {QStringLiteral("INSERT INTO Maske (DocID, EloID) VALUES (5, 12)"),
                                  QStringLiteral("INSERT INTO MaskLines (DocID, RowNo) VALUES (5, 1), (5, 2), (5, 3)")});
    }

    void TearDown() override
    {
        window.reset();
        boxes.clear();
        Tfmain::setStartupFlowOnFirstShow(false);
        TApplication::instance()->setOnException({});
    }

    // A page with three black bars, so that highlight boxes over them show.
    static void writePage(const QString &path)
    {
        QImage page(PageWidth, PageHeight, QImage::Format_Grayscale8);
        page.fill(Qt::white);
        QPainter p(&page);
        p.fillRect(100, 100, 300, 80, Qt::black);
        p.fillRect(600, 400, 400, 120, Qt::black);
        p.fillRect(200, 1200, 500, 200, Qt::black);
        p.end();
        ASSERT_TRUE(page.save(path));
    }

    void writeEloClient(bool ready, const QStringList &postboxFiles, int selected = 0)
    {
        QJsonArray postbox;
        for (int i = 0; i < postboxFiles.size(); ++i)
            postbox.append(QJsonObject{{"file", postboxFiles[i]}, {"selected", i == selected}});
        QJsonObject mask{{"name", MaskName}, {"number", 12}, {"fields", QJsonArray::fromStringList(MaskFields)}};
        const QJsonObject state{{"ready", ready}, {"postbox", postbox}, {"masks", QJsonArray{mask}}};
        platform.write(QStringLiteral("elo-client.json"), QJsonDocument(state).toJson());
    }

    void sql(const QStringList &statements) { HostDatabaseFile::execute(dbPath, statements); }

    // An area row of document type 5, stored under DocBCID 1.
    static QString areaRow(int areaBCID, const QString &name, const QString &area, int type = 2,
                           const QString &pattern = QStringLiteral("NULL"))
    {
        return QStringLiteral("INSERT INTO BCAreas (AreaBCID, DocBCID, Name, BCArea, BCType, BCDirection, MinLen, "
                              "MaxLen, QuietZone, Pattern) VALUES (%1, 1, '%2', '%3', %4, 1, 4, 20, 12, %5)")
            .arg(areaBCID)
            .arg(name, area)
            .arg(type)
            .arg(pattern);
    }

    void storeThreeAreas()
    {
        sql({QStringLiteral("INSERT INTO BCDocuments VALUES (1, 5, 'Rechnungen', 0)"),
             areaRow(1, QStringLiteral("Rechnungsnummer"), QStringLiteral("81,57,323,103")),
             areaRow(2, QStringLiteral("Kunde"), QStringLiteral("484,228,806,297"), 1, QStringLiteral("'K*'")),
             areaRow(3, QStringLiteral("Beleg"), QStringLiteral("161,684,565,798"), 64)});
    }

    QStringList standardArguments() const
    {
        return {QStringLiteral("/M") + MaskName, QStringLiteral("/C") + dbPath, QStringLiteral("/A0"),
                QStringLiteral("/D5")};
    }

    // Shows a fresh window and waits until its flow has ended one way or the
    // other (and a requested close has happened).
    Tfmain &start(const QStringList &arguments)
    {
        window = std::make_unique<Tfmain>();
        window->setCommandLineArguments(arguments);
        window->show();
        const QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired() && !finished(window->startupState()))
            QTest::qWait(5);
        EXPECT_TRUE(finished(window->startupState())) << int(window->startupState());
        QTest::qWait(10);
        return *window;
    }

    static bool finished(Tfmain::StartupState s)
    {
        return s == Tfmain::StartupState::Ready || s == Tfmain::StartupState::Stalled
               || s == Tfmain::StartupState::Closing;
    }

    TempPlatformFolder platform;
    QTemporaryDir work;
    QString pagePath;
    QString dbPath;
    MessageBoxRecorder boxes;
    std::unique_ptr<Tfmain> window;
};
