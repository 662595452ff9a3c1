#pragma once

#include "base/CriticalSection.h"
#include "settings/ConfigValues.h"
#include "settings/RegConfig.h"

#include <cstdint>
#include <functional>
#include <string>

namespace ostrel {

// The plug-in's settings: in "<module>.ini" (section "Data") once that file
// exists beside the module, else under HKCU\Software\Dunmere\Ostrel.
// The host calls the plug-in from several threads, so every access locks.
class TConfig : public TRegConfig {
public:
    TConfig();

    ConfigValues Values() const;
    void Update(const std::function<void(ConfigValues&)>& change);

    std::string ModuleFileName() const;
    void SetModuleFileName(std::string path);
    std::string IniFileName() const;
    bool UseIniFile() const;

    bool CheckIniFile();
    void Load() override;
    void Save() override;

private:
    bool RegistryKeyExists();
    // True when the key held any value.
    bool LoadFromRegistry(ConfigValues& values);
    void LoadFromIni(ConfigValues& values) const;
    void SaveToRegistry();
    void SaveToIni();
    void RemoveRegistryKey();

    mutable CriticalSection lock_;
    ConfigValues values_;
    bool useIniFile_ = false;
    std::string moduleFileName_;
};

}  // namespace ostrel
