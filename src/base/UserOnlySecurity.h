#pragma once

#include <windows.h>

#include <vector>

namespace ostrel {

// Security attributes for a new object that only the user of this
// process's token may open: a DACL with one entry, for that user. The
// default DACL of some systems lets Everyone read.
class TUserOnlySecurity {
public:
    explicit TUserOnlySecurity(bool inheritable);
    TUserOnlySecurity(const TUserOnlySecurity&) = delete;
    TUserOnlySecurity& operator=(const TUserOnlySecurity&) = delete;

    SECURITY_ATTRIBUTES* Attributes() { return &attributes_; }

private:
    std::vector<char> user_;  // TOKEN_USER; the DACL's entry points into it
    std::vector<char> acl_;
    SECURITY_DESCRIPTOR descriptor_ = {};
    SECURITY_ATTRIBUTES attributes_ = {};
};

}  // namespace ostrel
