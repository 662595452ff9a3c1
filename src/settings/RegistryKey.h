#pragma once

#include "base/UniqueResource.h"

#include <cstdint>
#include <optional>
#include <string>

namespace ostrel {

// One open registry key. Values of the wrong kind raise ERegConfigError
// naming the value.
class RegistryKey {
public:
    // Empty when the key cannot be opened (or created, when asked to).
    static std::optional<RegistryKey> Open(HKEY root, const std::string& path, REGSAM access,
                                           bool create);
    static bool Exists(HKEY root, const std::string& path);
    // Deletes the key and everything below it, the last subkey first.
    static void DeleteTree(HKEY root, const std::string& path);

    bool HasValue(const std::string& name) const;
    bool HasSubKeys() const;

    // REG_SZ or REG_EXPAND_SZ, unexpanded, up to its first zero character.
    std::string ReadString(const std::string& name) const;
    // REG_DWORD.
    int32_t ReadInteger(const std::string& name) const;

    void WriteString(const std::string& name, const std::string& value);
    void WriteInteger(const std::string& name, int32_t value);

private:
    explicit RegistryKey(HKEY key) : key_(key) {}

    UniqueRegKey key_;
};

}  // namespace ostrel
