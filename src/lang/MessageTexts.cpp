#include "lang/MessageTexts.h"

#include <bitset>
#include <memory>
#include <mutex>
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
    };
}

// Readers copy the pointer atomically, so a table swapped in by another
// thread never changes a string under a reader.
std::shared_ptr<const MessageTable>& CurrentTable()
{
    static std::shared_ptr<const MessageTable> table =
        std::make_shared<const MessageTable>(DefaultMessageTexts());
    return table;
}

struct FallbackNotes {
    std::mutex lock;
    std::bitset<MessageKeyCount> noted;  // for the current table
    std::vector<MessageKey> pending;
};

FallbackNotes& Fallbacks()
{
    static FallbackNotes notes;
    return notes;
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

std::string MessageText(MessageKey key)
{
    std::shared_ptr<const MessageTable> table = std::atomic_load(&CurrentTable());
    return (*table)[static_cast<std::size_t>(key)];
}

MessageTable MessageTexts()
{
    return *std::atomic_load(&CurrentTable());
}

void SetMessageTexts(MessageTable texts)
{
    std::atomic_store(&CurrentTable(), std::make_shared<const MessageTable>(std::move(texts)));
    FallbackNotes& notes = Fallbacks();
    std::lock_guard<std::mutex> guard(notes.lock);
    notes.noted.reset();
}

void NoteMessageFallback(MessageKey key)
{
    FallbackNotes& notes = Fallbacks();
    std::lock_guard<std::mutex> guard(notes.lock);
    const std::size_t index = static_cast<std::size_t>(key);
    if (!notes.noted.test(index)) {
        notes.noted.set(index);
        notes.pending.push_back(key);
    }
}

std::vector<MessageKey> TakeMessageFallbacks()
{
    FallbackNotes& notes = Fallbacks();
    std::lock_guard<std::mutex> guard(notes.lock);
    return std::exchange(notes.pending, {});
}

}  // namespace ostrel
