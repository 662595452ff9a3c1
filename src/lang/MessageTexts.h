#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

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
};

constexpr std::size_t MessageKeyCount = 20;
static_assert(static_cast<std::size_t>(MessageKey::SSelectHelpfile) + 1 == MessageKeyCount,
              "every message key has its text");

using MessageTable = std::array<std::string, MessageKeyCount>;

const char* MessageKeyName(MessageKey key);
const MessageTable& DefaultMessageTexts();

// The current text; a copy, because another thread may replace the table.
std::string MessageText(MessageKey key);

// All current texts; a copy.
MessageTable MessageTexts();

// Replaces all texts at once.
void SetMessageTexts(MessageTable texts);

// A translated text that did not fit its arguments is noted here, once per
// key and table, for the log to name.
void NoteMessageFallback(MessageKey key);
// The keys noted since the last call.
std::vector<MessageKey> TakeMessageFallbacks();

}  // namespace ostrel
