#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ostrel::test {

// An environment variable of this process, and so of every program it
// starts, set for the object's lifetime and then restored.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : name_(name)
    {
        std::vector<char> saved(32768);
        const DWORD length = GetEnvironmentVariableA(name, saved.data(), static_cast<DWORD>(saved.size()));
        had_ = length > 0 && length < saved.size();
        saved_.assign(saved.data(), had_ ? length : 0);
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~ScopedVariable() { SetEnvironmentVariableA(name_.c_str(), had_ ? saved_.c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    std::string name_;
    std::string saved_;
    bool had_ = false;
};

}  // namespace ostrel::test
