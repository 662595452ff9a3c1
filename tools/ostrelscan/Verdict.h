#pragma once

#include <string>

namespace ostrel::ostrelscan {

// What an engine said about one file. An error is never taken as clean.
struct Verdict {
    enum class Kind { clean, infected, error };

    Kind kind = Kind::error;
    std::string name;    // the found name, for infected
    std::string reason;  // why there is no verdict, for error; may span lines

    static Verdict Clean() { return {Kind::clean, {}, {}}; }
    static Verdict Infected(std::string name) { return {Kind::infected, std::move(name), {}}; }
    static Verdict Error(std::string reason) { return {Kind::error, {}, std::move(reason)}; }
};

}  // namespace ostrel::ostrelscan
