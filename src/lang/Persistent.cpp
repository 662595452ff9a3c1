#include "lang/Persistent.h"

namespace ostrel {

PropertyTable::PropertyTable(std::initializer_list<PropertyInfo> properties) : properties_(properties) {}

PropertyTable::PropertyTable(const PropertyTable& base, std::initializer_list<PropertyInfo> properties)
    : properties_(base.properties_)
{
    for (const PropertyInfo& property : properties) {
        if (PropertyInfo* inherited = const_cast<PropertyInfo*>(Find(property.name))) {
            *inherited = property;  // a subclass may narrow a range or change the access
        } else {
            properties_.push_back(property);
        }
    }
}

const PropertyInfo* PropertyTable::Find(std::string_view name) const
{
    for (const PropertyInfo& property : properties_) {
        if (SameName(property.name, name)) {
            return &property;
        }
    }
    return nullptr;
}

}  // namespace ostrel
