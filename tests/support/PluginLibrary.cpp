#include "PluginLibrary.h"

#include "FormDriver.h"

#include <stdexcept>
#include <thread>
#include <vector>

namespace ostrel::test {

namespace {

// Exports come back untyped; the cast through void(*)() says so on purpose.
template <typename Function>
Function As(FARPROC function)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(function));
}

}  // namespace

PluginLibrary::PluginLibrary()
{
    std::string built = ProgramFolder() + "\\Ostrel.bav";
    if (!CopyFileA(built.c_str(), ModulePath().c_str(), FALSE)) {
        throw std::runtime_error("cannot copy " + built);
    }
}

PluginLibrary::~PluginLibrary()
{
    Unload();
}

void PluginLibrary::Load()
{
    if (!module_) {
        module_.reset(LoadLibraryA(ModulePath().c_str()));
        if (!module_) {
            throw std::runtime_error("cannot load " + ModulePath());
        }
    }
}

void PluginLibrary::Unload()
{
    module_.reset();
}

FARPROC PluginLibrary::Export(const char* name) const
{
    FARPROC function = GetProcAddress(module_.get(), name);
    if (function == nullptr) {
        throw std::runtime_error(std::string("missing export ") + name);
    }
    return function;
}

int32_t PluginLibrary::Call(const char* name) const
{
    return As<NoArgs>(Export(name))();
}

int32_t PluginLibrary::TextCall(const char* name, char* buffer, int32_t size) const
{
    return As<TextQuery>(Export(name))(buffer, size);
}

int32_t PluginLibrary::Check(const char* fileName, char* message) const
{
    return As<FileRequest>(Export("BAV_CheckFile"))(fileName, message);
}

int32_t PluginLibrary::Setup(const std::function<void(HWND dialog)>& user, const std::string& caption) const
{
    std::thread driver([user, caption] {
        HWND dialog = WaitForWindow(caption.c_str());
        if (user) {
            user(dialog);
        } else {
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }
    });
    int32_t result = Call("BAV_Setup");
    driver.join();
    return result;
}

std::string PluginLibrary::Name() const
{
    std::vector<char> buffer(TextCall("BAV_GetName", nullptr, 0));
    int32_t count = TextCall("BAV_GetName", buffer.data(), static_cast<int32_t>(buffer.size()));
    return std::string(buffer.data(), count);
}

std::string PluginLibrary::Version() const
{
    std::vector<char> buffer(TextCall("BAV_GetVersion", nullptr, 0));
    int32_t count = TextCall("BAV_GetVersion", buffer.data(), static_cast<int32_t>(buffer.size()));
    return std::string(buffer.data(), count);
}

}  // namespace ostrel::test
