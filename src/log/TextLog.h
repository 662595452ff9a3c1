#pragma once

#include "base/CriticalSection.h"
#include "base/Format.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ostrel {

// Turns a message into time-stamped lines; subclasses say where they go.
class TCustomLog {
public:
    TCustomLog() = default;
    virtual ~TCustomLog() = default;
    TCustomLog(const TCustomLog&) = delete;
    TCustomLog& operator=(const TCustomLog&) = delete;

    virtual const char* ClassName() const { return "TCustomLog"; }
    virtual void DoLog(const std::string& text);
    virtual void DoLogFmt(const std::string& format, const FormatArgs& args);

    // The stamp of a message written now.
    std::string Stamp() const;

protected:
    mutable CriticalSection lock_;
};

// Appends each message to a text file, opening and closing it every time.
// One lock serialises appends and trimming, so lines never interleave.
class TTextLog : public TCustomLog {
public:
    const char* ClassName() const override { return "TTextLog"; }
    void DoLog(const std::string& text) override;
    void DoLogFmt(const std::string& format, const FormatArgs& args) override;
    virtual void LoadLines(std::vector<std::string>& lines) const;

    // Keeps the newest MaxLines lines of the file.
    void TrimToMaxLines();

    std::string FileName() const;
    void SetFileName(std::string fileName);
    int32_t MaxLines() const;
    void SetMaxLines(int32_t maxLines);

private:
    std::string fileName_;
    int32_t maxLines_ = 1500;
};

class TOstrelLog : public TTextLog {
public:
    const char* ClassName() const override { return "TOstrelLog"; }
};

}  // namespace ostrel
