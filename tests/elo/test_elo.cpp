#include "AppError.h"
#include "QtPrinters.h"
#include "TempPlatformFolder.h"
#include "U_ELO.h"
#include "automation/ScopedClassRegistration.h"
#include "automation/ScriptedAutomationObject.h"
#include "elosim/SimulatedComponents.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

const QString Professional = QStringLiteral("Elo.professional");
const QString Office = QStringLiteral("Elo.office");

using Scripted = ScriptedAutomationObject;
using ScriptedPtr = std::shared_ptr<Scripted>;

// registry.reg with the given value lines (e.g. "\"ActiveUser\"=\"Hans\"")
// under the professional and the office key; an empty text leaves the key out.
QByteArray registryWith(const QByteArray &professional, const QByteArray &office)
{
    QByteArray reg = "Windows Registry Editor Version 5.00\r\n\r\n";
    if (!professional.isEmpty())
        reg += "[HKEY_CURRENT_USER\\Software\\ELO Digital\\Elo32.1\\Options]\r\n" + professional + "\r\n\r\n";
    if (!office.isEmpty())
        reg += "[HKEY_CURRENT_USER\\Software\\ELO Digital\\Elo32.2\\Options]\r\n" + office + "\r\n\r\n";
    return reg;
}

const QByteArray User = "\"ActiveUser\"=\"Hans\"";

class TEloTest : public ::testing::Test
{
protected:
    void SetUp() override { setRegistry(User, {}); }

    void setRegistry(const QByteArray &professional, const QByteArray &office)
    {
        m_folder.write(QStringLiteral("registry.reg"), registryWith(professional, office));
    }

    // Connects elo to the scripted professional client, which answers the probe.
    void connect()
    {
        m_professional->answer(QStringLiteral("GetEntryId"), 1);
        ASSERT_EQ(m_elo.Connect(), 0);
        m_professional->clearCalls();
    }

    // A mask "M" with number 12 whose lines are the given names.
    void scriptMask(const QStringList &lines)
    {
        m_professional->answer(QStringLiteral("LookupMaskName"), 12);
        m_professional->answer(QStringLiteral("ReadObjMask"), 1);
        m_professional->answerWith(QStringLiteral("GetObjAttribName"), [lines](AutomationArgs &args) {
            return QVariant(lines.value(args[0].value.toInt()));
        });
    }

    TempPlatformFolder m_folder;
    ScriptedPtr m_professional = std::make_shared<Scripted>(QStringLiteral("ELOprofessional (Test)"));
    ScriptedPtr m_office = std::make_shared<Scripted>(QStringLiteral("ELOoffice (Test)"));
    ScopedClassRegistration m_professionalClass{Professional, m_professional};
    ScopedClassRegistration m_officeClass{Office, m_office};
    TElo m_elo;
};

} // namespace

TEST_F(TEloTest, CreateStartsEmpty)
{
    EXPECT_EQ(m_elo.EloObject, nullptr);
    EXPECT_TRUE(m_elo.FieldNames.isEmpty());
    EXPECT_EQ(m_elo.FieldCount, 0);
}

TEST_F(TEloTest, FindLoggedInClientReadsOnlyNonEmptyPlainStrings)
{
    struct Case
    {
        const char *what;
        QByteArray professional, office;
        std::uint8_t expected;
    };
    const Case cases[] = {
        {"no keys", {}, {}, 0},
        {"keys without the value", "\"Other\"=\"x\"", "\"Other\"=\"x\"", 0},
        {"both empty", "\"ActiveUser\"=\"\"", "\"ActiveUser\"=\"\"", 0},
        {"professional", User, {}, 1},
        {"office", {}, User, 2},
        {"both: professional wins", User, User, 1},
        {"professional empty, office named", "\"ActiveUser\"=\"\"", User, 2},
        {"expandable string does not count", "\"ActiveUser\"=hex(2):48,00,00,00", {}, 0},
        {"number does not count", "\"ActiveUser\"=dword:00000001", {}, 0},
        {"expandable professional, plain office", "\"ActiveUser\"=hex(2):48,00,00,00", User, 2},
        {"plain string written as hex(1) counts", "\"ActiveUser\"=hex(1):48,00,00,00", {}, 1},
        {"name in another case", "\"activeuser\"=\"Hans\"", {}, 1},
    };
    for (const Case &c : cases) {
        setRegistry(c.professional, c.office);
        EXPECT_EQ(m_elo.FindLoggedInClient(), c.expected) << c.what;
    }
    m_folder.write(QStringLiteral("registry.reg"), "kaputt\n[HKEY_CURRENT_USER\\Software\\ELO Digital\\Elo32.1\\Options]\n" + User);
    EXPECT_EQ(m_elo.FindLoggedInClient(), 0) << "malformed file";
    m_folder.write(QStringLiteral("registry.reg"), QByteArray());
    EXPECT_EQ(m_elo.FindLoggedInClient(), 0) << "missing file";
}

TEST_F(TEloTest, ConnectProbesTheClientOfTheLoggedInUser)
{
    struct Case
    {
        const char *what;
        QByteArray professional, office;
        std::function<void(Scripted &)> script;
        std::uint8_t expected;
        QStringList professionalCalls, officeCalls;
        int professionalCreations, officeCreations;
    };
    const auto answers = [](QVariant entry, QVariant view) {
        return [=](Scripted &o) {
            o.answer(QStringLiteral("GetEntryId"), entry);
            o.answer(QStringLiteral("SelectView"), view);
        };
    };
    const QStringList both{QStringLiteral("GetEntryId"), QStringLiteral("SelectView")};
    const QStringList entryOnly{QStringLiteral("GetEntryId")};
    const Case cases[] = {
        {"no user", {}, {}, answers(1, 0), 1, {}, {}, 0, 0},
        {"only empty users", "\"ActiveUser\"=\"\"", "\"ActiveUser\"=\"\"", answers(1, 0), 1, {}, {}, 0, 0},
        {"ready at the first probe", User, {}, answers(5, -1), 0, entryOnly, {}, 1, 0},
        {"entry -1, view 0", User, {}, answers(-1, 0), 0, both, {}, 1, 0},
        {"both probes -1", User, {}, answers(-1, -1), 3, both, {}, 1, 0},
        {"both users: professional", User, User, answers(0, 0), 0, entryOnly, {}, 1, 0},
        {"office user", {}, User, answers(0, 0), 0, {}, entryOnly, 0, 1},
        {"probe fails", User, {},
         [](Scripted &o) { o.fail(QStringLiteral("GetEntryId")); }, 2, entryOnly, {}, 1, 0},
        {"second probe fails", User, {},
         [](Scripted &o) {
             o.answer(QStringLiteral("GetEntryId"), -1);
             o.fail(QStringLiteral("SelectView"));
         },
         2, both, {}, 1, 0},
        {"answer that does not convert", User, {}, answers(QStringLiteral("bereit"), 0), 2, entryOnly, {}, 1, 0},
        {"unknown members", User, {}, [](Scripted &) {}, 2, entryOnly, {}, 1, 0},
    };
    for (const Case &c : cases) {
        setRegistry(c.professional, c.office);
        auto professional = std::make_shared<Scripted>();
        auto office = std::make_shared<Scripted>();
        c.script(*professional);
        c.script(*office);
        ScopedClassRegistration p(Professional, professional);
        ScopedClassRegistration o(Office, office);
        TElo elo;
        EXPECT_EQ(elo.Connect(), c.expected) << c.what;
        EXPECT_EQ(elo.EloObject != nullptr, c.expected == 0) << c.what;
        if (c.expected == 0) {
            EXPECT_EQ(elo.EloObject, c.officeCreations ? AutomationObjectPtr(office) : AutomationObjectPtr(professional))
                << c.what;
        }
        EXPECT_EQ(professional->calledMembers(), c.professionalCalls) << c.what;
        EXPECT_EQ(office->calledMembers(), c.officeCalls) << c.what;
        EXPECT_EQ(p.creations(), c.professionalCreations) << c.what;
        EXPECT_EQ(o.creations(), c.officeCreations) << c.what;
    }
}

TEST_F(TEloTest, ConnectPassesTheProbesByValue)
{
    m_professional->answer(QStringLiteral("GetEntryId"), -1);
    m_professional->answer(QStringLiteral("SelectView"), 0);
    ASSERT_EQ(m_elo.Connect(), 0);
    const auto &calls = m_professional->calls();
    ASSERT_EQ(calls.size(), 2);
    EXPECT_EQ(calls[0].args, QVariantList{-1});
    EXPECT_EQ(calls[0].args[0].metaType().id(), QMetaType::Int);
    EXPECT_EQ(calls[0].byRef, QList<bool>{false});
    EXPECT_EQ(calls[1].args, QVariantList{0});
    EXPECT_EQ(calls[1].byRef, QList<bool>{false});
}

TEST_F(TEloTest, CreationFailureEmptiesTheObjectAndTheNextConnectStartsFromTheRegistry)
{
    connect();
    ASSERT_NE(m_elo.EloObject, nullptr);
    {
        ScopedClassRegistration broken(Professional, AutomationObjectPtr());
        EXPECT_EQ(m_elo.Connect(), 2);
        EXPECT_EQ(m_elo.EloObject, nullptr) << "the earlier object is not kept either";
        EXPECT_EQ(broken.creations(), 1);
        EXPECT_EQ(m_elo.FindSelectedPostBoxLine(), -1) << "operations fail quietly without an object";
    }
    {
        // No fallback to the other ProgID.
        ScopedClassRegistration missing(Professional, automation::Factory());
        setRegistry(User, User);
        m_office->answer(QStringLiteral("GetEntryId"), 1);
        EXPECT_EQ(m_elo.Connect(), 2);
        EXPECT_TRUE(m_office->calls().isEmpty());
    }
    // The user has meanwhile logged in to ELOoffice only.
    setRegistry({}, User);
    EXPECT_EQ(m_elo.Connect(), 0);
    EXPECT_EQ(m_elo.EloObject, AutomationObjectPtr(m_office));
    // And logged out again.
    setRegistry({}, {});
    EXPECT_EQ(m_elo.Connect(), 1);
    EXPECT_EQ(m_elo.EloObject, nullptr);
}

TEST_F(TEloTest, ReadMaskFieldsAsksAllFiftyLinesAndKeepsTheNamedOnes)
{
    const QString long300(300, u'x');
    // "𝄞" is one character in two UTF-16 units; the cut must not split it.
    const QString clef = QString(254, u'a') + QStringLiteral("𝄞𝄞");
    struct Case
    {
        const char *what;
        QStringList lines;
        QStringList expected;
    };
    const Case cases[] = {
        {"lines 0 to 4", {"A", "B", "C", "D", "E"}, {"A", "B", "C", "D", "E"}},
        {"empty lines between named ones", {"", "A", "", "", "B"}, {"A", "B"}},
        {"name in line 49", [] {
             QStringList l;
             for (int i = 0; i < 49; ++i)
                 l << QString();
             return l << QStringLiteral("Letzte");
         }(), {"Letzte"}},
        {"300 characters cut to 255", {long300}, {QString(255, u'x')}},
        {"cut counts characters", {clef}, {QString(254, u'a') + QStringLiteral("𝄞")}},
        {"blank is a name", {" "}, {" "}},
        {"no named line", {}, {}},
    };
    connect();
    for (const Case &c : cases) {
        scriptMask(c.lines);
        m_professional->clearCalls();
        m_elo.ReadMaskFields(QStringLiteral("M"));
        EXPECT_EQ(m_elo.FieldNames, c.expected) << c.what;
        EXPECT_EQ(m_elo.FieldCount, c.expected.size()) << c.what;

        const auto names = m_professional->callsOf(QStringLiteral("GetObjAttribName"));
        ASSERT_EQ(names.size(), 50) << c.what;
        for (int i = 0; i < 50; ++i) {
            EXPECT_EQ(names[i].args, QVariantList{i});
            EXPECT_EQ(names[i].args[0].metaType().id(), QMetaType::UChar);
            EXPECT_EQ(names[i].byRef, QList<bool>{true});
        }
    }

    const auto &calls = m_professional->calls();
    EXPECT_EQ(calls[0].member, QStringLiteral("LookupMaskName"));
    EXPECT_EQ(calls[0].args, QVariantList{QStringLiteral("M")});
    EXPECT_EQ(calls[0].byRef, QList<bool>{false});
    EXPECT_EQ(calls[1].member, QStringLiteral("ReadObjMask"));
    EXPECT_EQ(calls[1].args, QVariantList{12});
    EXPECT_EQ(calls[1].args[0].metaType().id(), QMetaType::Int);
    EXPECT_EQ(calls[1].byRef, QList<bool>{true});
}

TEST_F(TEloTest, ReadMaskFieldsFailuresKeepWhatWasRead)
{
    connect();
    scriptMask({"A", "B"});
    m_elo.ReadMaskFields(QStringLiteral("M"));
    ASSERT_EQ(m_elo.FieldCount, 2);

    // A second mask replaces the first.
    scriptMask({"C"});
    m_elo.ReadMaskFields(QStringLiteral("N"));
    EXPECT_EQ(m_elo.FieldNames, QStringList{"C"});

    struct Case
    {
        const char *what;
        std::function<void(Scripted &)> script;
        QStringList expected;
    };
    const Case cases[] = {
        {"ReadObjMask answers 0", [](Scripted &o) { o.answer(QStringLiteral("ReadObjMask"), 0); }, {}},
        {"ReadObjMask answers -1", [](Scripted &o) { o.answer(QStringLiteral("ReadObjMask"), -1); }, {}},
        {"LookupMaskName fails", [](Scripted &o) { o.fail(QStringLiteral("LookupMaskName")); }, {}},
        {"mask number is no integer",
         [](Scripted &o) { o.answer(QStringLiteral("LookupMaskName"), QStringLiteral("zwölf")); }, {}},
        {"fails at line 3",
         [](Scripted &o) {
             o.answerWith(QStringLiteral("GetObjAttribName"), [](AutomationArgs &a) -> QVariant {
                 if (a[0].value.toInt() == 3)
                     throw AppError(QStringLiteral("weg"));
                 return QStringLiteral("L%1").arg(a[0].value.toInt());
             });
         },
         {"L0", "L1", "L2"}},
        {"name that does not convert",
         [](Scripted &o) { o.answer(QStringLiteral("GetObjAttribName"), QVariant(QStringList{"x"})); }, {}},
    };
    for (const Case &c : cases) {
        auto client = std::make_shared<Scripted>();
        client->answer(QStringLiteral("LookupMaskName"), 12);
        client->answer(QStringLiteral("ReadObjMask"), 1);
        client->answer(QStringLiteral("GetObjAttribName"), QStringLiteral("X"));
        c.script(*client);
        m_elo.EloObject = client;
        m_elo.ReadMaskFields(QStringLiteral("M"));
        EXPECT_EQ(m_elo.FieldNames, c.expected) << c.what;
        EXPECT_EQ(m_elo.FieldCount, c.expected.size()) << c.what;
        if (c.expected.isEmpty() && QString::fromLatin1(c.what).startsWith(u"ReadObjMask")) {
            EXPECT_TRUE(client->callsOf(QStringLiteral("GetObjAttribName")).isEmpty()) << c.what;
        }
    }

    m_elo.EloObject.reset();
    m_elo.ReadMaskFields(QStringLiteral("M"));
    EXPECT_EQ(m_elo.FieldCount, 0) << "without an object the list is still emptied";
}

TEST_F(TEloTest, FindSelectedPostBoxLineScansAtMost5000Lines)
{
    struct Case
    {
        const char *what;
        std::function<QVariant(int line)> answer;
        std::int32_t expected;
        qsizetype calls;
    };
    const Case cases[] = {
        {"first line selected", [](int) { return 1; }, 0, 1},
        {"third line selected", [](int l) { return l == 2 ? 1 : 0; }, 2, 3},
        {"other answers go on", [](int l) { return l == 3 ? 1 : 7; }, 3, 4},
        {"-1 after the last line", [](int l) { return l < 4 ? 0 : -1; }, -1, 5},
        {"any negative answer ends the scan", [](int l) { return l < 2 ? 0 : -3; }, -1, 3},
        {"never negative, never selected", [](int) { return 0; }, -1, 5000},
        {"selected beyond the bound", [](int l) { return l == 5000 ? 1 : 0; }, -1, 5000},
        {"last line inside the bound", [](int l) { return l == 4999 ? 1 : 0; }, 4999, 5000},
        {"answer does not convert", [](int l) { return l == 1 ? QVariant(QStringLiteral("ja")) : QVariant(0); }, -1, 2},
    };
    connect();
    for (const Case &c : cases) {
        m_professional->clearCalls();
        m_professional->answerWith(QStringLiteral("PostBoxLineSelected"),
                                   [&c](AutomationArgs &a) { return c.answer(a[0].value.toInt()); });
        EXPECT_EQ(m_elo.FindSelectedPostBoxLine(), c.expected) << c.what;
        const auto calls = m_professional->callsOf(QStringLiteral("PostBoxLineSelected"));
        ASSERT_EQ(calls.size(), c.calls) << c.what;
        EXPECT_EQ(calls.last().args, QVariantList{int(c.calls - 1)}) << c.what;
        EXPECT_EQ(calls.last().byRef, QList<bool>{false}) << c.what;
    }
    m_professional->fail(QStringLiteral("PostBoxLineSelected"));
    EXPECT_EQ(m_elo.FindSelectedPostBoxLine(), -1);
}

TEST_F(TEloTest, PostFileAndMaskCheck)
{
    connect();
    m_professional->answer(QStringLiteral("SelectPostBoxLine"), 17);
    m_professional->answer(QStringLiteral("ActivePostFile"), QStringLiteral("/post/Seite 1.tif"));
    m_professional->answer(QStringLiteral("LookupMaskName"), 12);

    EXPECT_EQ(m_elo.ActivatePostBoxLine(4), 17);
    EXPECT_EQ(m_elo.GetActivePostFile(), QStringLiteral("/post/Seite 1.tif"));
    EXPECT_EQ(m_elo.CheckMaskName(QStringLiteral("Eingangsrechnung")), 12);
    EXPECT_EQ(m_elo.CheckMaskName(QString()), -2);

    const auto &calls = m_professional->calls();
    ASSERT_EQ(calls.size(), 3) << "an empty mask name makes no call";
    EXPECT_EQ(calls[0].args, QVariantList{4});
    EXPECT_EQ(calls[0].byRef, QList<bool>{true});
    EXPECT_TRUE(calls[1].args.isEmpty());
    EXPECT_EQ(calls[2].args, QVariantList{QStringLiteral("Eingangsrechnung")});
    EXPECT_EQ(calls[2].byRef, QList<bool>{true});

    // Failure values.
    m_professional->fail(QStringLiteral("SelectPostBoxLine"));
    m_professional->fail(QStringLiteral("ActivePostFile"));
    m_professional->fail(QStringLiteral("LookupMaskName"));
    EXPECT_EQ(m_elo.ActivatePostBoxLine(4), 0);
    EXPECT_EQ(m_elo.GetActivePostFile(), QString());
    EXPECT_EQ(m_elo.CheckMaskName(QStringLiteral("Eingangsrechnung")), 0);

    m_elo.EloObject.reset();
    EXPECT_EQ(m_elo.ActivatePostBoxLine(4), 0);
    EXPECT_EQ(m_elo.GetActivePostFile(), QString());
    EXPECT_EQ(m_elo.CheckMaskName(QStringLiteral("Eingangsrechnung")), 0);
    EXPECT_EQ(m_elo.CheckMaskName(QString()), -2);
}

// The whole way with the simulated client: registry.reg and elo-client.json in
// a temporary platform folder, as a user trying the tool would write them.
TEST(TEloWithSimulatedClient, ConnectsAndReadsMaskAndPostboxFile)
{
    TempPlatformFolder folder;
    const QString page = folder.filePath(QStringLiteral("Seite 1.tif"));
    folder.write(QStringLiteral("Seite 1.tif"), "II*\0");
    folder.write(QStringLiteral("registry.reg"), "\xEF\xBB\xBF" + registryWith({}, "\"ActiveUser\"=\"Jürgen\""));
    QJsonObject state{
        {"ready", true},
        {"postbox", QJsonArray{QJsonObject{{"file", folder.filePath(QStringLiteral("andere.tif"))}},
                               QJsonObject{{"file", page}, {"selected", true}}}},
        {"masks", QJsonArray{QJsonObject{{"name", "Eingangsrechnung"},
                                         {"number", 12},
                                         {"fields", QJsonArray{"Rechnungsnummer", "", "Kundennummer"}}}}},
    };
    folder.write(QStringLiteral("elo-client.json"), QJsonDocument(state).toJson());

    registerSimulatedEloClient();
    TElo elo;
    ASSERT_EQ(elo.Connect(), 0);
    elo.ReadMaskFields(QStringLiteral("Eingangsrechnung"));
    EXPECT_EQ(elo.FieldNames, (QStringList{"Rechnungsnummer", "Kundennummer"}));
    EXPECT_EQ(elo.FieldCount, 2);
    const std::int32_t line = elo.FindSelectedPostBoxLine();
    EXPECT_EQ(line, 1);
    EXPECT_EQ(elo.ActivatePostBoxLine(line), 1);
    EXPECT_EQ(elo.GetActivePostFile(), page);
    EXPECT_EQ(elo.CheckMaskName(QStringLiteral("Eingangsrechnung")), 12);
    EXPECT_LT(elo.CheckMaskName(QStringLiteral("Unbekannt")), 1);

    elo.ReadMaskFields(QStringLiteral("Unbekannt"));
    EXPECT_EQ(elo.FieldCount, 0);

    state["postbox"] = QJsonArray{QJsonObject{{"file", page}}};
    folder.write(QStringLiteral("elo-client.json"), QJsonDocument(state).toJson());
    ASSERT_EQ(elo.Connect(), 0);
    EXPECT_EQ(elo.FindSelectedPostBoxLine(), -1) << "no selected line";

    state["ready"] = false;
    folder.write(QStringLiteral("elo-client.json"), QJsonDocument(state).toJson());
    EXPECT_EQ(elo.Connect(), 3);
    folder.write(QStringLiteral("elo-client.json"), "{\"ready\": ");
    EXPECT_EQ(elo.Connect(), 2);
    EXPECT_EQ(elo.EloObject, nullptr);
    unregisterSimulatedEloClient();
}
