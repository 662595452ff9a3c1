#include "scanner/InheritedHandles.h"

namespace ostrel {

namespace {

// Vista's values, which the headers declare only for programs that require it.
constexpr DWORD_PTR HandleListAttribute = 0x00020002;  // PROC_THREAD_ATTRIBUTE_HANDLE_LIST
constexpr DWORD ExtendedStartupInfoPresent = 0x00080000;

using InitializeList = BOOL(WINAPI*)(void* list, DWORD count, DWORD flags, SIZE_T* size);
using UpdateList = BOOL(WINAPI*)(void* list, DWORD flags, DWORD_PTR attribute, void* value, SIZE_T size,
                                 void* previous, SIZE_T* returnSize);

template <typename Function>
Function Bind(const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name)));
}

}  // namespace

TInheritedHandles::TInheritedHandles(std::vector<HANDLE> handles) : handles_(std::move(handles))
{
    if (handles_.empty()) {
        return;
    }
    const auto initialize = Bind<InitializeList>("InitializeProcThreadAttributeList");
    const auto update = Bind<UpdateList>("UpdateProcThreadAttribute");
    deleteList_ = Bind<DeleteList>("DeleteProcThreadAttributeList");
    if (!initialize || !update || !deleteList_) {
        return;
    }
    // The first call only answers the size, failing as it does so.
    SIZE_T size = 0;
    initialize(nullptr, 1, 0, &size);
    storage_.resize(size);
    if (size == 0 || !initialize(storage_.data(), 1, 0, &size)) {
        return;
    }
    list_ = storage_.data();
    if (!update(list_, 0, HandleListAttribute, handles_.data(), handles_.size() * sizeof(HANDLE), nullptr,
                nullptr)) {
        // Without its attribute the list limits nothing: go without one.
        deleteList_(list_);
        list_ = nullptr;
    }
}

TInheritedHandles::~TInheritedHandles()
{
    if (list_ != nullptr) {
        deleteList_(list_);
    }
}

STARTUPINFOA* TInheritedHandles::StartupRecord(STARTUPINFOA& startup, DWORD& flags)
{
    if (list_ == nullptr) {
        return &startup;
    }
    extended_ = {startup, list_};
    extended_.StartupInfo.cb = sizeof extended_;
    flags |= ExtendedStartupInfoPresent;
    return &extended_.StartupInfo;
}

}  // namespace ostrel
