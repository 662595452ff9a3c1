#include "settings/RegistryKey.h"

#include "base/Format.h"
#include "settings/ConfigError.h"

#include <vector>

namespace ostrel {

namespace {

[[noreturn]] void RaiseWrongType(const std::string& name)
{
    throw ERegConfigError(Format("Ungültiger Datentyp für '%s'", {name}));
}

[[noreturn]] void RaiseWriteError(const std::string& name)
{
    throw ERegConfigError(Format("Fehler beim Setzen der Daten für '%s'", {name}));
}

}  // namespace

std::optional<RegistryKey> RegistryKey::Open(HKEY root, const std::string& path, REGSAM access,
                                             bool create)
{
    HKEY key = nullptr;
    LONG status = create ? RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           access, nullptr, &key, nullptr)
                         : RegOpenKeyExA(root, path.c_str(), 0, access, &key);
    if (status != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return RegistryKey(key);
}

std::optional<RegistryKey> RegistryKey::OpenFirstInEitherView(HKEY root,
                                                              std::initializer_list<const char*> paths,
                                                              REGSAM access)
{
    for (REGSAM view : {REGSAM{0}, OtherRegistryView()}) {
        for (const char* path : paths) {
            if (std::optional<RegistryKey> key = Open(root, path, access | view, false)) {
                return key;
            }
        }
    }
    return std::nullopt;
}

bool RegistryKey::Exists(HKEY root, const std::string& path)
{
    return Open(root, path, KEY_READ, false).has_value();
}

void RegistryKey::DeleteTree(HKEY root, const std::string& path, REGSAM view)
{
    // Deleting relative to the parent keeps the parent's view; RegDeleteKeyA
    // with a full path would always use this module's own.
    std::size_t split = path.rfind('\\');
    if (split == std::string::npos) {
        DeleteSubTree(root, path);
        return;
    }
    if (std::optional<RegistryKey> parent = Open(root, path.substr(0, split), KEY_READ | KEY_WRITE | view, false)) {
        DeleteSubTree(parent->key_.get(), path.substr(split + 1));
    }
}

void RegistryKey::DeleteSubTree(HKEY parent, const std::string& name)
{
    std::optional<RegistryKey> key = Open(parent, name, KEY_READ | KEY_WRITE, false);
    if (!key) {
        return;
    }
    DWORD subKeyCount = 0;
    DWORD maxNameLength = 0;
    if (RegQueryInfoKeyA(key->key_.get(), nullptr, nullptr, nullptr, &subKeyCount, &maxNameLength, nullptr,
                         nullptr, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        return;
    }
    std::vector<char> subKeyName(maxNameLength + 1);
    for (DWORD index = subKeyCount; index-- > 0;) {
        DWORD length = static_cast<DWORD>(subKeyName.size());
        // A subkey that cannot be named stays, and so does this key.
        if (RegEnumKeyExA(key->key_.get(), index, subKeyName.data(), &length, nullptr, nullptr, nullptr,
                          nullptr) == ERROR_SUCCESS) {
            DeleteSubTree(key->key_.get(), std::string(subKeyName.data(), length));
        }
    }
    key.reset();
    // Unchecked: the callers delete what they have already moved or no
    // longer need, and a key left behind is met again at the next start.
    RegDeleteKeyA(parent, name.c_str());
}

bool RegistryKey::HasValue(const std::string& name) const
{
    return RegQueryValueExA(key_.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

bool RegistryKey::HasSubKeys() const
{
    DWORD subKeyCount = 0;
    return RegQueryInfoKeyA(key_.get(), nullptr, nullptr, nullptr, &subKeyCount, nullptr, nullptr, nullptr,
                            nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
           subKeyCount > 0;
}

bool RegistryKey::HasValues() const
{
    DWORD valueCount = 0;
    return RegQueryInfoKeyA(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &valueCount,
                            nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
           valueCount > 0;
}

std::string RegistryKey::ReadString(const std::string& name) const
{
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        RaiseWrongType(name);
    }
    // The value may grow between the two calls; ask again until it fits.
    std::vector<char> data;
    LONG status = ERROR_MORE_DATA;
    while (status == ERROR_MORE_DATA) {
        data.resize(size + 1);
        size = static_cast<DWORD>(data.size());
        status = RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(data.data()), &size);
    }
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        RaiseWrongType(name);
    }
    data.resize(size);
    return std::string(data.data(), strnlen(data.data(), data.size()));
}

int32_t RegistryKey::ReadInteger(const std::string& name) const
{
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value) {
        RaiseWrongType(name);
    }
    return static_cast<int32_t>(value);
}

void RegistryKey::WriteString(const std::string& name, const std::string& value)
{
    if (RegSetValueExA(key_.get(), name.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS) {
        RaiseWriteError(name);
    }
}

void RegistryKey::WriteInteger(const std::string& name, int32_t value)
{
    DWORD data = static_cast<DWORD>(value);
    if (RegSetValueExA(key_.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                       sizeof data) != ERROR_SUCCESS) {
        RaiseWriteError(name);
    }
}

std::string KeyDisplayName(HKEY root, const std::string& path)
{
    if (root == HKEY_CURRENT_USER) {
        return "HKEY_CURRENT_USER\\" + path;
    }
    if (root == HKEY_LOCAL_MACHINE) {
        return "HKEY_LOCAL_MACHINE\\" + path;
    }
    return path;
}

REGSAM OtherRegistryView()
{
    return sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
}

}  // namespace ostrel
