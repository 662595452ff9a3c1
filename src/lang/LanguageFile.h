#pragma once

#include <string>

namespace ostrel {

class Component;
class TMultiLanguage;

// Applies a language file to a dialog (its section is the dialog's class
// name), or to the message texts when there is no dialog. Failures are
// shown in an error box, never raised.
void ApplyLanguageFile(const std::string& fileName, Component* dialog);

// Sets all twenty message texts from the translator, in one step.
void LoadMessages(const TMultiLanguage& translator);

}  // namespace ostrel
