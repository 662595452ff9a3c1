#include "EngineSections.h"

#include "ProgramRules.h"

#include "base/AnsiString.h"
#include "base/Ascii.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace ostrel::ostrelscan {
namespace {

constexpr std::string_view kFile = "{file}";
constexpr std::string_view kName = "{name}";
constexpr std::string_view kAnyCode = "any";

enum class Key {
    title, program, arguments, clean, found, name, nameNextLine, notName, cleanLine, errorLine, offLine, count
};

// In the order a printed section gives them.
constexpr const char* kKeyNames[] = {"title",          "program",    "arguments",  "clean",      "found",   "name",
                                     "name_next_line", "not_a_name", "clean_line", "error_line", "off_line"};

std::string KeyName(Key key)
{
    return kKeyNames[static_cast<int>(key)];
}

// Keys that may be given more than once, each adding one pattern or text.
bool Repeats(Key key)
{
    return key >= Key::name && key < Key::count;
}

std::optional<Key> KeyOf(std::string_view name)
{
    for (int key = 0; key < static_cast<int>(Key::count); ++key) {
        if (SameName(name, kKeyNames[key])) {
            return static_cast<Key>(key);
        }
    }
    return std::nullopt;
}

std::size_t Occurrences(std::string_view text, std::string_view part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// Decimal, or hexadecimal after "0x" as HRESULTs are written.
std::optional<uint32_t> ParseExitCode(std::string_view text)
{
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::string_view digits = hex ? text.substr(2) : text;
    if (digits.empty() || digits.size() > 10) {
        return std::nullopt;
    }
    unsigned long long value = 0;
    for (char c : digits) {
        const char lower = LowerAscii(c);
        const int digit = IsDigit(c) ? c - '0' : hex && lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * (hex ? 16 : 10) + static_cast<unsigned>(digit);
    }
    if (value > 0xFFFFFFFFull) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

std::string ExitCodeText(uint32_t code)
{
    char text[16];
    std::snprintf(text, sizeof text, code > 0xFFFF ? "0x%08lX" : "%lu", static_cast<unsigned long>(code));
    return text;
}

// What keeps the pattern from ever matching a line, or from matching only
// the lines that name something; empty when nothing does.
std::string NamePatternFault(std::string_view pattern)
{
    const std::size_t at = pattern.find(kName);
    if (at == std::string_view::npos) {
        return "has no {name}, where the found name stands";
    }
    if (Occurrences(pattern, kName) > 1) {
        return "holds {name} more than once";
    }
    if (pattern.size() == kName.size()) {
        return "is {name} alone, which would read every line as a find";
    }
    if (at > 0 && pattern[at - 1] == '*') {
        return "has '*' right before {name}: the text that ends ahead of the name must stand between them";
    }
    return {};
}

std::string LinePatternFault(std::string_view pattern)
{
    return pattern.find(kName) == std::string_view::npos ? "" : "has {name}, which only name= takes";
}

// A section's keys as they come; a row once every key is there and right.
class SectionReader {
public:
    SectionReader(std::string engine, int line, bool faulty, std::vector<IniFault>& faults)
        : header_(line), faulty_(faulty), faults_(faults)
    {
        row_.engine = std::move(engine);
    }

    void Take(const IniLine& line)
    {
        const std::optional<Key> key = KeyOf(line.name);
        if (!key) {
            std::string known;
            for (const char* name : kKeyNames) {
                known += (known.empty() ? "" : ", ") + std::string(name);
            }
            Fault(line.number, "unknown key \"" + line.name + "\" (" + known + ")");
            return;
        }
        int& given = lines_[static_cast<int>(*key)];
        if (given != 0 && !Repeats(*key)) {
            Fault(line.number, KeyName(*key) + " is given twice, here and on line " + std::to_string(given));
            return;
        }
        given = line.number;
        const std::string& value = line.value;
        if (value.empty()) {
            Fault(line.number, KeyName(*key) + " is empty");
            return;
        }
        switch (*key) {
        case Key::title: row_.title = value; break;
        case Key::program:
            if (const std::string fault = ProgramFault(value); !fault.empty()) {
                Fault(line.number, "program \"" + value + "\" " + fault);
            }
            row_.program = value;
            break;
        case Key::arguments:
            if (Occurrences(value, kFile) != 1) {
                Fault(line.number, "arguments \"" + value + "\" must hold {file}, where the file name goes, once");
            } else if (const std::string fault = FilePlaceFault(value); !fault.empty()) {
                Fault(line.number, "arguments \"" + value + "\" " + fault);
            }
            row_.arguments = value;
            break;
        case Key::clean: Codes(line, row_.cleanCodes); break;
        case Key::found: Codes(line, row_.infectedCodes); break;
        case Key::name: Pattern(line, NamePatternFault(value), row_.namePatterns); break;
        case Key::nameNextLine: Pattern(line, LinePatternFault(value), row_.nameNextLinePatterns); break;
        case Key::notName: row_.notNames.push_back(value); break;
        case Key::cleanLine: Pattern(line, LinePatternFault(value), row_.cleanLines); break;
        case Key::errorLine: Pattern(line, LinePatternFault(value), row_.errorLines); break;
        case Key::offLine: Pattern(line, LinePatternFault(value), row_.offLines); break;
        case Key::count: break;
        }
    }

    std::optional<ScannerProfile> Finish(EngineSource source)
    {
        std::string missing;
        // Without clean_line an unexpected report could read as clean.
        for (const Key key : {Key::program, Key::arguments, Key::clean, Key::found, Key::name, Key::cleanLine}) {
            const bool needed = key != Key::program || source == EngineSource::user;
            if (needed && lines_[static_cast<int>(key)] == 0) {
                missing += (missing.empty() ? "" : ", ") + KeyName(key) + "=";
            }
        }
        if (!missing.empty()) {
            Fault(header_, "missing " + missing);
        }
        for (const uint32_t code : row_.infectedCodes) {
            if (std::find(row_.cleanCodes.begin(), row_.cleanCodes.end(), code) != row_.cleanCodes.end()) {
                Fault(lines_[static_cast<int>(Key::found)],
                      "exit code " + ExitCodeText(code) + " is both clean and found");
            }
        }
        if (faulty_) {
            return std::nullopt;
        }
        if (row_.title.empty()) {
            row_.title = row_.engine;
        }
        return row_;
    }

private:
    void Fault(int line, const std::string& text)
    {
        faults_.push_back({line, "[engine " + row_.engine + "]: " + text});
        faulty_ = true;
    }

    void Pattern(const IniLine& line, const std::string& fault, std::vector<std::string>& patterns)
    {
        if (!fault.empty()) {
            Fault(line.number, line.name + " \"" + line.value + "\" " + fault);
        }
        patterns.push_back(line.value);
    }

    // Empty for "any": the report's words alone decide.
    void Codes(const IniLine& line, std::vector<uint32_t>& codes)
    {
        if (SameName(line.value, kAnyCode)) {
            return;
        }
        for (std::size_t from = 0; from <= line.value.size();) {
            const std::size_t comma = std::min(line.value.find(',', from), line.value.size());
            const std::string piece = TrimBlanks(std::string_view(line.value).substr(from, comma - from));
            const std::optional<uint32_t> code = ParseExitCode(piece);
            if (!code) {
                Fault(line.number, line.name + " \"" + line.value + "\": \"" + piece +
                                       "\" is not an exit code (decimal, or hexadecimal after 0x)");
                return;
            }
            codes.push_back(*code);
            from = comma + 1;
        }
    }

    ScannerProfile row_;
    int header_;
    int lines_[static_cast<int>(Key::count)] = {};  // where each key was given; 0 for not yet
    bool faulty_;
    std::vector<IniFault>& faults_;
};

// The NAME of "engine NAME", or nothing for a section of another kind.
std::optional<std::string> EngineNameOf(std::string_view header)
{
    constexpr std::string_view kWord = "engine";
    if (header.size() < kWord.size() || !SameName(header.substr(0, kWord.size()), kWord) ||
        (header.size() > kWord.size() && header[kWord.size()] != ' ' && header[kWord.size()] != '\t')) {
        return std::nullopt;
    }
    return LowerAscii(TrimBlanks(header.substr(kWord.size())));
}

std::string EngineNameFault(const std::string& engine, EngineSource source)
{
    if (engine.empty()) {
        return "the section needs the engine's name, as in [engine myscanner]";
    }
    const bool plain = std::all_of(engine.begin(), engine.end(), [](char c) {
        return IsDigit(c) || (c >= 'a' && c <= 'z') || c == '-' || c == '_' || c == '.';
    });
    if (!plain) {
        return "an engine's name holds only letters, digits, '-', '_' and '.'";
    }
    if (engine == "auto" || engine == "clamd" || (source == EngineSource::user && FindProfile(engine) != nullptr)) {
        return "\"" + engine + "\" is a built-in engine; give yours a name of its own";
    }
    return {};
}

std::string ValueText(const std::string& value)
{
    // Reading drops blanks at the ends, then one pair of enclosing quotes.
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    const bool quote = !value.empty() && (blank(value.front()) || blank(value.back()) ||
                                          (value.size() >= 2 && value.front() == '"' && value.back() == '"'));
    return quote ? "\"" + value + "\"" : value;
}

std::string CodesText(const std::vector<uint32_t>& codes)
{
    if (codes.empty()) {
        return std::string(kAnyCode);
    }
    std::string text;
    for (const uint32_t code : codes) {
        text += (text.empty() ? "" : ",") + ExitCodeText(code);
    }
    return text;
}

}  // namespace

std::vector<ScannerProfile> ReadEngineSections(const std::vector<IniLine>& lines, EngineSource source,
                                               std::vector<IniFault>& faults)
{
    std::vector<ScannerProfile> rows;
    std::vector<std::pair<std::string, int>> headers;  // each engine's first section and its line
    std::vector<std::string> twice;                    // which of two is meant is anyone's guess
    std::optional<SectionReader> open;
    const auto close = [&] {
        if (open) {
            if (std::optional<ScannerProfile> row = open->Finish(source)) {
                rows.push_back(std::move(*row));
            }
            open.reset();
        }
    };
    for (const IniLine& line : lines) {
        if (line.kind == IniLine::Kind::setting) {
            if (open) {
                open->Take(line);
            }
            continue;
        }
        close();
        const std::optional<std::string> engine = EngineNameOf(line.name);
        if (!engine) {
            continue;
        }
        std::string fault = EngineNameFault(*engine, source);
        const auto first = std::find_if(headers.begin(), headers.end(),
                                        [&](const auto& header) { return header.first == *engine; });
        if (first != headers.end()) {
            fault = "a second section of that name; the first is on line " + std::to_string(first->second);
            twice.push_back(*engine);
        } else {
            headers.emplace_back(*engine, line.number);
        }
        if (!fault.empty()) {
            faults.push_back({line.number, "[engine " + *engine + "]: " + fault});
        }
        open.emplace(*engine, line.number, !fault.empty(), faults);
    }
    close();
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [&](const ScannerProfile& row) {
                                  return std::find(twice.begin(), twice.end(), row.engine) != twice.end();
                              }),
               rows.end());
    return rows;
}

std::string EngineSectionText(const ScannerProfile& row)
{
    std::string text = "[engine " + row.engine + "]\r\n";
    const auto add = [&](Key key, const std::string& value) {
        if (!value.empty()) {
            text += KeyName(key) + "=" + value + "\r\n";
        }
    };
    add(Key::title, ValueText(row.title));
    add(Key::program, ValueText(row.program));
    add(Key::arguments, ValueText(row.arguments));
    add(Key::clean, CodesText(row.cleanCodes));
    add(Key::found, CodesText(row.infectedCodes));
    const auto addAll = [&](Key key, const std::vector<std::string>& values) {
        for (const std::string& value : values) {
            add(key, ValueText(value));
        }
    };
    addAll(Key::name, row.namePatterns);
    addAll(Key::nameNextLine, row.nameNextLinePatterns);
    addAll(Key::notName, row.notNames);
    addAll(Key::cleanLine, row.cleanLines);
    addAll(Key::errorLine, row.errorLines);
    addAll(Key::offLine, row.offLines);
    return text;
}

std::string EngineListText(const std::vector<ScannerProfile>& userRows,
                           const std::function<std::string(const std::string& engine)>& programOf)
{
    std::string text;
    for (const ScannerProfile& row : ScannerProfiles()) {
        text += "; Built in. Its program, where its installer puts it: " + programOf(row.engine) +
                "\r\n; A copy under a name of its own needs program= with a full path.\r\n" +
                EngineSectionText(row) + "\r\n";
    }
    for (const ScannerProfile& row : userRows) {
        text += EngineSectionText(row) + "\r\n";
    }
    return text;
}

}  // namespace ostrel::ostrelscan
