#include "AppError.h"
#include "CommandLine.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

const QString DesignConnection = QStringLiteral("LB_ConnectionString");
const QString DesignDocId = QStringLiteral("LB_DocID");

QString connection(const QString &path)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path
           + QStringLiteral(";Jet OLEDB:Database Password=kqm2961TZ*$=8vw");
}

} // namespace

TEST(ReadCommandLine, EdgeCases)
{
    struct Case
    {
        const char *what;
        QStringList args;
        QString mask;
        std::int32_t docId;
        std::int32_t address;
        QString connectionCaption;  // LB_ConnectionString at the end
        QStringList docIdCaptions;  // LB_DocID after each handled argument
        QStringList maskReads;      // ReadMaskFields calls, in order
        bool conversionError = false;
    };
    const Case cases[] = {
        {"no arguments", {}, "", 0, 0, DesignConnection, {}, {}},
        {"the four switches as the host passes them",
         {"/MEingangsrechnung", "/C/data/tessalon.mdb", "/A17", "/D42"},
         "Eingangsrechnung", 42, 17, connection("/data/tessalon.mdb"), {"0", "0", "0", "42"}, {"Eingangsrechnung"}},
        {"lower-case switches set nothing", {"/mX", "/cY", "/a1", "/d2"}, "", 0, 0, DesignConnection,
         {"0", "0", "0", "0"}, {}},
        {"text in front of /D", {"xyz/D7"}, "", 7, 0, DesignConnection, {"7"}, {}},
        {"two /D: the later one wins", {"/D3", "/D9"}, "", 9, 0, DesignConnection, {"3", "9"}, {}},
        {"leading zeros are not kept", {"/D007"}, "", 7, 0, DesignConnection, {"7"}, {}},
        {"signed values", {"/D-5", "/A+3"}, "", -5, 3, DesignConnection, {"-5", "-5"}, {}},
        {"/C value containing XXX is inserted unchanged", {"/CC:\\XXX\\db.mdb"}, "", 0, 0,
         connection("C:\\XXX\\db.mdb"), {"0"}, {}},
        {"value not trimmed, quotes kept", {"/M \"Maske\" "}, " \"Maske\" ", 0, 0, DesignConnection, {"0"},
         {" \"Maske\" "}},
        {"every /M reads the mask again", {"/MA", "/MB", "/M"}, "", 0, 0, DesignConnection, {"0", "0", "0"},
         {"A", "B", ""}},
        {"empty /C", {"/C"}, "", 0, 0, connection(""), {"0"}, {}},
        {"later /C replaces", {"/Ca", "/Cb"}, "", 0, 0, connection("b"), {"0", "0"}, {}},
        {"/M value that holds /C is handled for both", {"/MRechnung/Cx.mdb"}, "Rechnung/Cx.mdb", 0, 0,
         connection("x.mdb"), {"0"}, {"Rechnung/Cx.mdb"}},
        {"first occurrence of the switch", {"/D5/D6"}, "", 0, 0, DesignConnection, {}, {}, true},
        {"/D5/A7: /A takes 7, /D fails", {"/D5/A7"}, "", 0, 7, DesignConnection, {}, {}, true},
        {"empty /D value", {"/D"}, "", 0, 0, DesignConnection, {}, {}, true},
        {"blank after /A", {"/A 1"}, "", 0, 0, DesignConnection, {}, {}, true},
        {"out of range", {"/D2147483648"}, "", 0, 0, DesignConnection, {}, {}, true},
        {"error stops after the earlier arguments",
         {"/D4", "/Ma", "/Cdb", "/Dx", "/D8"}, "a", 4, 0, connection("db"), {"4", "4", "4"}, {"a"}, true},
        {"/C and /M before the failing /D of one argument",
         {"/Mm/Cc/Dz"}, "m/Cc/Dz", 0, 0, connection("c/Dz"), {}, {"m/Cc/Dz"}, true},
    };
    for (const Case &c : cases) {
        CommandLineValues values;
        QString connectionCaption = DesignConnection;
        QString docIdCaption = DesignDocId;
        QStringList docIdCaptions;
        QStringList maskReads;
        const CommandLineTargets targets{
            [&](const QString &mask) { maskReads << mask; },
            [&](const QString &caption) { connectionCaption = caption; },
            [&](const QString &caption) {
                docIdCaption = caption;
                docIdCaptions << caption;
            },
        };
        bool failed = false;
        try {
            ReadCommandLine(c.args, values, targets);
        } catch (const ConversionError &) {
            failed = true;
        }
        EXPECT_EQ(failed, c.conversionError) << c.what;
        EXPECT_EQ(values.MaskName, c.mask) << c.what;
        EXPECT_EQ(values.DocumentTypeNumber, c.docId) << c.what;
        EXPECT_EQ(values.AddressNumber, c.address) << c.what;
        EXPECT_EQ(connectionCaption, c.connectionCaption) << c.what;
        EXPECT_EQ(values.ConnectionString, c.connectionCaption == DesignConnection ? QString() : c.connectionCaption)
            << c.what;
        EXPECT_EQ(docIdCaptions, c.docIdCaptions) << c.what;
        EXPECT_EQ(docIdCaption, c.docIdCaptions.isEmpty() ? DesignDocId : c.docIdCaptions.last()) << c.what;
        EXPECT_EQ(maskReads, c.maskReads) << c.what;
    }
}

TEST(ReadCommandLine, ConversionErrorQuotesTheValueAndTargetsMayBeLeftOut)
{
    CommandLineValues values;
    try {
        ReadCommandLine({QStringLiteral("/D12a")}, values, {});
        FAIL() << "no error";
    } catch (const ConversionError &e) {
        EXPECT_TRUE(e.message().contains(u"12a")) << e.message().toStdString();
    }
    ReadCommandLine({QStringLiteral("/MX"), QStringLiteral("/D1")}, values, {});
    EXPECT_EQ(values.MaskName, QStringLiteral("X"));
    EXPECT_EQ(values.DocumentTypeNumber, 1);
}

TEST(ConnectionStringFor, ReplacesOnlyTheFirstXXX)
{
    EXPECT_EQ(connectionStringFor(QStringLiteral("XXX")), connection("XXX"));
    EXPECT_EQ(ConnectionStringTemplate.count(QStringLiteral("XXX")), 1);
}
