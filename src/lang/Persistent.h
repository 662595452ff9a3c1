#pragma once

#include "base/Ascii.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace ostrel {

// What a language file can set on an object: properties by name, each with
// a kind, and, on components, the components they own by name.

enum class PropertyKind { Integer, StringList, Object, Text, Enumeration, Set, Float, Character };

class Persistent;

// Integer, Enumeration (index), Set (bit mask) and Character values are
// ordinals; Float a double; Text a string; StringList its lines.
using PropertyValue = std::variant<int64_t, double, std::string, std::vector<std::string>>;

struct PropertyInfo {
    std::string name;
    PropertyKind kind = PropertyKind::Text;
    int64_t minimum = std::numeric_limits<int32_t>::min();  // range of an ordinal
    int64_t maximum = std::numeric_limits<int32_t>::max();
    std::vector<std::string> names;  // enumeration values or set elements, by ordinal
    std::function<PropertyValue(const Persistent&)> get;
    std::function<void(Persistent&, const PropertyValue&)> set;
    std::function<Persistent*(Persistent&)> object;  // Object kind; may give null
};

// The properties of one class; a subclass's table extends its base's.
class PropertyTable {
public:
    PropertyTable(std::initializer_list<PropertyInfo> properties);
    PropertyTable(const PropertyTable& base, std::initializer_list<PropertyInfo> properties);

    // Matched without regard to letter case; null when there is none.
    const PropertyInfo* Find(std::string_view name) const;
    const std::vector<PropertyInfo>& All() const { return properties_; }

private:
    std::vector<PropertyInfo> properties_;
};

class Persistent {
public:
    virtual ~Persistent() = default;
    virtual const PropertyTable& Properties() const = 0;
};

class Component : public Persistent {
public:
    virtual const char* ClassName() const = 0;
    virtual std::string Name() const = 0;
    // A component this one owns, by name without regard to letter case.
    virtual Component* FindComponent(std::string_view name) = 0;
};

// Letter case ignored for ASCII letters, as names are written.


// Builders for table entries over a class's getter and setter.
// The getter may come from a base class of the setter's class.
template <typename Owner, typename Reader, typename Value, typename SetValue>
PropertyInfo OrdinalProperty(std::string name, PropertyKind kind, int64_t minimum, int64_t maximum,
                             Value (Reader::*get)() const, void (Owner::*set)(SetValue),
                             std::vector<std::string> names = {})
{
    PropertyInfo info;
    info.name = std::move(name);
    info.kind = kind;
    info.minimum = minimum;
    info.maximum = maximum;
    info.names = std::move(names);
    info.get = [get](const Persistent& self) -> PropertyValue {
        return static_cast<int64_t>((static_cast<const Owner&>(self).*get)());
    };
    info.set = [set](Persistent& self, const PropertyValue& value) {
        (static_cast<Owner&>(self).*set)(static_cast<SetValue>(std::get<int64_t>(value)));
    };
    return info;
}

// A Boolean, written False or True.
template <typename Owner, typename Reader>
PropertyInfo BooleanProperty(std::string name, bool (Reader::*get)() const, void (Owner::*set)(bool))
{
    return OrdinalProperty(std::move(name), PropertyKind::Enumeration, 0, 1, get, set, {"False", "True"});
}

template <typename Owner, typename Reader>
PropertyInfo TextProperty(std::string name, std::string (Reader::*get)() const,
                          void (Owner::*set)(const std::string&))
{
    PropertyInfo info;
    info.name = std::move(name);
    info.kind = PropertyKind::Text;
    info.get = [get](const Persistent& self) -> PropertyValue {
        return (static_cast<const Owner&>(self).*get)();
    };
    info.set = [set](Persistent& self, const PropertyValue& value) {
        (static_cast<Owner&>(self).*set)(std::get<std::string>(value));
    };
    return info;
}

template <typename Owner>
PropertyInfo LinesProperty(std::string name, std::vector<std::string> (Owner::*get)() const,
                           void (Owner::*set)(const std::vector<std::string>&))
{
    PropertyInfo info;
    info.name = std::move(name);
    info.kind = PropertyKind::StringList;
    info.get = [get](const Persistent& self) -> PropertyValue {
        return (static_cast<const Owner&>(self).*get)();
    };
    info.set = [set](Persistent& self, const PropertyValue& value) {
        (static_cast<Owner&>(self).*set)(std::get<std::vector<std::string>>(value));
    };
    return info;
}

template <typename Owner>
PropertyInfo FloatProperty(std::string name, double (Owner::*get)() const, void (Owner::*set)(double))
{
    PropertyInfo info;
    info.name = std::move(name);
    info.kind = PropertyKind::Float;
    info.get = [get](const Persistent& self) -> PropertyValue {
        return (static_cast<const Owner&>(self).*get)();
    };
    info.set = [set](Persistent& self, const PropertyValue& value) {
        (static_cast<Owner&>(self).*set)(std::get<double>(value));
    };
    return info;
}

template <typename Owner>
PropertyInfo ObjectProperty(std::string name, Persistent* (Owner::*object)())
{
    PropertyInfo info;
    info.name = std::move(name);
    info.kind = PropertyKind::Object;
    info.object = [object](Persistent& self) { return (static_cast<Owner&>(self).*object)(); };
    return info;
}

}  // namespace ostrel
