#include "AppError.h"
#include "QtPrinters.h"
#include "TempPlatformFolder.h"
#include "automation/AutomationError.h"
#include "automation/ClassRegistry.h"
#include "elosim/EloClientState.h"
#include "elosim/SimulatedComponents.h"
#include "elosim/SimulatedEloClient.h"

#include <gtest/gtest.h>

namespace {

const QByteArray SampleJson = R"({"ready": true,
  "postbox": [{"file": "/a/eins.tif"}, {"file": "/a/zwei.tif", "selected": true}, {"file": "/a/drei.tif", "selected": false}],
  "masks": [{"name": "Eingangsrechnung", "number": 12, "fields": ["Rechnungsnummer", "", "Kundennummer"]},
            {"name": "Leer", "number": 0}]})";

} // namespace

TEST(EloClientState, ReadsTheDocumentedFormatWithDefaults)
{
    const EloClientState s = EloClientState::parse(SampleJson);
    EXPECT_TRUE(s.ready);
    ASSERT_EQ(s.postbox.size(), 3);
    EXPECT_EQ(s.postbox[1].file, QStringLiteral("/a/zwei.tif"));
    EXPECT_FALSE(s.postbox[0].selected);
    EXPECT_TRUE(s.postbox[1].selected);
    ASSERT_EQ(s.masks.size(), 2);
    EXPECT_EQ(s.masks[0].number, 12);
    EXPECT_EQ(s.masks[0].fields, (QStringList{"Rechnungsnummer", "", "Kundennummer"}));
    EXPECT_TRUE(s.masks[1].fields.isEmpty());

    const EloClientState empty = EloClientState::parse("{}");
    EXPECT_TRUE(empty.ready);
    EXPECT_TRUE(empty.postbox.isEmpty());
    EXPECT_TRUE(empty.masks.isEmpty());
    EXPECT_EQ(EloClientState::parse(R"({"ready": false, "x": [1]})").ready, false);
}

TEST(EloClientState, MalformedFilesAreRefusedWithATextThatSaysWhere)
{
    struct Case
    {
        QByteArray json;
        const char *mentions;
    };
    const Case cases[] = {
        {"", "JSON"},
        {"{\"ready\": true", "JSON"},
        {"[]", "Objekt"},
        {"{\"ready\": \"yes\"}", "ready"},
        {"{\"postbox\": {}}", "postbox"},
        {"{\"postbox\": [5]}", "postbox[0]"},
        {"{\"postbox\": [{\"selected\": true}]}", "file"},
        {"{\"postbox\": [{\"file\": 3}]}", "file"},
        {"{\"postbox\": [{\"file\": \"x\", \"selected\": 1}]}", "selected"},
        {"{\"masks\": [{\"number\": 1}]}", "name"},
        {"{\"masks\": [{\"name\": \"M\"}]}", "number"},
        {"{\"masks\": [{\"name\": \"M\", \"number\": \"12\"}]}", "number"},
        {"{\"masks\": [{\"name\": \"M\", \"number\": 1.5}]}", "number"},
        {"{\"masks\": [{\"name\": \"M\", \"number\": -1}]}", "number"},
        {"{\"masks\": [{\"name\": \"M\", \"number\": 2147483648}]}", "number"},
        {"{\"masks\": [{\"name\": \"M\", \"number\": 1e400}]}", "number"},
        {"{\"masks\": [{\"name\": \"M\", \"number\": 1, \"fields\": \"a\"}]}", "fields"},
        {"{\"masks\": [{\"name\": \"M\", \"number\": 1, \"fields\": [null]}]}", "fields"},
        {"{\"masks\": [{\"name\": \"M\", \"number\": 1}, {\"name\": \"M\", \"number\": 2}]}", "\"M\""},
        {"{\"masks\": [{\"name\": \"M\", \"number\": 1}, {\"name\": \"N\", \"number\": 1}]}", "1"},
    };
    for (const Case &c : cases) {
        try {
            EloClientState::parse(c.json);
            ADD_FAILURE() << "accepted: " << c.json.toStdString();
        } catch (const AppError &e) {
            EXPECT_TRUE(e.message().startsWith(u"elo-client.json: ")) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.mentions)))
                << c.json.toStdString() << " -> " << e.message().toStdString();
        }
    }

    QByteArray tooMany = "{\"masks\": [{\"name\": \"M\", \"number\": 1, \"fields\": [";
    for (int i = 0; i < 51; ++i)
        tooMany += (i ? ",\"f\"" : "\"f\"");
    tooMany += "]}]}";
    EXPECT_THROW(EloClientState::parse(tooMany), AppError);
}

TEST(SimulatedEloClient, AnswersTheMembersTheToolCalls)
{
    SimulatedEloClient elo(QStringLiteral("ELO (simuliert)"), EloClientState::parse(SampleJson));
    const auto ask = [&](const char *member, QVariantList args = {}, bool byRef = false) {
        AutomationArgs a;
        for (const QVariant &v : args)
            a.append({v, byRef});
        return elo.call(QString::fromLatin1(member), a);
    };

    struct Case
    {
        const char *member;
        QVariantList args;
        QVariant expected;
    };
    // In order: the mask and the active line are state the later rows rely on.
    const Case cases[] = {
        {"GetEntryId", {-1}, 1},
        {"SelectView", {0}, 0},
        {"LookupMaskName", {"Eingangsrechnung"}, 12},
        {"LookupMaskName", {"eingangsrechnung"}, -1},
        {"LookupMaskName", {""}, -1},
        {"GetObjAttribName", {0}, QString()},        // no mask read yet
        {"ReadObjMask", {12}, 1},
        {"GetObjAttribName", {QVariant::fromValue(std::uint8_t(0))}, QStringLiteral("Rechnungsnummer")},
        {"GetObjAttribName", {1}, QString()},
        {"GetObjAttribName", {2}, QStringLiteral("Kundennummer")},
        {"GetObjAttribName", {3}, QString()},
        {"GetObjAttribName", {49}, QString()},
        {"GetObjAttribName", {-1}, QString()},
        {"ReadObjMask", {99}, -1},
        {"GetObjAttribName", {0}, QString()},        // the failed read forgets the mask
        {"ReadObjMask", {0}, 1},
        {"PostBoxLineSelected", {0}, 0},
        {"PostBoxLineSelected", {1}, 1},
        {"PostBoxLineSelected", {2}, 0},
        {"PostBoxLineSelected", {3}, -1},
        {"PostBoxLineSelected", {-1}, -1},
        {"ActivePostFile", {}, QString()},           // nothing active yet
        {"SelectPostBoxLine", {2}, 1},
        {"ActivePostFile", {}, QStringLiteral("/a/drei.tif")},
        {"SelectPostBoxLine", {7}, -1},
        {"ActivePostFile", {}, QStringLiteral("/a/drei.tif")},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(ask(c.member, c.args), c.expected) << c.member << " " << c.args.value(0).toString().toStdString();
        EXPECT_EQ(ask(c.member, c.args, true), c.expected) << "by reference: " << c.member;
    }

    EXPECT_THROW(ask("Unbekannt"), AutomationError);
    EXPECT_THROW(ask("GetEntryId"), AutomationError) << "missing argument";
    EXPECT_THROW(ask("PostBoxLineSelected", {"eins"}), AutomationError);
    EXPECT_THROW(ask("LookupMaskName", {QStringList{}}), AutomationError);
}

TEST(SimulatedEloClient, NotReadyAnswersMinusOneToBothProbes)
{
    SimulatedEloClient elo(QStringLiteral("ELO"), EloClientState::parse(R"({"ready": false})"));
    EXPECT_EQ(elo.call(QStringLiteral("GetEntryId"), QVariantList{-1}).toInt(), -1);
    EXPECT_EQ(elo.call(QStringLiteral("SelectView"), QVariantList{0}).toInt(), -1);
}

TEST(SimulatedComponents, CreationReadsEloClientJsonFromThePlatformFolder)
{
    TempPlatformFolder folder;
    registerSimulatedEloClient();
    for (const QString &progId : {QStringLiteral("Elo.professional"), QStringLiteral("Elo.office")}) {
        folder.write(QStringLiteral("elo-client.json"), QByteArray());
        try {
            automation::create(progId);
            ADD_FAILURE() << "created without elo-client.json";
        } catch (const AutomationError &e) {
            EXPECT_TRUE(e.message().contains(progId)) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(u"elo-client.json")) << e.message().toStdString();
        }
        folder.write(QStringLiteral("elo-client.json"), "{\"ready\": tru}");
        EXPECT_THROW(automation::create(progId), AutomationError);

        folder.write(QStringLiteral("elo-client.json"), SampleJson);
        const AutomationObjectPtr elo = automation::create(progId);
        EXPECT_EQ(elo->call(QStringLiteral("LookupMaskName"), QVariantList{QStringLiteral("Leer")}).toInt(), 0);
    }
    unregisterSimulatedEloClient();
    EXPECT_FALSE(automation::isRegistered(QStringLiteral("Elo.office")));
}
