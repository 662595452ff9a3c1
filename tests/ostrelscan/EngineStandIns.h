#pragma once

// What ostrelscan's engine auto looks at, placed for one test and removed
// again: files in the prefix's own folders, Defender's record in its
// registry, and a daemon on a loopback port.
#include "support/TestFiles.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace ostrel::test {

std::string ProgramFilesFolder();
std::string ProgramDataFolder();

// A file at `path` with the folders it needs; the folders this object
// created go with the file.
class PlacedFile {
public:
    PlacedFile(const std::string& path, const std::string& content);
    ~PlacedFile();
    PlacedFile(const PlacedFile&) = delete;
    PlacedFile& operator=(const PlacedFile&) = delete;

private:
    std::string path_;
    std::vector<std::string> createdFolders_;
};

// The bytes of the MpCmdRun.exe stand-in, which a transcript.txt beside it
// can script (see fake_mpcmdrun.cpp).
std::string MpCmdRunStandIn();

// Microsoft Defender as the system records it: InstallLocation under
// HKEY_LOCAL_MACHINE in the 64-bit view (a private Wine prefix lets a test
// write there), naming a folder of `folder` with the stand-in and, when
// given, its transcript.
class DefenderRecord {
public:
    explicit DefenderRecord(const TempDir& folder, const std::string& transcript = "");
    ~DefenderRecord();
    DefenderRecord(const DefenderRecord&) = delete;
    DefenderRecord& operator=(const DefenderRecord&) = delete;

    void Say(const std::string& transcript) const;

private:
    std::string platform_;
};

// Stands in for clamd on 127.0.0.1:`port`: answers every stream
// "stream: OK" and counts the connections it took.
class FakeDaemon {
public:
    explicit FakeDaemon(uint16_t port);
    ~FakeDaemon();
    FakeDaemon(const FakeDaemon&) = delete;
    FakeDaemon& operator=(const FakeDaemon&) = delete;

    int Accepted() const { return accepted_; }

private:
    void Serve();

    uintptr_t listener_;
    std::atomic<bool> stop_{false};
    std::atomic<int> accepted_{0};
    std::thread thread_;
};

}  // namespace ostrel::test
