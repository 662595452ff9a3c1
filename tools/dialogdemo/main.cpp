// dialogdemo: shows one of the plug-in's dialogs for a while, so that it
// can be looked at or photographed. Usage: dialogdemo cfg|info SECONDS [LANGUAGE_FILE]
#include "lang/LogSink.h"
#include "settings/Config.h"
#include "sysinfo/KxVersion.h"
#include "ui/dialogs/OstrelCfg.h"
#include "ui/dialogs/OstrelInfo.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

// The demo writes no log.
class NoLog : public ostrel::LogSink {
public:
    void WriteLog(const std::string&, int32_t) override {}
};

void Pump(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fputs("Usage: dialogdemo cfg|info SECONDS [LANGUAGE_FILE]\n", stderr);
        return 2;
    }
    try {
        const std::string which = argv[1];
        const std::string language = argc > 3 ? argv[3] : "";
        ostrel::TConfig config;
        NoLog log;
        ostrel::TMessageTexts texts(log);
        const ostrel::TDialogContext context{config, log, texts, "Ostrel.bav", ostrel::GetFileVersion("Ostrel.bav")};
        config.Update([&](ostrel::ConfigValues& values) {
            values.LanguageFileName = language;
            values.AVPExeName = "C:\\Program Files\\AntiVir\\Avnt.exe";
            values.Logging = true;
            values.LogFileName = "C:\\Mail\\Ostrel.log";
            values.MaxLogLevel = 2;
        });
        std::unique_ptr<ostrel::TForm> form;
        if (which == "info") {
            auto info = std::make_unique<ostrel::TfrmInfo>(nullptr, language, texts);
            info->SetVersion(context.PluginVersion);
            form = std::move(info);
        } else {
            form = std::make_unique<ostrel::TfrmCfg>(nullptr, context);
            if (form->OnShow) {
                form->OnShow(*form);
            }
        }
        ShowWindow(form->Handle(), SW_SHOW);
        Pump(static_cast<DWORD>(std::atoi(argv[2]) * 1000));
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "dialogdemo: %s\n", error.what());
        return 1;
    }
}
