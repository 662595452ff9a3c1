#pragma once

#include "sysinfo/VersionBlock.h"

#include <functional>
#include <string>

namespace ostrel {

// Reads the version resource of an executable file and shows its fields as
// texts. Every write of FileName, Language or CharacterSet reads the file
// again, so the texts never describe an earlier file or string table.
class TKxVersionResource {
public:
    using ChangeEvent = std::function<void(TKxVersionResource& sender)>;

    // Reads the process's main executable.
    TKxVersionResource();
    // Reads fileName straight away, without reading the main executable first.
    explicit TKxVersionResource(std::string fileName);

    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string fileName);
    // Whether FileName differs from the main executable's path, letter case
    // included; only such a name is worth saving with the settings.
    bool FileNameStored() const { return fileNameStored_; }

    TLanguage Language() const { return language_; }
    void SetLanguage(TLanguage language);
    TCharacterSet CharacterSet() const { return characterSet_; }
    void SetCharacterSet(TCharacterSet characterSet);

    const TKxVersionInfo& VersionInfo() const { return versionInfo_; }

    // Called after each property write, not on construction.
    ChangeEvent OnChange;

    // Clears the texts and fills them again from FileName's version block;
    // a file that is missing, unreadable or without one leaves them empty.
    void ReadVersionInfo();

private:
    void Changed();

    bool fileNameStored_ = false;
    std::string fileName_;
    TLanguage language_ = TLanguage::lnUSEnglish;
    TCharacterSet characterSet_ = TCharacterSet::csMultilingual;
    TKxVersionInfo versionInfo_;
};

// The file version of a file as four decimal numbers joined by dots, or
// empty when it has none or cannot be read. Never raises.
std::string GetFileVersion(const std::string& path) noexcept;

}  // namespace ostrel
