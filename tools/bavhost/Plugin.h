#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace ostrel::bavhost {

using NoArgs = int32_t(WINAPI*)();
using GetText = int32_t(WINAPI*)(char* buffer, int32_t size);
using CheckFile = int32_t(WINAPI*)(const char* fileName, char* message);
using CureFile = int32_t(WINAPI*)(const char* fileName, void* ignored);

// The exports of a loaded BAV plug-in.
struct Plugin {
    NoArgs initialize, uninitialize, comNeeded, configNeeded, setup, setCfgData, getCfgData,
        getStatus, memoryChecking, fileChecking, streamChecking;
    GetText getName, getVersion;
    CheckFile checkFile;
    CureFile cureFile;
};

// Returns the names of the missing exports, empty when all are there.
std::string BindAll(HMODULE module, Plugin& plugin);

// The name or version text through its export.
std::string Text(GetText get);

}  // namespace ostrel::bavhost
