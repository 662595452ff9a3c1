#pragma once

#include "base/Format.h"

#include <array>
#include <bitset>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>

namespace ostrel {

// The translatable message texts, in the order a language file's
// "MsgStrings" section is read.
enum class MessageKey {
    SError,
    SInfo,
    SConfirmation,
    SScanParameterNotAllowed,
    SCureParameterNotAllowed,
    SLogError,
    SDirNotExists,
    SExecTimeOut,
    SNotFound,
    SHelpNotFound,
    SDontEditAVPParam,
    SSupportInfoError,
    SSupportQuestion,
    SAskDefaultAllg,
    SAskForFile,
    SSelectAVPExe,
    SErrorLanguageFile,
    SSelectLanguageFile,
    SLanguageFile,
    SSelectHelpfile,
    // The test of the scanner: the dialog's Test box and bavhost's selftest.
    STestCaption,
    STestScanner,
    STestEngine,
    STestCleanFile,
    STestEicarFile,
    STestAnswerClean,
    STestAnswerVirus,
    STestAnswerSuspicious,
    STestAnswerError,
    STestAnswerTaken,
    STestLastLines,
    // A verdict: its line, then what to do.
    STestChainWorks,
    STestNotConfigured,
    STestDisabled,
    STestScannerMissing,
    STestCleanInfected,
    STestCleanNoVerdict,
    STestEicarMissed,
    STestEicarSuspicious,
    STestTakenByRealtime,
    STestEicarNoVerdict,
};

constexpr std::size_t MessageKeyCount = 41;
static_assert(static_cast<std::size_t>(MessageKey::STestEicarNoVerdict) + 1 == MessageKeyCount,
              "every message key has its text");

using MessageTable = std::array<std::string, MessageKeyCount>;

const char* MessageKeyName(MessageKey key);
const MessageTable& DefaultMessageTexts();

class LogSink;

// The message texts of one loaded plug-in: the English defaults until a
// language file replaces them. The plug-in owns them and hands them to the
// parts, as it does with the settings and the log.
class TMessageTexts {
public:
    // `log` hears of each translation that does not fit its arguments.
    explicit TMessageTexts(LogSink& log);
    TMessageTexts(const TMessageTexts&) = delete;
    TMessageTexts& operator=(const TMessageTexts&) = delete;

    // The current text; a copy, because another thread may replace the table.
    std::string Text(MessageKey key) const;
    // All current texts; a copy.
    MessageTable Texts() const;
    // Replaces all texts at once.
    void SetTexts(MessageTable texts);

    // The current text, filled by FormatMsg. A translation that does not
    // fit the arguments gives way to the built-in English text and is named
    // in the log, once per key and table; if even that fails, the bare
    // arguments are the message. Error paths use it, so it never raises a
    // formatting error.
    std::string Format(MessageKey key, const FormatArgs& args);

private:
    void NoteFallback(MessageKey key);

    LogSink& log_;
    std::shared_ptr<const MessageTable> table_;  // swapped whole, read through atomic loads
    std::mutex notedLock_;
    std::bitset<MessageKeyCount> noted_;  // for the current table
};

}  // namespace ostrel
