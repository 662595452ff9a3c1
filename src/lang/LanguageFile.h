#pragma once

#include <string>

namespace ostrel {

class Component;
class TMessageTexts;
class TMultiLanguage;

// Applies a language file to a dialog (its section is the dialog's class
// name), or to `texts` when there is no dialog. Failures are shown in an
// error box worded by `texts`, never raised.
void ApplyLanguageFile(const std::string& fileName, Component* dialog, TMessageTexts& texts);

// Sets all twenty message texts from the translator, in one step.
void LoadMessages(const TMultiLanguage& translator, TMessageTexts& messages);

}  // namespace ostrel
