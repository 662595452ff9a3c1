#include "support/FormDriver.h"
#include "support/PluginLibrary.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

namespace ostrel::test {
namespace {

struct ExportEntry {
    const char* name;
    int ordinal;
    int argumentBytes;
};

const ExportEntry ExportTable[] = {
    {"BAV_CureFile", 1, 8},       {"BAV_CheckFile", 2, 8},      {"BAV_StreamChecking", 3, 0},
    {"BAV_FileChecking", 4, 0},   {"BAV_MemoryChecking", 5, 0}, {"BAV_GetStatus", 6, 0},
    {"BAV_GetCfgData", 7, 0},     {"BAV_SetCfgData", 8, 0},     {"BAV_Setup", 9, 0},
    {"BAV_ConfigNeeded", 10, 0},  {"BAV_GetVersion", 11, 8},    {"BAV_GetName", 12, 8},
    {"BAV_ComNeeded", 13, 0},     {"BAV_Uninitialize", 14, 0},  {"BAV_Initialize", 15, 0},
};

TEST(ExportTable, NamesAndOrdinals)
{
    PluginLibrary plugin;
    plugin.Load();
    HMODULE module = GetModuleHandleA(plugin.ModulePath().c_str());
    for (const ExportEntry& entry : ExportTable) {
        SCOPED_TRACE(entry.name);
        EXPECT_EQ(plugin.Export(entry.name), GetProcAddress(module, MAKEINTRESOURCEA(entry.ordinal)));
    }
}

#if defined(__i386__)
// Calls a function with zero-valued arguments and returns how far the stack
// pointer moved across the call: 0 when the callee removed its arguments.
int StackDrift(FARPROC function, int argumentBytes)
{
    unsigned before = 0;
    unsigned after = 0;
    asm volatile(
        "movl %%esp, %%esi\n\t"
        "movl %[count], %%ecx\n\t"
        "1:\n\t"
        "testl %%ecx, %%ecx\n\t"
        "jz 2f\n\t"
        "pushl $0\n\t"
        "subl $4, %%ecx\n\t"
        "jmp 1b\n\t"
        "2:\n\t"
        "call *%[function]\n\t"
        "movl %%esp, %%edx\n\t"
        "movl %%esi, %%esp\n\t"
        : "=&S"(before), "=&d"(after)
        : [function] "b"(function), [count] "r"(argumentBytes)
        : "eax", "ecx", "memory", "cc");
    return static_cast<int>(before - after);
}

// 32-bit only: x64 has a single calling convention.
TEST(ExportTable, StdcallCleanup)
{
    PluginLibrary plugin;
    plugin.Load();
    for (const ExportEntry& entry : ExportTable) {
        SCOPED_TRACE(entry.name);
        // Setup shows its dialog: close it as a user would.
        std::thread closer;
        if (std::string(entry.name) == "BAV_Setup") {
            closer = std::thread([] { PostMessageA(WaitForWindow("Configuration of Ostrel"), WM_CLOSE, 0, 0); });
        }
        EXPECT_EQ(StackDrift(plugin.Export(entry.name), entry.argumentBytes), 0);
        if (closer.joinable()) {
            closer.join();
        }
    }
}
#endif

TEST(ExportTable, NoDecoratedNamesAndModuleName)
{
    PluginLibrary plugin;
    plugin.Load();
    HMODULE module = GetModuleHandleA(plugin.ModulePath().c_str());
    EXPECT_EQ(GetProcAddress(module, "BAV_GetName@8"), nullptr);
    EXPECT_EQ(GetProcAddress(module, "_BAV_GetName@8"), nullptr);

    auto* base = reinterpret_cast<const BYTE*>(module);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
#if defined(__x86_64__)
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
#else
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
#endif
    const IMAGE_DATA_DIRECTORY& directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
    EXPECT_STREQ(reinterpret_cast<const char*>(base + exports->Name), "Ostrel.bav");
    EXPECT_EQ(exports->Base, 1u);
    EXPECT_EQ(exports->NumberOfFunctions, 15u);
    EXPECT_EQ(exports->NumberOfNames, 15u);
}

TEST(ExportTable, ConstantAnswers)
{
    PluginLibrary plugin;
    plugin.Load();
    EXPECT_EQ(plugin.Call("BAV_ComNeeded"), -3);
    EXPECT_EQ(plugin.Call("BAV_ConfigNeeded"), 0);
    EXPECT_EQ(plugin.Call("BAV_SetCfgData"), -1);
    EXPECT_EQ(plugin.Call("BAV_GetCfgData"), -1);
    EXPECT_EQ(plugin.Call("BAV_MemoryChecking"), -1);
    EXPECT_EQ(plugin.Call("BAV_FileChecking"), 0);
    EXPECT_EQ(plugin.Call("BAV_StreamChecking"), -1);
}

}  // namespace
}  // namespace ostrel::test
