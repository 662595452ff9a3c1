#include "settings/IniFile.h"

#include "settings/ConfigError.h"
#include "settings/StoredValue.h"

#include <windows.h>

namespace ostrel {

namespace {

constexpr DWORD ProfileBufferSize = 2048;

}  // namespace

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& fallback) const
{
    char buffer[ProfileBufferSize];
    DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer,
                                            ProfileBufferSize, path_.c_str());
    return std::string(buffer, length);
}

int32_t IniFile::ReadInteger(const std::string& section, const std::string& key,
                             int32_t fallback) const
{
    return ParseStoredInteger(ReadString(section, key, ""), fallback);
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool fallback) const
{
    return ParseStoredBoolean(ReadString(section, key, ""), fallback);
}

void IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value)
{
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str())) {
        throw CannotWriteError(path_);
    }
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int32_t value)
{
    WriteString(section, key, StoredIntegerText(value));
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value)
{
    WriteString(section, key, StoredBooleanText(value));
}

}  // namespace ostrel
