#include "lang/MultiLanguage.h"

#include "base/Format.h"
#include "lang/LanguageErrors.h"
#include "lang/LanguageScript.h"
#include "lang/Ordinals.h"
#include "base/TextLines.h"

#include <cerrno>
#include <cstdlib>
#include <optional>

namespace ostrel {

namespace {

struct ResolvedPath {
    Persistent* target;
    std::string propertyName;
};

// Components first, then object-valued properties; where a name cannot be
// resolved, the rest of the path stays the property name and matches nothing.
ResolvedPath Resolve(Component& owner, std::string_view path)
{
    Component* component = &owner;
    std::size_t dot;
    while ((dot = path.find('.')) != std::string_view::npos) {
        Component* next = component->FindComponent(path.substr(0, dot));
        if (next == nullptr) {
            break;
        }
        component = next;
        path.remove_prefix(dot + 1);
    }
    Persistent* target = component;
    while ((dot = path.find('.')) != std::string_view::npos) {
        const PropertyInfo* property = target->Properties().Find(path.substr(0, dot));
        if (property == nullptr || property->kind != PropertyKind::Object) {
            break;
        }
        Persistent* next = property->object(*target);
        if (next == nullptr) {
            break;
        }
        target = next;
        path.remove_prefix(dot + 1);
    }
    return {target, std::string(path)};
}

int64_t CheckedRange(const PropertyInfo& property, int64_t value)
{
    if (value < property.minimum || value > property.maximum) {
        throw ERangeError(Format("Value %d is out of range for property %s (%d..%d)",
                                 {value, property.name, property.minimum, property.maximum}));
    }
    return value;
}

int64_t EnumerationValue(const PropertyInfo& property, const std::string& text)
{
    for (std::size_t index = 0; index < property.names.size(); ++index) {
        if (SameName(property.names[index], text)) {
            return static_cast<int64_t>(index);
        }
    }
    throw EPropertyConvertError(
        Format("Invalid value '%s' for property %s", {text, property.name}));
}

int64_t SetValue(const PropertyInfo& property, std::string text)
{
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
        text = text.substr(1, text.size() - 2);
    }
    int64_t bits = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of(", ", start);
        std::string element = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? text.size() : end + 1;
        if (element.empty()) {
            continue;
        }
        bool found = false;
        for (std::size_t index = 0; index < property.names.size() && index < 63; ++index) {
            if (SameName(property.names[index], element)) {
                bits |= int64_t{1} << index;
                found = true;
            }
        }
        if (!found) {
            throw EPropertyConvertError(
                Format("Invalid set element '%s' for property %s", {element, property.name}));
        }
    }
    return bits;
}

double FloatValue(const std::string& text)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(begin, &end);
    // Plain decimal notation only: no "inf", "nan" or hexadecimal floats.
    bool plain = text.find_first_not_of("0123456789+-.eE") == std::string::npos;
    if (text.empty() || !plain || end != begin + text.size() || errno == ERANGE) {
        throw EConvertError(Format("'%s' is not a valid floating point value", {text}));
    }
    return value;
}

int64_t CharacterValue(const PropertyInfo& property, const std::string& text)
{
    std::optional<int32_t> code;
    bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
    if (digits && text.size() <= 9) {
        code = std::atoi(text.c_str());
    }
    if (!code) {
        throw EConvertError(Format("'%s' is not a valid integer value", {text}));
    }
    return CheckedRange(property, *code);
}

void SetProperty(Persistent& target, const PropertyInfo& property, const std::string& value)
{
    switch (property.kind) {
    case PropertyKind::Integer:
        if (std::optional<int32_t> ordinal = StrToOrdinal(value)) {
            property.set(target, CheckedRange(property, *ordinal));
        }
        break;
    case PropertyKind::StringList:
        property.set(target, SplitFileLines(value));
        break;
    case PropertyKind::Object:
        break;
    case PropertyKind::Text:
        property.set(target, value);
        break;
    case PropertyKind::Enumeration:
        property.set(target, EnumerationValue(property, value));
        break;
    case PropertyKind::Set:
        property.set(target, SetValue(property, value));
        break;
    case PropertyKind::Float:
        property.set(target, FloatValue(value));
        break;
    case PropertyKind::Character:
        property.set(target, CharacterValue(property, value));
        break;
    }
}

}  // namespace

void ApplyLanguageEntry(Component& owner, const std::string& line)
{
    ScriptEntry entry = SplitEntry(line);
    if (entry.name.empty()) {
        return;
    }
    ResolvedPath path = Resolve(owner, entry.name);
    if (const PropertyInfo* property = path.target->Properties().Find(path.propertyName)) {
        SetProperty(*path.target, *property, entry.value);
    }
}

TMultiLanguage::TMultiLanguage(Component* owner, Notification onCreate) : owner_(owner)
{
    if (onCreate) {
        onCreate(*this);
    }
}

void TMultiLanguage::SetScript(const std::vector<std::string>& script)
{
    script_ = script;
    Translate();
}

void TMultiLanguage::SetLanguage(const std::string& language)
{
    language_ = language;
    Translate();
}

void TMultiLanguage::Translate()
{
    activeLines_ = SelectLanguageLines(script_, language_);
    if (owner_ != nullptr) {
        for (const std::string& line : activeLines_) {
            ApplyLanguageEntry(*owner_, line);
        }
    }
    if (OnTranslate) {
        OnTranslate(*this);
    }
}

std::string TMultiLanguage::GetText(const std::string& key) const
{
    return FindText(key).value_or("");
}

std::optional<std::string> TMultiLanguage::FindText(const std::string& key) const
{
    for (const std::string& line : activeLines_) {
        ScriptEntry entry = SplitEntry(line);
        if (entry.name == key) {
            return entry.value;
        }
    }
    return std::nullopt;
}

}  // namespace ostrel
