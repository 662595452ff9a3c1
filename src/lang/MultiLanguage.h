#pragma once

#include "lang/Persistent.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ostrel {

// Holds a language script, picks the lines of its current language and
// writes each entry ("path=value") into a property of its owner or of a
// component the owner owns. Without an owner it only answers lookups.
class TMultiLanguage {
public:
    using Notification = std::function<void(TMultiLanguage& sender)>;

    explicit TMultiLanguage(Component* owner, Notification onCreate = nullptr);

    std::vector<std::string>& Script() { return script_; }
    void SetScript(const std::vector<std::string>& script);
    const std::vector<std::string>& ActiveLines() const { return activeLines_; }
    const std::string& Language() const { return language_; }
    void SetLanguage(const std::string& language);

    Notification OnTranslate;

    // Raises when a value cannot be converted to its property; the entries
    // before it stay applied.
    void Translate();
    // The value of the first active entry named `key`, letter case included.
    std::string GetText(const std::string& key) const;
    // The text of the first active entry of that name; empty when none.
    std::optional<std::string> FindText(const std::string& key) const;

private:
    Component* owner_;
    std::vector<std::string> script_;
    std::vector<std::string> activeLines_;
    std::string language_;
};

// Writes one "path=value" entry into the property the path names, starting
// from `owner`; a path that names nothing has no effect.
void ApplyLanguageEntry(Component& owner, const std::string& line);

}  // namespace ostrel
