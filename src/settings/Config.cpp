#include "settings/Config.h"

#include "base/FilePath.h"
#include "base/FileSystem.h"
#include "settings/ConfigError.h"
#include "settings/IniFile.h"
#include "settings/RegistryKey.h"
#include "settings/SettingsTable.h"

#include <optional>
#include <variant>

namespace ostrel {

namespace {

constexpr const char* OwnKeyPath = "Software\\Dunmere\\Ostrel";
constexpr const char* MakerKeyPath = "Software\\Dunmere";
constexpr const char* IniSection = "Data";
constexpr REGSAM ReadWrite = KEY_READ | KEY_WRITE;

// One value of the registry store into its setting, by the setting's rule.
void ReadSetting(const RegistryKey& key, const SettingInfo& setting, ConfigValues& values)
{
    const bool present = key.HasValue(setting.key);
    if (auto text = std::get_if<std::string ConfigValues::*>(&setting.field)) {
        std::string value = present ? key.ReadString(setting.key) : "";
        const bool take = setting.registryRead == RegistryRead::EmptyWhenMissing ||
                          (setting.registryRead == RegistryRead::UnlessEmpty && !value.empty()) ||
                          (setting.registryRead == RegistryRead::IfPresent && present);
        if (take) {
            values.*(*text) = std::move(value);
        }
    } else if (auto flag = std::get_if<bool ConfigValues::*>(&setting.field)) {
        if (present || setting.registryRead == RegistryRead::FalseWhenMissing) {
            values.*(*flag) = present && key.ReadInteger(setting.key) != 0;
        }
    } else if (present) {
        values.*std::get<int32_t ConfigValues::*>(setting.field) = key.ReadInteger(setting.key);
    }
}

// A setting of each kind in and out of the ini file and the registry.
void ReadIni(const IniFile& ini, const char* key, std::string& value)
{
    value = ini.ReadString(IniSection, key, value);
}

void ReadIni(const IniFile& ini, const char* key, bool& value)
{
    value = ini.ReadBool(IniSection, key, value);
}

void ReadIni(const IniFile& ini, const char* key, int32_t& value)
{
    value = ini.ReadInteger(IniSection, key, value);
}

void WriteIni(IniFile& ini, const char* key, const std::string& value)
{
    ini.WriteString(IniSection, key, value);
}

void WriteIni(IniFile& ini, const char* key, bool value)
{
    ini.WriteBool(IniSection, key, value);
}

void WriteIni(IniFile& ini, const char* key, int32_t value)
{
    ini.WriteInteger(IniSection, key, value);
}

void WriteRegistry(RegistryKey& key, const char* name, const std::string& value)
{
    key.WriteString(name, value);
}

void WriteRegistry(RegistryKey& key, const char* name, int32_t value)
{
    key.WriteInteger(name, value);
}

void WriteRegistry(RegistryKey& key, const char* name, bool value)
{
    key.WriteInteger(name, value ? 1 : 0);
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
// before the key goes: a failed write keeps the key and raises. An empty
// key, as every first run without an ini file leaves it, has nothing to
// move, so a read-only ini file beside it is no error.
void TConfig::Load()
{
    CriticalSectionLock guard(lock_);
    ConfigValues loaded = values_;
    CheckIniFile();
    const bool migrate = useIniFile_ && RegistryKeyExists();
    bool registryHeldValues = false;
    if (!useIniFile_ || migrate) {
        registryHeldValues = LoadFromRegistry(loaded);
    }
    if (useIniFile_) {
        LoadFromIni(loaded);
    }
    values_ = std::move(loaded);
    if (migrate) {
        if (registryHeldValues) {
            SaveToIni();
        }
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

bool TConfig::LoadFromRegistry(ConfigValues& values)
{
    std::optional<RegistryKey> key = RegistryKey::Open(RootKey(), KeyPath(), ReadWrite, true);
    if (!key) {
        return false;
    }
    for (const SettingInfo* setting : RegistryOrder) {
        ReadSetting(*key, *setting, values);
    }
    return key->HasValues();
}

void TConfig::LoadFromIni(ConfigValues& values) const
{
    IniFile ini(IniFileName());
    for (const SettingInfo& setting : Settings) {
        std::visit([&](auto field) { ReadIni(ini, setting.key, values.*field); }, setting.field);
    }
}

void TConfig::SaveToRegistry()
{
    std::optional<RegistryKey> key = RegistryKey::Open(RootKey(), KeyPath(), ReadWrite, true);
    if (!key) {
        throw CannotWriteError(KeyDisplayName(RootKey(), KeyPath()));
    }
    key->WriteInteger("ConfigVersion", ConfigVersion());
    for (const SettingInfo* setting : RegistryOrder) {
        std::visit([&](auto field) { WriteRegistry(*key, setting->key, values_.*field); }, setting->field);
    }
}

void TConfig::SaveToIni()
{
    IniFile ini(IniFileName());
    for (const SettingInfo& setting : Settings) {
        std::visit([&](auto field) { WriteIni(ini, setting.key, values_.*field); }, setting.field);
    }
}

void TConfig::RemoveRegistryKey()
{
    HKEY root = RootKey();
    RegistryKey::DeleteTree(root, KeyPath());
    std::optional<RegistryKey> maker = RegistryKey::Open(root, MakerKeyPath, ReadWrite, false);
    if (maker && !maker->HasSubKeys()) {
        maker.reset();
        // Unchecked: an empty key left behind holds nothing and harms nothing.
        RegDeleteKeyA(root, MakerKeyPath);
    }
}

}  // namespace ostrel
