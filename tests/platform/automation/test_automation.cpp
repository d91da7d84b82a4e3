#include "AppError.h"
#include "QtPrinters.h"
#include "automation/AutomationError.h"
#include "automation/AutomationVariant.h"
#include "automation/ClassRegistry.h"
#include "automation/ScopedClassRegistration.h"
#include "automation/ScriptedAutomationObject.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

namespace {

// A component written the way real ones are: it reads its arguments with the
// helpers and writes a by-reference argument back.
class Counter : public AutomationObject
{
public:
    QString description() const override { return QStringLiteral("Zähler (Test)"); }

protected:
    QVariant invoke(const QString &member, AutomationArgs &args) override
    {
        if (member == u"Increment") {
            automation::requireArgCount(args, 1);
            const int n = automation::int32Arg(args, 0);
            if (args[0].byRef)
                args[0].value = n + 1;
            return n + 1;
        }
        if (member == u"Explode")
            throw std::runtime_error("kaputt");
        if (member == u"Child")
            return automation::objectToVariant(std::make_shared<ScriptedAutomationObject>(QStringLiteral("Kind")));
        unknownMember();
    }
};

template <typename F> AutomationError captureError(F &&f)
{
    try {
        f();
    } catch (const AutomationError &e) {
        return e;
    } catch (const std::exception &e) {
        ADD_FAILURE() << "other exception: " << e.what();
        return AutomationError({}, {}, {});
    }
    ADD_FAILURE() << "no error";
    return AutomationError({}, {}, {});
}

} // namespace

TEST(ClassRegistry, CreationFailuresNameTheProgId)
{
    const AutomationError unknown = captureError([] { automation::create(QStringLiteral("Nicht.Da")); });
    EXPECT_TRUE(unknown.message().contains(u"Nicht.Da")) << unknown.message().toStdString();

    ScopedClassRegistration refusing(QStringLiteral("Test.Refusing"),
                                     automation::Factory([]() -> AutomationObjectPtr {
                                         throw AppError(QStringLiteral("Datei fehlt"));
                                     }));
    const AutomationError refused = captureError([] { automation::create(QStringLiteral("Test.Refusing")); });
    EXPECT_TRUE(refused.message().contains(u"Test.Refusing"));
    EXPECT_EQ(refused.reason(), QStringLiteral("Datei fehlt"));

    ScopedClassRegistration empty(QStringLiteral("Test.Empty"), AutomationObjectPtr());
    EXPECT_TRUE(captureError([] { automation::create(QStringLiteral("Test.Empty")); })
                    .message()
                    .contains(u"Test.Empty"));
    EXPECT_EQ(empty.creations(), 1);

    // ProgIDs are exact: the registry does not guess at spellings.
    ScopedClassRegistration counter(QStringLiteral("Test.Counter"), automation::Factory([] {
                                        return std::make_shared<Counter>();
                                    }));
    EXPECT_NE(automation::create(QStringLiteral("Test.Counter")), nullptr);
    EXPECT_THROW(automation::create(QStringLiteral("test.counter")), AutomationError);
}

TEST(ClassRegistry, ScopedRegistrationPutsTheEarlierOneBack)
{
    const QString id = QStringLiteral("Test.Scoped");
    automation::registerClass(id, [] { return std::make_shared<ScriptedAutomationObject>(QStringLiteral("erste")); });
    {
        ScopedClassRegistration inner(id, std::make_shared<ScriptedAutomationObject>(QStringLiteral("zweite")));
        EXPECT_EQ(automation::create(id)->description(), QStringLiteral("zweite"));
        EXPECT_EQ(automation::create(id), automation::create(id)) << "one object handed out each time";
        EXPECT_EQ(inner.creations(), 3);
    }
    EXPECT_EQ(automation::create(id)->description(), QStringLiteral("erste"));
    EXPECT_NE(automation::create(id), automation::create(id)) << "the factory makes a new object each time";
    automation::unregisterClass(id);
    EXPECT_FALSE(automation::isRegistered(id));
    {
        ScopedClassRegistration only(id, std::make_shared<ScriptedAutomationObject>());
        EXPECT_TRUE(automation::isRegistered(id));
    }
    EXPECT_FALSE(automation::isRegistered(id)) << "nothing was registered before";
}

TEST(AutomationObject, ByReferenceArgumentsAreWrittenBackByValueOnesAreNot)
{
    Counter counter;
    AutomationArgs byRef{AutomationArg::byReference(41)};
    EXPECT_EQ(counter.call(QStringLiteral("Increment"), byRef).toInt(), 42);
    EXPECT_EQ(byRef[0].value.toInt(), 42);

    AutomationArgs byValue{AutomationArg::byValue(41)};
    EXPECT_EQ(counter.callInt32(QStringLiteral("Increment"), byValue), 42);
    EXPECT_EQ(byValue[0].value.toInt(), 41);

    EXPECT_EQ(counter.call(QStringLiteral("Increment"), QVariantList{QStringLiteral("9")}).toInt(), 10);
}

TEST(AutomationObject, EveryFailureCarriesMemberAndComponent)
{
    Counter counter;
    struct Case
    {
        const char *what;
        std::function<void()> action;
        QString member;
    };
    const Case cases[] = {
        {"unknown method", [&] { counter.call(QStringLiteral("Nope")); }, QStringLiteral("Nope")},
        {"too few arguments", [&] { counter.call(QStringLiteral("Increment")); }, QStringLiteral("Increment")},
        {"argument of wrong type",
         [&] { counter.call(QStringLiteral("Increment"), QVariantList{QStringLiteral("x")}); },
         QStringLiteral("Increment")},
        {"std::exception inside", [&] { counter.call(QStringLiteral("Explode")); }, QStringLiteral("Explode")},
        {"answer is no integer",
         [&] {
             AutomationArgs none;
             counter.callInt32(QStringLiteral("Child"), none);
         },
         QStringLiteral("Child")},
        {"answer is no string",
         [&] {
             AutomationArgs none;
             counter.callString(QStringLiteral("Child"), none);
         },
         QStringLiteral("Child")},
        {"unknown property get", [&] { counter.getProperty(QStringLiteral("Mode")); }, QStringLiteral("Mode")},
        {"unknown property put", [&] { counter.setProperty(QStringLiteral("Mode"), 1); }, QStringLiteral("Mode")},
    };
    for (const Case &c : cases) {
        const AutomationError e = captureError(c.action);
        EXPECT_EQ(e.member(), c.member) << c.what;
        EXPECT_EQ(e.component(), QStringLiteral("Zähler (Test)")) << c.what;
        EXPECT_TRUE(e.message().contains(c.member)) << c.what;
        EXPECT_FALSE(e.reason().isEmpty()) << c.what;
    }
    EXPECT_EQ(captureError([&] { counter.call(QStringLiteral("Explode")); }).reason(), QStringLiteral("kaputt"));
}

TEST(AutomationObject, ObjectsTravelInVariants)
{
    Counter counter;
    const AutomationObjectPtr child = automation::variantToObject(counter.call(QStringLiteral("Child")));
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->description(), QStringLiteral("Kind"));
    EXPECT_EQ(automation::variantToObject(QVariant(5)), nullptr);
    EXPECT_EQ(automation::variantToObject(QVariant()), nullptr);

    // An error raised by a sub-object keeps naming the sub-object.
    ScriptedAutomationObject parent(QStringLiteral("Eltern"));
    parent.answerWith(QStringLiteral("Ask"), [child](AutomationArgs &) { return child->call(QStringLiteral("Who")); });
    const AutomationError e = captureError([&] { parent.call(QStringLiteral("Ask")); });
    EXPECT_EQ(e.component(), QStringLiteral("Kind"));
    EXPECT_EQ(e.member(), QStringLiteral("Who"));
}

TEST(AutomationVariant, ConversionsOfAnswers)
{
    using automation::variantToInt32;
    using automation::variantToString;
    struct Case
    {
        QVariant answer;
        std::optional<std::int32_t> asInt;
        std::optional<QString> asString;
    };
    const Case cases[] = {
        {QVariant(), 0, QString()},
        {QVariant(-1), -1, QStringLiteral("-1")},
        {QVariant::fromValue(std::uint8_t(200)), 200, QStringLiteral("200")},
        {QVariant::fromValue(qlonglong(INT32_MAX) + 1), std::nullopt, QStringLiteral("2147483648")},
        {QVariant::fromValue(qlonglong(INT32_MIN)), INT32_MIN, QStringLiteral("-2147483648")},
        {QVariant::fromValue(uint(UINT32_MAX)), std::nullopt, QStringLiteral("4294967295")},
        {QVariant(2.5), 2, QStringLiteral("2.5")},
        {QVariant(3.5), 4, QStringLiteral("3.5")},
        {QVariant(-0.5), 0, QStringLiteral("-0.5")},
        {QVariant(std::numeric_limits<double>::quiet_NaN()), std::nullopt, QStringLiteral("nan")},
        {QVariant(1e12), std::nullopt, QStringLiteral("1000000000000")},
        {QVariant(true), -1, QStringLiteral("True")},
        {QVariant(false), 0, QStringLiteral("False")},
        {QVariant(QStringLiteral("12")), 12, QStringLiteral("12")},
        {QVariant(QStringLiteral(" 12")), std::nullopt, QStringLiteral(" 12")},
        {QVariant(QStringLiteral("")), std::nullopt, QStringLiteral("")},
        {QVariant(QString()), std::nullopt, QString()},
        {QVariant(QStringList{QStringLiteral("a")}), std::nullopt, std::nullopt},
        {QVariant::fromValue(nullptr), std::nullopt, std::nullopt},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(variantToInt32(c.answer), c.asInt) << c.answer.toString().toStdString();
        EXPECT_EQ(variantToString(c.answer), c.asString) << c.answer.toString().toStdString();
    }
}

TEST(ScriptedAutomationObject, AnswersFromItsTableAndRecordsEveryCall)
{
    ScriptedAutomationObject o(QStringLiteral("Skript"));
    o.answer(QStringLiteral("Line"), 0);
    o.answer(QStringLiteral("Line"), {3}, 1);
    o.answer(QStringLiteral("Name"), QStringLiteral("A"));
    o.writeBack(QStringLiteral("Fill"), 1, QStringLiteral("gefüllt"));
    o.answer(QStringLiteral("Fill"), 7);
    o.fail(QStringLiteral("Broken"), QStringLiteral("defekt"));

    // Numbers match the table by value whatever their variant type.
    EXPECT_EQ(o.call(QStringLiteral("Line"), QVariantList{QVariant::fromValue(std::uint8_t(3))}).toInt(), 1);
    EXPECT_EQ(o.call(QStringLiteral("Line"), QVariantList{4}).toInt(), 0);
    AutomationArgs fill{AutomationArg::byValue(1), AutomationArg::byReference(QString())};
    EXPECT_EQ(o.callInt32(QStringLiteral("Fill"), fill), 7);
    EXPECT_EQ(fill[1].value.toString(), QStringLiteral("gefüllt"));
    // Write-back into a by-value argument exposes a caller that passes the wrong way.
    AutomationArgs wrong{AutomationArg::byValue(1), AutomationArg::byValue(QString())};
    EXPECT_THROW(o.call(QStringLiteral("Fill"), wrong), AutomationError);
    EXPECT_EQ(captureError([&] { o.call(QStringLiteral("Broken")); }).reason(), QStringLiteral("defekt"));
    EXPECT_THROW(o.call(QStringLiteral("Unscripted")), AutomationError);
    o.setProperty(QStringLiteral("Mode"), 2);
    EXPECT_EQ(o.getProperty(QStringLiteral("Mode")).toInt(), 2);

    ASSERT_EQ(o.calls().size(), 8);
    EXPECT_EQ(o.calledMembers(),
              (QStringList{QStringLiteral("Line"), QStringLiteral("Line"), QStringLiteral("Fill"), QStringLiteral("Fill"),
                           QStringLiteral("Broken"), QStringLiteral("Unscripted"), QStringLiteral("Mode"),
                           QStringLiteral("Mode")}));
    const auto &firstFill = o.calls()[2];
    EXPECT_EQ(firstFill.args, (QVariantList{1, QString()})) << "arguments recorded before the write-back";
    EXPECT_EQ(firstFill.byRef, (QList<bool>{false, true}));
    EXPECT_EQ(o.calls()[0].args[0].metaType().id(), QMetaType::UChar) << "the type as passed";
    EXPECT_EQ(o.calls()[6].kind, ScriptedAutomationObject::CallKind::PropertyPut);
    EXPECT_EQ(o.calls()[7].kind, ScriptedAutomationObject::CallKind::PropertyGet);
    EXPECT_EQ(o.callsOf(QStringLiteral("Line")).size(), 2);
}
