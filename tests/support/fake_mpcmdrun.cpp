// fake_mpcmdrun: stands in for Microsoft Defender's MpCmdRun.exe in the
// tests. For "-Scan -ScanType 3 -File FILE -DisableRemediation" it prints
// the transcript Defender prints and ends as Defender does: 0 no threats,
// 2 threats found. It finds only the EICAR test string.
//
// A file transcript.txt beside the program replaces all that: its first
// line is the exit code, the rest is printed as it stands, but for each
// "{file}", which becomes the first argument that names a readable file, as
// engines echo the file they were asked about. So the tests play a
// switched-off Defender, its failures, clamscan, ESET or Kaspersky. Each
// scripted run appends its command line to runs.txt beside the program.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string ReadAll(const std::string& path, bool& found)
{
    std::ifstream in(path, std::ios::binary);
    found = static_cast<bool>(in);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv)
{
    std::string folder = argc > 0 ? argv[0] : "";
    folder = folder.substr(0, folder.find_last_of("\\/") + 1);
    bool scripted = false;
    const std::string transcript = ReadAll(folder + "transcript.txt", scripted);
    if (scripted) {
        std::ofstream(folder + "runs.txt", std::ios::binary | std::ios::app) << GetCommandLineA() << "\r\n";
        std::string asked;
        for (int i = argc - 1; i >= 1; --i) {
            bool readable = false;
            ReadAll(argv[i], readable);
            asked = readable ? argv[i] : asked;
        }
        std::string text = transcript.substr(transcript.find('\n') + 1);
        for (std::size_t at = text.find("{file}"); at != std::string::npos;
             at = text.find("{file}", at + asked.size())) {
            text.replace(at, 6, asked);
        }
        // As it stands: no LF becomes CR LF a second time.
        _setmode(_fileno(stdout), _O_BINARY);
        std::fwrite(text.data(), 1, text.size(), stdout);
        return std::atoi(transcript.c_str());
    }

    const char* file = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-File") == 0) {
            file = argv[i + 1];
        }
    }
    bool readable = false;
    const std::string content = ReadAll(file != nullptr ? file : "", readable);
    if (!readable) {
        std::printf("CmdTool: Failed with hr = 0x80508023. Check C:\\Users\\Test\\AppData\\Local\\Temp\\"
                    "MpCmdRun.log for more information\r\n");
        return 2;
    }
    std::printf("Scan starting...\r\nScan finished.\r\n");
    if (content.find("EICAR-STANDARD-ANTIVIRUS-TEST-FILE!") == std::string::npos) {
        std::printf("Scanning %s found no threats.\r\n", file);
        return 0;
    }
    std::printf("Scanning %s found 1 threats.\r\n\r\n"
                "<===========================LIST OF DETECTED THREATS==========================>\r\n"
                "----------------------------- Threat information ------------------------------\r\n"
                "Threat                  : Virus:DOS/EICAR_Test_File\r\n"
                "Resources               : 1 total\r\n"
                "    file                : %s\r\n"
                "-------------------------------------------------------------------------------\r\n",
                file, file);
    return 2;
}
