#include "sysinfo/KxVersion.h"

#include "base/FileSystem.h"

#include <windows.h>

#include <cstring>
#include <utility>
#include <vector>

namespace ostrel {

namespace {

std::string MainExecutable()
{
    return ModuleFileName(nullptr);
}

// A block copied by GetFileVersionInfoA. VerQueryValueA converts string
// values to the ANSI code page in the block's spare second half.
class LoadedVersionBlock : public TVersionBlock {
public:
    explicit LoadedVersionBlock(std::vector<char> data) : data_(std::move(data)) {}

    std::optional<TFixedVersion> FixedInfo() const override
    {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(data_.data(), "\\", &value, &length) || value == nullptr ||
            length < sizeof(VS_FIXEDFILEINFO)) {
            return std::nullopt;
        }
        const auto& fixed = *static_cast<const VS_FIXEDFILEINFO*>(value);
        return TFixedVersion{fixed.dwFileVersionMS,    fixed.dwFileVersionLS,
                             fixed.dwProductVersionMS, fixed.dwProductVersionLS,
                             fixed.dwFileOS,           fixed.dwFileType,
                             fixed.dwFileSubtype};
    }

    std::optional<std::string> Value(const std::string& subBlock) const override
    {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(data_.data(), subBlock.c_str(), &value, &length) || value == nullptr) {
            return std::nullopt;
        }
        // A value without its terminating zero must not lead the read out
        // of the block, so the reported length bounds the text.
        const auto* text = static_cast<const char*>(value);
        return std::string(text, strnlen(text, length));
    }

private:
    mutable std::vector<char> data_;  // written by the ANSI conversion
};

}  // namespace

TKxVersionResource::TKxVersionResource() : fileName_(MainExecutable())
{
    ReadVersionInfo();
}

TKxVersionResource::TKxVersionResource(std::string fileName) : fileName_(std::move(fileName))
{
    fileNameStored_ = fileName_ != MainExecutable();
    ReadVersionInfo();
}

void TKxVersionResource::SetFileName(std::string fileName)
{
    fileName_ = std::move(fileName);
    fileNameStored_ = fileName_ != MainExecutable();
    Changed();
}

void TKxVersionResource::SetLanguage(TLanguage language)
{
    language_ = language;
    Changed();
}

void TKxVersionResource::SetCharacterSet(TCharacterSet characterSet)
{
    characterSet_ = characterSet;
    Changed();
}

void TKxVersionResource::Changed()
{
    ReadVersionInfo();
    if (OnChange) {
        OnChange(*this);
    }
}

void TKxVersionResource::ReadVersionInfo()
{
    versionInfo_ = TKxVersionInfo();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(fileName_.c_str(), &handle);
    if (size == 0) {
        return;
    }
    std::vector<char> data(size);
    if (GetFileVersionInfoA(fileName_.c_str(), handle, size, data.data())) {
        versionInfo_ =
            ParseVersionBlock(LoadedVersionBlock(std::move(data)), language_, characterSet_);
    }
}

std::string GetFileVersion(const std::string& path) noexcept
{
    try {
        return TKxVersionResource(path).VersionInfo().FileVersion;
    } catch (...) {
        return std::string();
    }
}

}  // namespace ostrel
