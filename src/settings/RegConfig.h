#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace ostrel {

class TBaseConfig {
public:
    TBaseConfig() = default;
    virtual ~TBaseConfig() = default;
    TBaseConfig(const TBaseConfig&) = delete;
    TBaseConfig& operator=(const TBaseConfig&) = delete;

    int32_t ConfigVersion() const { return configVersion_; }

protected:
    void SetConfigVersion(int32_t version) { configVersion_ = version; }

private:
    int32_t configVersion_ = 1;
};

// Settings kept under a registry key; subclasses say what is stored.
class TRegConfig : public TBaseConfig {
public:
    virtual void Load();
    virtual void Save();

    // HKEY_CURRENT_USER unless set.
    HKEY RootKey();
    void SetRootKey(HKEY root) { rootKey_ = root; }
    // "Software\Dunmere\" and the host executable's name unless set.
    const std::string& KeyPath();
    void SetKeyPath(std::string path) { keyPath_ = std::move(path); }

private:
    HKEY rootKey_ = nullptr;
    std::string keyPath_;
};

}  // namespace ostrel
