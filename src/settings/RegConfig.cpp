#include "settings/RegConfig.h"

#include "base/FilePath.h"
#include "base/FileSystem.h"
#include "settings/ConfigError.h"

namespace ostrel {

void TRegConfig::Load()
{
    throw ERegConfigError("Die Methode Load von TRegConfig muss überschrieben werden");
}

void TRegConfig::Save()
{
    throw ERegConfigError("Die Methode Save von TRegConfig muss überschrieben werden");
}

HKEY TRegConfig::RootKey()
{
    if (rootKey_ == nullptr) {
        rootKey_ = HKEY_CURRENT_USER;
    }
    return rootKey_;
}

const std::string& TRegConfig::KeyPath()
{
    if (keyPath_.empty()) {
        keyPath_ = "Software\\Dunmere\\" + ChangeFileExt(ExtractFileName(ModuleFileName(nullptr)), "");
    }
    return keyPath_;
}

}  // namespace ostrel
