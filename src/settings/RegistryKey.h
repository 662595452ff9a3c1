#pragma once

#include "base/UniqueResource.h"

#include <cstdint>
#include <initializer_list>
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
    // Another program's key under HKEY_LOCAL_MACHINE\Software may sit in the
    // other registry view of a 64-bit Windows, as a 32-bit program keeps it
    // apart from a 64-bit one: the first of `paths` that opens in this
    // module's own view, else the first that opens in the other view.
    static std::optional<RegistryKey> OpenFirstInEitherView(HKEY root,
                                                            std::initializer_list<const char*> paths,
                                                            REGSAM access);
    static bool Exists(HKEY root, const std::string& path);
    // Deletes the key and everything below it, the last subkey first, in the
    // given view (0 for this module's own). What cannot be listed or deleted
    // is left in place.
    static void DeleteTree(HKEY root, const std::string& path, REGSAM view = 0);

    bool HasValue(const std::string& name) const;
    // A key whose counts cannot be read is taken to hold subkeys and values,
    // so nothing is deleted or left unmoved on its account.
    bool HasSubKeys() const;
    bool HasValues() const;

    // REG_SZ or REG_EXPAND_SZ, unexpanded, up to its first zero character.
    std::string ReadString(const std::string& name) const;
    // REG_DWORD.
    int32_t ReadInteger(const std::string& name) const;

    void WriteString(const std::string& name, const std::string& value);
    void WriteInteger(const std::string& name, int32_t value);

private:
    explicit RegistryKey(HKEY key) : key_(key) {}

    static void DeleteSubTree(HKEY parent, const std::string& name);

    UniqueRegKey key_;
};

// A key as users know it: "HKEY_CURRENT_USER\\Software\\...". A root that
// is no predefined key is left out.
std::string KeyDisplayName(HKEY root, const std::string& path);

// The registry view that is not this module's: the 32-bit one for a 64-bit
// build and the other way round. A 32-bit Windows ignores the flag.
REGSAM OtherRegistryView();

}  // namespace ostrel
