// dialogdemo: shows one of the plug-in's dialogs for a while, so that it
// can be looked at or photographed. Usage:
//   dialogdemo cfg|test|info SECONDS [LANGUAGE_FILE]
// The configuration dialog acts as if the plug-in lay beside this program:
// "cfg" proposes the scanner it finds there, "test" names eicarscan.exe
// from there and presses Test at once.
#include "base/FilePath.h"
#include "base/FileSystem.h"
#include "lang/LogSink.h"
#include "plugin/RequestRules.h"
#include "scanner/ScanRequest.h"
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

// Ends the demo when its time is up, also from inside a box's modal loop,
// which passes the quit on; the dialog's test then removes its files.
void CALLBACK EndDemo(HWND, UINT, UINT_PTR, DWORD)
{
    PostQuitMessage(0);
}

}  // namespace

int main(int argc, char* argv[])
{
    using namespace ostrel;
    if (argc < 3) {
        std::fputs("Usage: dialogdemo cfg|test|info SECONDS [LANGUAGE_FILE]\n", stderr);
        return 2;
    }
    try {
        const std::string which = argv[1];
        const std::string language = argc > 3 ? argv[3] : "";
        const std::string folder = ExtractFilePath(ModuleFileName(nullptr));
        TConfig config;
        config.SetModuleFileName(folder + "Ostrel.bav");
        TNoLog log;
        TMessageTexts texts(log);
        // The plug-in's check, without the plug-in's turn.
        auto check = [&](const ConfigValues& settings, const std::string& file, HANDLE cancel,
                         const TOutputObserver& onOutput) {
            TScanRunSettings run;
            run.CancelEvent = cancel;
            run.OnOutput = onOutput;
            const TScanAnswer answer = RunScanRequest(settings, false, file, run, log, texts);
            return TTestFileCheck{TestAnswerOf(CheckHostResult(answer.Code)), answer.Message, answer.Error, {}, {}};
        };
        const TDialogContext context{config,  log, texts, config.ModuleFileName(), GetFileVersion(config.ModuleFileName()),
                                     check};
        config.Update([&](ConfigValues& values) {
            values.LanguageFileName = language;
            values.AVPExeName = which == "test" ? folder + "eicarscan.exe" : "";
            values.Logging = true;
            values.LogFileName = "C:\\Mail\\Ostrel.log";
            values.MaxLogLevel = 2;
        });
        std::unique_ptr<TForm> form;
        if (which == "info") {
            auto info = std::make_unique<TfrmInfo>(nullptr, language, texts);
            info->SetVersion(context.PluginVersion);
            form = std::move(info);
        } else {
            auto cfg = std::make_unique<TfrmCfg>(nullptr, context);
            cfg->OnShow(*cfg);
            if (which == "test") {
                // Pressed once the dialog is up; its box comes when the test is done.
                ShowWindow(cfg->Handle(), SW_SHOW);
                cfg->btnTest.Click();
            }
            form = std::move(cfg);
        }
        ShowWindow(form->Handle(), SW_SHOW);
        SetTimer(nullptr, 0, static_cast<UINT>(std::atoi(argv[2]) * 1000), EndDemo);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            if (!IsDialogMessageA(form->Handle(), &message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "dialogdemo: %s\n", error.what());
        return 1;
    }
}
