#include "base/UniqueResource.h"
#include "settings/Config.h"
#include "settings/ConfigError.h"
#include "settings/RegistryKey.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace ostrel::test {
namespace {

constexpr const char* OwnKey = "Software\\Dunmere\\Ostrel";

class ConfigStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteMakerKey();
        config.SetModuleFileName(folder.File("Ostrel.bav"));
    }
    void TearDown() override { DeleteMakerKey(); }

    std::string IniPath() const { return folder.File("Ostrel.ini"); }
    RegistryKey OwnRegistryKey() const
    {
        return *RegistryKey::Open(HKEY_CURRENT_USER, OwnKey, KEY_ALL_ACCESS, true);
    }
    void SetRaw(const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY created = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, OwnKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created,
                        nullptr);
        UniqueRegKey key(created);
        RegSetValueExA(key.get(), name, 0, type, static_cast<const BYTE*>(data), size);
    }

    TempDir folder;
    TConfig config;
};

ConfigValues SampleValues()
{
    ConfigValues values;
    values.LogAVPOutput = true;
    values.LanguageFileName = "C:\\Lang\\Deutsch.lng";
    values.EndString = "=====";
    values.AVPExeName = "C:\\Program Files\\AntiVir\\Avnt.exe";
    values.AVPScanParam = "-z";
    values.Disabled = true;
    values.AVPCureParam = "-z -e";
    values.Logging = true;
    values.LogFileName = "C:\\Logs\\ostrel.log";
    values.HelpFileName = "C:\\Help\\ostrel.hlp";
    values.MaxLogLevel = 3;
    return values;
}

void ExpectEqual(const ConfigValues& actual, const ConfigValues& expected)
{
    EXPECT_EQ(actual.LogAVPOutput, expected.LogAVPOutput);
    EXPECT_EQ(actual.LanguageFileName, expected.LanguageFileName);
    EXPECT_EQ(actual.EndString, expected.EndString);
    EXPECT_EQ(actual.AVPExeName, expected.AVPExeName);
    EXPECT_EQ(actual.AVPScanParam, expected.AVPScanParam);
    EXPECT_EQ(actual.Disabled, expected.Disabled);
    EXPECT_EQ(actual.AVPCureParam, expected.AVPCureParam);
    EXPECT_EQ(actual.Logging, expected.Logging);
    EXPECT_EQ(actual.LogFileName, expected.LogFileName);
    EXPECT_EQ(actual.HelpFileName, expected.HelpFileName);
    EXPECT_EQ(actual.MaxLogLevel, expected.MaxLogLevel);
}

TEST_F(ConfigStore, FirstLoadCreatesEmptyKeyAndKeepsDefaults)
{
    EXPECT_FALSE(config.CheckIniFile());
    config.Load();
    ExpectEqual(config.Values(), ConfigValues());
    EXPECT_TRUE(RegistryKey::Exists(HKEY_CURRENT_USER, OwnKey));
    EXPECT_FALSE(OwnRegistryKey().HasValue("AVPScanParam"));
}

TEST_F(ConfigStore, RegistryRoundTripWithValueKinds)
{
    config.Update([](ConfigValues& values) { values = SampleValues(); });
    config.Save();
    RegistryKey key = OwnRegistryKey();
    EXPECT_EQ(key.ReadInteger("ConfigVersion"), 1);
    EXPECT_EQ(key.ReadInteger("Logging"), 1);
    EXPECT_EQ(key.ReadString("EndString"), "=====");
    EXPECT_THROW(key.ReadInteger("AVPExeName"), ERegConfigError);

    TConfig reloaded;
    reloaded.Load();
    ExpectEqual(reloaded.Values(), SampleValues());
}

TEST_F(ConfigStore, RegistryReadRules)
{
    config.Update([](ConfigValues& values) {
        values.Logging = true;
        values.AVPExeName = "C:\\old.exe";
    });
    SetRaw("AVPScanParam", REG_SZ, "", 1);
    SetRaw("LanguageFileName", REG_EXPAND_SZ, "%TEMP%\\x.lng", 13);
    SetRaw("EndString", REG_SZ, "", 1);
    SetRaw("HelpFileName", REG_SZ, "C:\\a.hlp\0junk", 14);
    config.Load();
    ConfigValues values = config.Values();
    EXPECT_EQ(values.AVPScanParam, "-nomem -noboot -nombr -z");
    EXPECT_FALSE(values.Logging);
    EXPECT_EQ(values.AVPExeName, "");
    EXPECT_EQ(values.LanguageFileName, "%TEMP%\\x.lng");
    EXPECT_EQ(values.EndString, "");
    EXPECT_EQ(values.HelpFileName, "C:\\a.hlp");
}

TEST_F(ConfigStore, WrongRegistryKindRaisesAndChangesNothing)
{
    SetRaw("AVPExeName", REG_SZ, "C:\\new.exe", 11);
    DWORD two = 2;
    SetRaw("LogFileName", REG_DWORD, &two, sizeof two);
    SetRaw("Logging", REG_SZ, "1", 2);  // read after the file names: not the one named
    try {
        config.Load();
        FAIL() << "no error";
    } catch (const ERegConfigError& error) {
        EXPECT_EQ(error.Message(), "Ungültiger Datentyp für 'LogFileName'");
    }
    EXPECT_EQ(config.Values().AVPExeName, "");

    RegDeleteKeyA(HKEY_CURRENT_USER, OwnKey);
    SetRaw("MaxLogLevel", REG_BINARY, "\1\0\0\0", 4);
    EXPECT_THROW(config.Load(), ERegConfigError);
}

TEST_F(ConfigStore, IniBesideModuleTakesOverRegistry)
{
    config.Update([](ConfigValues& values) { values = SampleValues(); });
    config.Save();
    RegistryKey::Open(HKEY_CURRENT_USER, "Software\\Dunmere\\Ostrel\\Sub", KEY_ALL_ACCESS, true);
    WriteFileBytes(IniPath(), "");

    TConfig migrated;
    migrated.SetModuleFileName(folder.File("Ostrel.bav"));
    migrated.Load();
    EXPECT_TRUE(migrated.UseIniFile());
    ExpectEqual(migrated.Values(), SampleValues());
    EXPECT_FALSE(RegistryKey::Exists(HKEY_CURRENT_USER, "Software\\Dunmere"));
    // The settings are in the file at once: a restart without Save keeps them.
    EXPECT_EQ(ReadFileBytes(IniPath()),
              "[Data]\r\n"
              "AVPExeName=C:\\Program Files\\AntiVir\\Avnt.exe\r\n"
              "AVPScanParam=-z\r\n"
              "AVPCureParam=-z -e\r\n"
              "Logging=1\r\n"
              "LogFileName=C:\\Logs\\ostrel.log\r\n"
              "HelpFileName=C:\\Help\\ostrel.hlp\r\n"
              "Disabled=1\r\n"
              "MaxLogLevel=3\r\n"
              "LogAVPOutput=1\r\n"
              "LanguageFileName=C:\\Lang\\Deutsch.lng\r\n"
              "EndString======\r\n");
    TConfig restarted;
    restarted.SetModuleFileName(folder.File("Ostrel.bav"));
    restarted.Load();
    ExpectEqual(restarted.Values(), SampleValues());
}

TEST_F(ConfigStore, MigrationThatCannotWriteTheIniKeepsTheKey)
{
    SetRaw("AVPExeName", REG_SZ, "C:\\a.exe", 9);
    WriteFileBytes(IniPath(), "[Data]\r\nLogging=1\r\n");
    {
        // Open for reading, shared only for reading: the file can be read, not written.
        UniqueFile reader(CreateFileA(IniPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(reader);
        EXPECT_THROW(config.Load(), ERegConfigError);
    }
    EXPECT_TRUE(RegistryKey::Exists(HKEY_CURRENT_USER, OwnKey));
    // The values the file already had still win over the registry's.
    EXPECT_TRUE(config.Values().Logging);
    EXPECT_EQ(config.Values().AVPExeName, "C:\\a.exe");

    config.Load();
    EXPECT_FALSE(RegistryKey::Exists(HKEY_CURRENT_USER, OwnKey));
    EXPECT_NE(ReadFileBytes(IniPath()).find("AVPExeName=C:\\a.exe\r\n"), std::string::npos);

    // The empty key a first run leaves has nothing to move: no write, no error.
    RegistryKey::Open(HKEY_CURRENT_USER, OwnKey, KEY_ALL_ACCESS, true);
    const std::string before = ReadFileBytes(IniPath());
    UniqueFile reader(CreateFileA(IniPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_NO_THROW(config.Load());
    EXPECT_FALSE(RegistryKey::Exists(HKEY_CURRENT_USER, OwnKey));
    EXPECT_EQ(ReadFileBytes(IniPath()), before);
    EXPECT_EQ(config.Values().AVPExeName, "C:\\a.exe");
}

TEST_F(ConfigStore, MigrationKeepsMakerKeyWithOtherProducts)
{
    RegistryKey::Open(HKEY_CURRENT_USER, "Software\\Dunmere\\Other", KEY_ALL_ACCESS, true);
    SetRaw("AVPExeName", REG_SZ, "C:\\a.exe", 9);
    WriteFileBytes(IniPath(), "[Data]\r\n");
    config.Load();
    EXPECT_EQ(config.Values().AVPExeName, "C:\\a.exe");
    EXPECT_FALSE(RegistryKey::Exists(HKEY_CURRENT_USER, OwnKey));
    EXPECT_TRUE(RegistryKey::Exists(HKEY_CURRENT_USER, "Software\\Dunmere\\Other"));
}

TEST_F(ConfigStore, IniReadRules)
{
    WriteFileBytes(IniPath(), "[DATA]\r\n"
                              "maxloglevel=0x10\r\n"
                              "Disabled=2\r\n"
                              "Logging=abc\r\n"
                              "AVPExeName =  \"C:\\Program Files\\Avnt.exe\"  \r\n"
                              "AVPExeName=C:\\second.exe\r\n"
                              "AVPScanParam=\r\n"
                              "EndString=\r\n"
                              "LogFileName=" + std::string(3000, 'L') + "\r\n");
    config.Update([](ConfigValues& values) { values.Logging = true; });
    config.Load();
    ConfigValues values = config.Values();
    EXPECT_EQ(values.MaxLogLevel, 16);
    EXPECT_TRUE(values.Disabled);
    EXPECT_TRUE(values.Logging);
    EXPECT_EQ(values.AVPExeName, "C:\\Program Files\\Avnt.exe");
    EXPECT_EQ(values.AVPScanParam, "");
    EXPECT_EQ(values.EndString, "");
    EXPECT_EQ(values.LogFileName, std::string(2047, 'L'));
    EXPECT_EQ(values.AVPCureParam, "-nomem -noboot -nombr -z -e");
}

TEST_F(ConfigStore, UnwritableIniRaisesAndKeepsSettings)
{
    WriteFileBytes(IniPath(), "[Data]\r\nAVPExeName=C:\\a.exe\r\n");
    config.Load();
    // Held open without sharing, as an editor or a scanner might hold it.
    UniqueFile holder(CreateFileA(IniPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    config.Update([](ConfigValues& values) { values.MaxLogLevel = 2; });
    try {
        config.Save();
        FAIL() << "no error";
    } catch (const ERegConfigError& error) {
        EXPECT_EQ(error.Message(), "In " + IniPath() + " kann nicht geschrieben werden");
    }
    EXPECT_EQ(config.Values().AVPExeName, "C:\\a.exe");
    EXPECT_EQ(config.Values().MaxLogLevel, 2);
}

TEST_F(ConfigStore, KeyThatCannotBeMadeRaisesAndKeepsSettings)
{
    ASSERT_TRUE(MakeVolatileMakerKey());
    config.Update([](ConfigValues& values) { values = SampleValues(); });
    try {
        config.Save();
        FAIL() << "no error";
    } catch (const ERegConfigError& error) {
        EXPECT_EQ(error.Message(), "In HKEY_CURRENT_USER\\Software\\Dunmere\\Ostrel kann nicht geschrieben werden");
    }
    ExpectEqual(config.Values(), SampleValues());
    EXPECT_FALSE(RegistryKey::Exists(HKEY_CURRENT_USER, OwnKey));
}

TEST_F(ConfigStore, NoModuleNameMeansRegistry)
{
    TConfig bare;
    EXPECT_FALSE(bare.CheckIniFile());
    TRegConfig base;
    try {
        base.Load();
        FAIL() << "no error";
    } catch (const ERegConfigError& error) {
        EXPECT_EQ(error.Message(), "Die Methode Load von TRegConfig muss überschrieben werden");
    }
    EXPECT_THROW(base.Save(), ERegConfigError);
}

}  // namespace
}  // namespace ostrel::test
