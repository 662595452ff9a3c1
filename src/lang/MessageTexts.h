#pragma once

#include <array>
#include <cstddef>
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
};

constexpr std::size_t MessageKeyCount = 20;

using MessageTable = std::array<std::string, MessageKeyCount>;

const char* MessageKeyName(MessageKey key);
const MessageTable& DefaultMessageTexts();

// The current text; a copy, because another thread may replace the table.
std::string MessageText(MessageKey key);

// Replaces all texts at once.
void SetMessageTexts(MessageTable texts);

}  // namespace ostrel
