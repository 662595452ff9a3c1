#pragma once

#include <string>

namespace ostrel::ostrelscan {

// What an engine said about one file. An error is never taken as clean.
struct Verdict {
    enum class Kind { clean, infected, error };

    Kind kind = Kind::error;
    std::string name;    // the found name, for infected
    std::string reason;  // why there is no verdict, for error; may span lines
    // An error in which the engine said it is switched off or not running:
    // auto then asks the next engine, as if this one were not installed.
    bool engineOff = false;

    static Verdict Clean() { return {Kind::clean, {}, {}}; }
    static Verdict Infected(std::string name) { return {Kind::infected, std::move(name), {}}; }
    static Verdict Error(std::string reason) { return {Kind::error, {}, std::move(reason)}; }
    static Verdict EngineOff(std::string reason) { return {Kind::error, {}, std::move(reason), true}; }
};

}  // namespace ostrel::ostrelscan
