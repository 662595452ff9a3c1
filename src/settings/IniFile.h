#pragma once

#include <cstdint>
#include <string>

namespace ostrel {

// An ini file through the system's profile functions, with their rules:
// names match without regard to case, the first of duplicate keys wins,
// blanks and enclosing quotes are dropped, a value is cut at 2047 characters.
class IniFile {
public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& fallback) const;
    // Present but unparsable or empty values give back the fallback.
    int32_t ReadInteger(const std::string& section, const std::string& key, int32_t fallback) const;
    bool ReadBool(const std::string& section, const std::string& key, bool fallback) const;

    // Raise ERegConfigError when the file cannot be written.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int32_t value);
    void WriteBool(const std::string& section, const std::string& key, bool value);

private:
    std::string path_;
};

}  // namespace ostrel
