// fake_mpcmdrun: stands in for Microsoft Defender's MpCmdRun.exe in the
// tests. For "-Scan -ScanType 3 -File FILE -DisableRemediation" it prints
// the transcript Defender's documentation shows and ends as Defender does:
// 0 no threats, 2 threats found. It finds only the EICAR test string.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv)
{
    const char* file = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-File") == 0) {
            file = argv[i + 1];
        }
    }
    std::ifstream in(file != nullptr ? file : "", std::ios::binary);
    if (!in) {
        std::printf("CmdTool: Failed with hr = 0x80070002. System Error: The system cannot find the file "
                    "specified.\r\n");
        return 2;
    }
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
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
