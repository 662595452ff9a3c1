#include "lang/MessageTexts.h"

#include "base/Exception.h"
#include "lang/FormatMsg.h"
#include "lang/LogSink.h"

#include <utility>

namespace ostrel {

namespace {

constexpr const char* SupportAddress = "support@ostrel.example";

const char* const KeyNames[MessageKeyCount] = {
    "SError",           "SInfo",           "SConfirmation",   "SScanParameterNotAllowed",
    "SCureParameterNotAllowed",             "SLogError",       "SDirNotExists",
    "SExecTimeOut",     "SNotFound",       "SHelpNotFound",   "SDontEditAVPParam",
    "SSupportInfoError", "SSupportQuestion", "SAskDefaultAllg", "SAskForFile",
    "SSelectAVPExe",    "SErrorLanguageFile", "SSelectLanguageFile", "SLanguageFile",
    "SSelectHelpfile",
    "STestCaption",     "STestScanner",    "STestEngine",     "STestCleanFile",
    "STestEicarFile",   "STestAnswerClean", "STestAnswerVirus", "STestAnswerSuspicious",
    "STestAnswerError", "STestAnswerTaken", "STestLastLines",  "STestChainWorks",
    "STestNotConfigured", "STestDisabled",  "STestScannerMissing", "STestCleanInfected",
    "STestCleanNoVerdict", "STestEicarMissed", "STestEicarSuspicious", "STestTakenByRealtime",
    "STestEicarNoVerdict",
};

MessageTable BuildDefaults()
{
    return {
        "Error",
        "Information",
        "Confirmation",
        "The parameter \"%s\" is not allowed for scanning",
        "The parameter \"%s\" is not allowed for desinfection",
        "Error writing logfile:\\nFile: %s\\nClass: %s\\nMessage: %s",
        "The directory %s does not exist",
        "Timeoutvalue %d sec. elapsed since starting program",
        "Not found",
        "The helpfile could not be found.\\nDo you want to search for it?",
        "The parameters normally don't need to changed.",
        "Error writing the support information:\\nClass: %s\\nMessage: %s",
        std::string("You will be asked for a filename to store different informations in this "
                    "file.\\nPlease send this file, together with the logfile and a description "
                    "of the problem to: ") +
            SupportAddress +
            ".\\nPlease keep in mind, that changes of the configuration of The Bat! only will "
            "be applied after closing the configuration form.\\n\\nDo you want to proceed?",
        "Do you want to set the values for \"%s\" and \"%s\" to the default?",
        "Please enter a filename",
        "Please select file Avnt.exe",
        "Error while reading language file\\nClass: %s\\nMessage: %s",
        "Please select a language file",
        "Language files",
        "Please select a help file",
        "Test of the scanner",
        "Scanner: %s",
        "Engine: %s",
        "Clean test file: %s",
        "EICAR test file: %s",
        "OK: nothing found",
        "virus found",
        "suspicious",
        "error",
        "taken away before the scanner saw it",
        "The scanner's last lines:",
        "The chain works: the clean file passed and the EICAR test file was found.",
        "Not configured: the plug-in has no scanner to run.\\nName the scanner and its parameters in the "
        "plug-in's settings (Configure in The Bat!); they propose ostrelscan.exe when it lies beside the plug-in.",
        "Checking is disabled (Disabled=1): every attachment passes unchecked.\\nClear \"Checking disabled\" "
        "in the plug-in's settings.",
        "The scanner is missing: no program file has its name.\\nEnter the full path of the scanner, .exe "
        "included.",
        "Error: the clean test file was reported as infected.\\nThe scanner's report is misread or the engine "
        "is wrong.",
        "Error: the scanner gave no verdict for the clean test file.\\nThe log tells why (LogAVPOutput=1 "
        "shows what the scanner printed).",
        "EICAR not found: the scanner answered OK for the EICAR test file.\\nThe engine misses the standard "
        "test file: check that it is current and that the scanner's parameters make it scan files of any name.",
        "EICAR not found as a virus: the scanner called the test file suspicious.\\nThe engine misses the "
        "standard test file: check that it is current and that the scanner's parameters make it scan files of "
        "any name.",
        "The scanner answers, but the test file was taken by real-time protection before the check.\\n"
        "Real-time protection (Microsoft Defender's, say) removed or locked the EICAR test file as soon as it "
        "was written. That shows an on-access scanner guards this computer, not that the plug-in's engine "
        "finds viruses; the clean file's answer shows that the chain runs. Nothing needs changing: an infected "
        "attachment is taken the same way, and the plug-in then answers with an error, never with clean.",
        "Error: the scanner gave no verdict for the EICAR test file.\\nThe log tells why (LogAVPOutput=1 "
        "shows what the scanner printed).",
    };
}

}  // namespace

const char* MessageKeyName(MessageKey key)
{
    return KeyNames[static_cast<std::size_t>(key)];
}

const MessageTable& DefaultMessageTexts()
{
    static const MessageTable defaults = BuildDefaults();
    return defaults;
}

TMessageTexts::TMessageTexts(LogSink& log)
    : log_(log), table_(std::make_shared<const MessageTable>(DefaultMessageTexts()))
{
}

std::string TMessageTexts::Text(MessageKey key) const
{
    return (*std::atomic_load(&table_))[static_cast<std::size_t>(key)];
}

MessageTable TMessageTexts::Texts() const
{
    return *std::atomic_load(&table_);
}

void TMessageTexts::SetTexts(MessageTable texts)
{
    std::atomic_store(&table_, std::make_shared<const MessageTable>(std::move(texts)));
    std::lock_guard<std::mutex> guard(notedLock_);
    noted_.reset();
}

std::string TMessageTexts::Format(MessageKey key, const FormatArgs& args)
{
    const std::string text = Text(key);
    try {
        return FormatMsg(text, args);
    } catch (const EConvertError&) {
    }
    const std::string& builtIn = DefaultMessageTexts()[static_cast<std::size_t>(key)];
    if (text != builtIn) {
        NoteFallback(key);
        try {
            return FormatMsg(builtIn, args);
        } catch (const EConvertError&) {
        }
    }
    return BareArguments(args);
}

void TMessageTexts::NoteFallback(MessageKey key)
{
    {
        std::lock_guard<std::mutex> guard(notedLock_);
        const std::size_t index = static_cast<std::size_t>(key);
        if (noted_.test(index)) {
            return;
        }
        noted_.set(index);
    }
    log_.WriteLog(std::string("The text ") + MessageKeyName(key) +
                      " of the language file does not fit its arguments; the built-in text is used",
                  LogAlways);
}

}  // namespace ostrel
