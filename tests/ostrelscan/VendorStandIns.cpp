#include "VendorStandIns.h"

#include "support/ProcessList.h"
#include "sysinfo/SystemQueries.h"

#include <shlobj.h>

#include <stdexcept>

namespace ostrel::test {

std::string EsetProgram()
{
    return ProgramFilesFolder() + "\\ESET\\ESET Security\\ecls.exe";
}

std::string KasperskyProgram(const std::string& product)
{
    std::string x86;
    if (!GetSpecialFolderPath(CSIDL_PROGRAM_FILESX86, false, x86)) {
        throw std::runtime_error("no Program Files (x86) folder");
    }
    return x86 + "\\Kaspersky Lab\\" + product + "\\avp.com";
}

InstalledScanner::InstalledScanner(const std::string& program, const std::string& bytes)
    : folder_(program.substr(0, program.rfind('\\') + 1)),
      program_(program, bytes),
      transcript_(folder_ + "transcript.txt", "0\r\n"),
      runs_(folder_ + "runs.txt", "")
{
}

void InstalledScanner::Say(uint32_t exitCode, const std::string& report) const
{
    WriteFileBytes(folder_ + "transcript.txt", std::to_string(exitCode) + "\r\n" + report);
}

std::string InstalledScanner::Runs() const
{
    return ReadFileBytes(folder_ + "runs.txt");
}

PluginWithOstrelscan::~PluginWithOstrelscan()
{
    plugin.Unload();
    DeleteMakerKey();
}

void PluginWithOstrelscan::Start(const std::string& ostrelscanIni)
{
    DeleteMakerKey();
    const std::string scanner = plugin.File("ostrelscan.exe");
    // The plug-in stops waiting at the end marker: the last check's scanner
    // may still be running from that file.
    if (!WaitForChildProcesses("ostrelscan.exe", 20000) ||
        !CopyFileA((ProgramFolder() + "\\ostrelscan.exe").c_str(), scanner.c_str(), FALSE)) {
        throw std::runtime_error("cannot place " + scanner);
    }
    SetOstrelscanIni(ostrelscanIni);
    WriteFileBytes(plugin.IniPath(), "[Data]\r\nAVPExeName=" + scanner +
                                         "\r\nAVPScanParam=-nomem -noboot -nombr -z\r\n"
                                         "Logging=1\r\nLogAVPOutput=1\r\nLogFileName=" +
                                         plugin.File("ostrel.log") + "\r\n");
    plugin.Load();
    if (plugin.Call("BAV_Initialize") != 0) {
        throw std::runtime_error("BAV_Initialize failed");
    }
}

void PluginWithOstrelscan::SetOstrelscanIni(const std::string& text) const
{
    WriteFileBytes(plugin.File("ostrelscan.ini"), text);
}

std::string PluginWithOstrelscan::Sample(const std::string& name, const std::string& content) const
{
    const std::string path = plugin.File(name);
    WriteFileBytes(path, content);
    return path;
}

int32_t PluginWithOstrelscan::Check(const std::string& file, std::string& message) const
{
    char buffer[1024] = "";
    const int32_t answer = plugin.Check(file.c_str(), buffer);
    message = buffer;
    return answer;
}

std::string PluginWithOstrelscan::Log() const
{
    return PathExists(plugin.File("ostrel.log")) ? ReadFileBytes(plugin.File("ostrel.log")) : "";
}

std::string EsetReport(const std::string& fileLines, int files, int objects, int detected)
{
    return "ECLS Command-line scanner, version 12.2.29.0, (C) 1992-2019 ESET, spol. s r.o.\r\n"
           "Module loader, version 1018.1 (20190709), build 1054\r\n"
           "Module scanner, version 20102 (20190930), build 42937\r\n"
           "Module archiver, version 1292 (20190911), build 1307\r\n"
           "\r\n"
           "Command line: /log-all {file}\r\n"
           "\r\n"
           "Scan started at:   Wed Nov 20 13:41:54 2019\r\n" +
           fileLines +
           "\r\n"
           "Scan completed at: Wed Nov 20 13:41:54 2019\r\n"
           "Scan time:         0 sec (0:00:00)\r\n"
           "Total:             files - " + std::to_string(files) + ", objects " + std::to_string(objects) + "\r\n"
           "Detected:          files - " + std::to_string(detected ? 1 : 0) + ", objects " + std::to_string(detected) +
           "\r\n"
           "Cleaned:           files - 0, objects 0\r\n";
}

std::string KasperskyReport(const std::string& objectLines, int processed, int detected)
{
    return "AV bases release date: 2019-11-21 06:11:00 (full)\r\n"
           "; --- Settings ---\r\n"
           "; Action on detect:\tReport only\r\n"
           "; Scan objects:\tAll infectable\r\n"
           "; Use iChecker:\tYes\r\n"
           "; Use iSwift:\tYes\r\n"
           "; Try disinfect:\tNo\r\n"
           "; Try delete:\tNo\r\n"
           "; Try delete container:\tNo\r\n"
           "; Time limit:\t180 sec.\r\n"
           "; Exclude by mask:\tNo\r\n"
           "; Include by mask:\tNo\r\n"
           "; Objects to scan:\r\n"
           ";\t\"{file}\"\tEnable = Yes\tRecursive = No\r\n"
           "; ------------------\r\n"
           "2019-11-21 11:06:55\tScan_Objects$3923\tstarting   1%\r\n"
           "\r\n" +
           objectLines +
           "2019-11-21 11:06:56\tScan_Objects$3923\tcompleted\r\n"
           "\r\n"
           "Info: task 'ods' finished, last error code 0\r\n"
           ";  --- Statistics ---\r\n"
           "; Time Start:\t2019-11-21 11:06:55\r\n"
           "; Time Finish:\t2019-11-21 11:06:56\r\n"
           "; Processed objects:\t" + std::to_string(processed) + "\r\n"
           "; Total OK:\t" + std::to_string(processed - detected) + "\r\n"
           "; Total detected:\t" + std::to_string(detected) + "\r\n"
           "; Suspicions:\t0\r\n"
           "; Total skipped:\t0\r\n"
           "; Password protected:\t0\r\n"
           "; Corrupted:\t0\r\n"
           "; Errors:\t0\r\n"
           ";  ------------------\r\n";
}

}  // namespace ostrel::test
