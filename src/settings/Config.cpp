#include "settings/Config.h"

#include "base/FilePath.h"
#include "base/FileSystem.h"
#include "settings/IniFile.h"
#include "settings/RegistryKey.h"

#include <optional>

namespace ostrel {

namespace {

constexpr const char* OwnKeyPath = "Software\\Dunmere\\Ostrel";
constexpr const char* MakerKeyPath = "Software\\Dunmere";
constexpr const char* IniSection = "Data";
constexpr REGSAM ReadWrite = KEY_READ | KEY_WRITE;

// A string value that is present but empty keeps the current setting.
void ReadUnlessEmpty(const RegistryKey& key, const char* name, std::string& setting)
{
    if (key.HasValue(name)) {
        std::string value = key.ReadString(name);
        if (!value.empty()) {
            setting = std::move(value);
        }
    }
}

void ReadIfPresent(const RegistryKey& key, const char* name, std::string& setting)
{
    if (key.HasValue(name)) {
        setting = key.ReadString(name);
    }
}

void ReadIfPresent(const RegistryKey& key, const char* name, int32_t& setting)
{
    if (key.HasValue(name)) {
        setting = key.ReadInteger(name);
    }
}

void ReadIfPresent(const RegistryKey& key, const char* name, bool& setting)
{
    if (key.HasValue(name)) {
        setting = key.ReadInteger(name) != 0;
    }
}

}  // namespace

TConfig::TConfig()
{
    SetConfigVersion(1);
    SetRootKey(HKEY_CURRENT_USER);
    SetKeyPath(OwnKeyPath);
}

ConfigValues TConfig::Values() const
{
    CriticalSectionLock guard(lock_);
    return values_;
}

void TConfig::Update(const std::function<void(ConfigValues&)>& change)
{
    CriticalSectionLock guard(lock_);
    change(values_);
}

std::string TConfig::ModuleFileName() const
{
    CriticalSectionLock guard(lock_);
    return moduleFileName_;
}

void TConfig::SetModuleFileName(std::string path)
{
    CriticalSectionLock guard(lock_);
    moduleFileName_ = std::move(path);
}

std::string TConfig::IniFileName() const
{
    CriticalSectionLock guard(lock_);
    return ChangeFileExt(moduleFileName_, ".ini");
}

bool TConfig::UseIniFile() const
{
    CriticalSectionLock guard(lock_);
    return useIniFile_;
}

bool TConfig::CheckIniFile()
{
    CriticalSectionLock guard(lock_);
    useIniFile_ = !moduleFileName_.empty() && FileExists(IniFileName());
    return useIniFile_;
}

// Reads into a copy, so a value of the wrong kind leaves every setting as it was.
// Settings that move from the registry into the ini file are written there
// before the key goes: a failed write keeps the key and raises.
void TConfig::Load()
{
    CriticalSectionLock guard(lock_);
    ConfigValues loaded = values_;
    CheckIniFile();
    const bool migrate = useIniFile_ && RegistryKeyExists();
    if (!useIniFile_ || migrate) {
        LoadFromRegistry(loaded);
    }
    if (useIniFile_) {
        LoadFromIni(loaded);
    }
    values_ = std::move(loaded);
    if (migrate) {
        SaveToIni();
        RemoveRegistryKey();
    }
}

void TConfig::Save()
{
    CriticalSectionLock guard(lock_);
    if (useIniFile_) {
        SaveToIni();
    } else {
        SaveToRegistry();
    }
}

bool TConfig::RegistryKeyExists()
{
    return RegistryKey::Exists(RootKey(), KeyPath());
}

void TConfig::LoadFromRegistry(ConfigValues& values)
{
    std::optional<RegistryKey> key = RegistryKey::Open(RootKey(), KeyPath(), ReadWrite, true);
    if (!key) {
        return;
    }
    values.AVPExeName = key->HasValue("AVPExeName") ? key->ReadString("AVPExeName") : "";
    ReadUnlessEmpty(*key, "AVPScanParam", values.AVPScanParam);
    ReadUnlessEmpty(*key, "AVPCureParam", values.AVPCureParam);
    ReadUnlessEmpty(*key, "LogFileName", values.LogFileName);
    ReadUnlessEmpty(*key, "HelpFileName", values.HelpFileName);
    values.Logging = key->HasValue("Logging") && key->ReadInteger("Logging") != 0;
    values.Disabled = key->HasValue("Disabled") && key->ReadInteger("Disabled") != 0;
    ReadIfPresent(*key, "MaxLogLevel", values.MaxLogLevel);
    ReadIfPresent(*key, "LogAVPOutput", values.LogAVPOutput);
    ReadIfPresent(*key, "LanguageFileName", values.LanguageFileName);
    ReadIfPresent(*key, "EndString", values.EndString);
}

void TConfig::LoadFromIni(ConfigValues& values) const
{
    IniFile ini(IniFileName());
    values.AVPExeName = ini.ReadString(IniSection, "AVPExeName", values.AVPExeName);
    values.AVPScanParam = ini.ReadString(IniSection, "AVPScanParam", values.AVPScanParam);
    values.AVPCureParam = ini.ReadString(IniSection, "AVPCureParam", values.AVPCureParam);
    values.Logging = ini.ReadBool(IniSection, "Logging", values.Logging);
    values.LogFileName = ini.ReadString(IniSection, "LogFileName", values.LogFileName);
    values.HelpFileName = ini.ReadString(IniSection, "HelpFileName", values.HelpFileName);
    values.Disabled = ini.ReadBool(IniSection, "Disabled", values.Disabled);
    values.MaxLogLevel = ini.ReadInteger(IniSection, "MaxLogLevel", values.MaxLogLevel);
    values.LogAVPOutput = ini.ReadBool(IniSection, "LogAVPOutput", values.LogAVPOutput);
    values.LanguageFileName = ini.ReadString(IniSection, "LanguageFileName", values.LanguageFileName);
    values.EndString = ini.ReadString(IniSection, "EndString", values.EndString);
}

void TConfig::SaveToRegistry()
{
    std::optional<RegistryKey> key = RegistryKey::Open(RootKey(), KeyPath(), ReadWrite, true);
    if (!key) {
        return;
    }
    key->WriteInteger("ConfigVersion", ConfigVersion());
    key->WriteString("AVPExeName", values_.AVPExeName);
    key->WriteString("AVPScanParam", values_.AVPScanParam);
    key->WriteString("AVPCureParam", values_.AVPCureParam);
    key->WriteString("LogFileName", values_.LogFileName);
    key->WriteString("HelpFileName", values_.HelpFileName);
    key->WriteInteger("Logging", values_.Logging ? 1 : 0);
    key->WriteInteger("Disabled", values_.Disabled ? 1 : 0);
    key->WriteInteger("MaxLogLevel", values_.MaxLogLevel);
    key->WriteInteger("LogAVPOutput", values_.LogAVPOutput ? 1 : 0);
    key->WriteString("LanguageFileName", values_.LanguageFileName);
    key->WriteString("EndString", values_.EndString);
}

void TConfig::SaveToIni()
{
    IniFile ini(IniFileName());
    ini.WriteString(IniSection, "AVPExeName", values_.AVPExeName);
    ini.WriteString(IniSection, "AVPScanParam", values_.AVPScanParam);
    ini.WriteString(IniSection, "AVPCureParam", values_.AVPCureParam);
    ini.WriteBool(IniSection, "Logging", values_.Logging);
    ini.WriteString(IniSection, "LogFileName", values_.LogFileName);
    ini.WriteString(IniSection, "HelpFileName", values_.HelpFileName);
    ini.WriteBool(IniSection, "Disabled", values_.Disabled);
    ini.WriteInteger(IniSection, "MaxLogLevel", values_.MaxLogLevel);
    ini.WriteBool(IniSection, "LogAVPOutput", values_.LogAVPOutput);
    ini.WriteString(IniSection, "LanguageFileName", values_.LanguageFileName);
    ini.WriteString(IniSection, "EndString", values_.EndString);
}

void TConfig::RemoveRegistryKey()
{
    HKEY root = RootKey();
    RegistryKey::DeleteTree(root, KeyPath());
    std::optional<RegistryKey> maker = RegistryKey::Open(root, MakerKeyPath, ReadWrite, false);
    if (maker && !maker->HasSubKeys()) {
        maker.reset();
        RegDeleteKeyA(root, MakerKeyPath);
    }
}

}  // namespace ostrel
