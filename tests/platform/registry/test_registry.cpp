#include "QtPrinters.h"
#include "TempPlatformFolder.h"
#include "registry/PlatformFolder.h"
#include "registry/RegistryFile.h"
#include "registry/UserRegistry.h"

#include <QDir>
#include <gtest/gtest.h>

// Found by argument-dependent lookup, so it lives beside RegistryValue.
static void PrintTo(const RegistryValue &v, std::ostream *os)
{
    *os << "{type " << int(v.type) << ", \"" << v.text.toStdString() << "\", " << v.number << "}";
}

namespace {

const QByteArray Head = "Windows Registry Editor Version 5.00\r\n\r\n";
const QByteArray Key = "[HKEY_CURRENT_USER\\Software\\ELO Digital\\Elo32.1\\Options]\r\n";
const QString KeyPath = QStringLiteral("HKEY_CURRENT_USER\\Software\\ELO Digital\\Elo32.1\\Options");

RegistryValue str(const QString &text)
{
    return {RegistryValueType::String, text, 0};
}
RegistryValue expand(const QString &text)
{
    return {RegistryValueType::ExpandString, text, 0};
}
RegistryValue number(std::uint32_t n)
{
    return {RegistryValueType::Number, {}, n};
}
const RegistryValue Absent{};
const RegistryValue Other{RegistryValueType::Other, {}, 0};


// "%USERPROFILE%\x" as Windows exports a REG_EXPAND_SZ, over two lines.
const QByteArray ExpandLines = "\"ActiveUser\"=hex(2):25,00,55,00,53,00,45,00,52,00,50,00,52,00,4f,00,46,00,\\\r\n"
                               "  49,00,4c,00,45,00,25,00,5c,00,78,00,00,00\r\n";

} // namespace

TEST(RegistryFile, ValuesOfEachTypeAndMalformedLines)
{
    struct Case
    {
        const char *what;
        QByteArray body; // after the header
        QString name;
        RegistryValue expected;
    };
    const Case cases[] = {
        {"plain string", Key + "\"ActiveUser\"=\"Hans\"", "ActiveUser", str("Hans")},
        {"escapes", Key + R"("ActiveUser"="a\"b\\c\d")", "ActiveUser", str(R"(a"b\c\d)")},
        {"escaped quote in the name", Key + R"("Act\"ive"="x")", R"(Act"ive)", str("x")},
        {"empty string", Key + "\"ActiveUser\"=\"\"", "ActiveUser", str("")},
        {"umlauts in UTF-8", Key + "\"ActiveUser\"=\"Jürgen Öß\"", "ActiveUser", str(QStringLiteral("Jürgen Öß"))},
        {"expandable string over two lines", Key + ExpandLines, "ActiveUser", expand("%USERPROFILE%\\x")},
        {"hex list over many lines", Key + "\"N\"=hex(1):48,\\\r\n" + QByteArray(" 00,\\\r\n").repeated(2) + " 00",
         "N", str("H")},
        {"REG_SZ written as hex(1)", Key + "\"ActiveUser\"=hex(1):48,00,69,00,00,00", "ActiveUser", str("Hi")},
        {"dword", Key + "\"ActiveUser\"=dword:0000002a", "ActiveUser", number(42)},
        {"dword upper case, full range", Key + "\"N\"=DWORD:FFFFFFFF", "N", number(0xFFFFFFFFu)},
        {"dword as hex(4)", Key + "\"N\"=hex(4):2a,00,00,01", "N", number(0x0100002Au)},
        {"binary", Key + "\"N\"=hex:01,02", "N", Other},
        {"multi-string", Key + "\"N\"=hex(7):41,00,00,00,00,00", "N", Other},
        {"default value", Key + "@=\"std\"", "", str("std")},
        {"names without regard to case", Key + "\"activeuser\"=\"Hans\"", "ACTIVEUSER", str("Hans")},
        {"keys without regard to case",
         "[hkey_current_user\\software\\elo digital\\ELO32.1\\options]\n\"ActiveUser\"=\"x\"", "ActiveUser", str("x")},
        {"blanks around =", Key + "\"ActiveUser\" = \"x\"", "ActiveUser", str("x")},
        {"later line wins", Key + "\"ActiveUser\"=\"a\"\n\"ActiveUser\"=dword:1", "ActiveUser", number(1)},
        {"deleted value", Key + "\"ActiveUser\"=\"a\"\n\"ActiveUser\"=-", "ActiveUser", Absent},
        {"deleted key", Key + "\"ActiveUser\"=\"a\"\n[-HKEY_CURRENT_USER\\Software\\ELO Digital]", "ActiveUser",
         Absent},
        {"deleting a key keeps keys that only begin with its name",
         Key + "\"ActiveUser\"=\"a\"\n[-HKEY_CURRENT_USER\\Software\\ELO Digital\\Elo32]\n"
               "[-HKEY_CURRENT_USER\\Software\\ELO Digital\\Elo32.1\\Options\\Sub]",
         "ActiveUser", str("a")},
        {"key written again after its parent was deleted",
         Key + "\"ActiveUser\"=\"a\"\n[-hkcu\\Software]\n" + Key + "\"B\"=\"b\"", "ActiveUser", Absent},
        {"comment lines", Key + ";\"ActiveUser\"=\"a\"\n\"B\"=\"b\"", "ActiveUser", Absent},
        {"bad line skipped, next one read", Key + "\"X\"=dword:zz\n\"ActiveUser\"=\"ok\"", "ActiveUser", str("ok")},
        {"unterminated string", Key + "\"ActiveUser\"=\"Hans", "ActiveUser", Absent},
        {"garbage after string", Key + "\"ActiveUser\"=\"Hans\" x", "ActiveUser", Absent},
        {"dword too long", Key + "\"ActiveUser\"=dword:100000000", "ActiveUser", Absent},
        {"dword empty", Key + "\"ActiveUser\"=dword:", "ActiveUser", Absent},
        {"hex(2) odd byte count", Key + "\"ActiveUser\"=hex(2):41,00,42", "ActiveUser", Absent},
        {"hex(4) short", Key + "\"ActiveUser\"=hex(4):01,02", "ActiveUser", Absent},
        {"hex byte too long", Key + "\"ActiveUser\"=hex(1):410,00", "ActiveUser", Absent},
        {"no name quotes", Key + "ActiveUser=\"Hans\"", "ActiveUser", Absent},
        {"value before any key", "\"ActiveUser\"=\"Hans\"\n" + Key, "ActiveUser", Absent},
        {"other hive", "[HKEY_LOCAL_MACHINE\\Software\\ELO Digital\\Elo32.1\\Options]\n\"ActiveUser\"=\"x\"",
         "ActiveUser", Absent},
        {"value under a sub-key", "[HKEY_CURRENT_USER\\Software\\ELO Digital\\Elo32.1\\Options\\Sub]\n\"ActiveUser\"=\"x\"",
         "ActiveUser", Absent},
        {"unterminated section hides what follows", "[HKEY_CURRENT_USER\\Software\n\"ActiveUser\"=\"x\"",
         "ActiveUser", Absent},
    };
    for (const Case &c : cases) {
        const RegistryFile file = RegistryFile::parse(Head + c.body + "\r\n");
        EXPECT_EQ(file.value(KeyPath, c.name), c.expected) << c.what;
    }
}

TEST(RegistryFile, EncodingsAndHeader)
{
    const QString user = QStringLiteral("Jürgen");
    const QByteArray utf8 = Head + Key + "\"ActiveUser\"=\"" + user.toUtf8() + "\"\r\n";
    QByteArray utf16 = "\xFF\xFE";
    const QString text = QString::fromUtf8(utf8);
    utf16.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);

    struct Case
    {
        const char *what;
        QByteArray content;
        RegistryValue expected;
    };
    const Case cases[] = {
        {"UTF-8", utf8, str(user)},
        {"UTF-8 with byte-order mark", "\xEF\xBB\xBF" + utf8, str(user)},
        {"UTF-16LE with byte-order mark", utf16, str(user)},
        {"UTF-16LE without byte-order mark is not read", utf16.mid(2), Absent},
        {"LF line ends", QByteArray(utf8).replace("\r\n", "\n"), str(user)},
        {"leading blank lines", "\r\n\r\n" + utf8, str(user)},
        {"no header", utf8.mid(Head.size()), Absent},
        {"REGEDIT4 header", "REGEDIT4\r\n" + utf8.mid(Head.size()), Absent},
        {"empty file", QByteArray(""), Absent},
        {"invalid UTF-8", Head + Key + "\"ActiveUser\"=\"\xC3\x28\xFF\"", str(QStringLiteral("\uFFFD(\uFFFD"))},
        {"only a byte-order mark", QByteArray("\xFF\xFE"), Absent},
        {"UTF-16 odd last byte", utf16 + "\x41", str(user)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(RegistryFile::parse(c.content).value(KeyPath, QStringLiteral("ActiveUser")), c.expected) << c.what;
}

TEST(UserRegistry, ReadsRegistryRegInThePlatformFolderAfresh)
{
    TempPlatformFolder folder;
    EXPECT_EQ(platformFolder(), folder.path());
    EXPECT_EQ(userRegistryPath(), folder.filePath(QStringLiteral("registry.reg")));
    const QString key = QStringLiteral("Software\\ELO Digital\\Elo32.1\\Options");

    EXPECT_EQ(readUserRegistryValue(key, QStringLiteral("ActiveUser")), Absent) << "no file";
    folder.write(QStringLiteral("registry.reg"), Head + Key + "\"ActiveUser\"=\"Anna\"\r\n");
    EXPECT_EQ(readUserRegistryValue(key, QStringLiteral("ActiveUser")), str("Anna"));
    folder.write(QStringLiteral("registry.reg"), Head + Key + "\"ActiveUser\"=\"Bert\"\r\n");
    EXPECT_EQ(readUserRegistryValue(key, QStringLiteral("ActiveUser")), str("Bert")) << "read afresh";
    EXPECT_EQ(readUserRegistryValue(QStringLiteral("Software\\Other"), QStringLiteral("ActiveUser")), Absent);

    // A folder in place of the file is a registry error, read as no value.
    folder.write(QStringLiteral("registry.reg"), QByteArray());
    QDir(folder.path()).mkdir(QStringLiteral("registry.reg"));
    EXPECT_EQ(readUserRegistryValue(key, QStringLiteral("ActiveUser")), Absent);
}

TEST(PlatformFolder, DefaultsToTheUsersConfigFolder)
{
    TempPlatformFolder folder; // restores the variable afterwards
    qputenv("BCE_PLATFORM_DIR", "");
    EXPECT_EQ(platformFolder(), QDir::homePath() + QStringLiteral("/.config/barcode-erweiterung/platform"));
    qunsetenv("BCE_PLATFORM_DIR");
    EXPECT_EQ(platformFolder(), QDir::homePath() + QStringLiteral("/.config/barcode-erweiterung/platform"));
    qputenv("BCE_PLATFORM_DIR", "/tmp/anderswo");
    EXPECT_EQ(platformFile(QStringLiteral("elo-client.json")), QStringLiteral("/tmp/anderswo/elo-client.json"));
}
