#include "settings/ParameterRules.h"

#include "base/AnsiString.h"

namespace ostrel {

namespace {

constexpr const char* ForbiddenScanParams[] = {"/FREEZE"};
constexpr const char* ForbiddenCureParams[] = {"/FREEZE"};

template <std::size_t Count>
void RemoveEvery(const char* const (&forbidden)[Count], std::string& parameters, bool fromCure,
                 std::vector<TRemovedParameter>& removed)
{
    for (const char* parameter : forbidden) {
        while (std::optional<std::string> cleaned = RemoveFirstParameter(parameters, parameter)) {
            parameters = std::move(*cleaned);
            removed.push_back({parameter, fromCure});
        }
    }
}

}  // namespace

std::optional<std::string> RemoveFirstParameter(std::string_view parameters, std::string_view forbidden)
{
    std::size_t position = AnsiUpperCase(parameters).find(forbidden);
    if (position == std::string::npos) {
        return std::nullopt;
    }
    std::string cleaned(parameters);
    cleaned.erase(position, forbidden.size());
    return cleaned;
}

std::vector<TRemovedParameter> RemoveForbiddenParams(ConfigValues& values)
{
    std::vector<TRemovedParameter> removed;
    RemoveEvery(ForbiddenScanParams, values.AVPScanParam, false, removed);
    RemoveEvery(ForbiddenCureParams, values.AVPCureParam, true, removed);
    return removed;
}

bool SettingsComplete(const ConfigValues& settings)
{
    return !settings.AVPExeName.empty() && !settings.AVPScanParam.empty();
}

std::string ScannerCommandLine(std::string_view parameters, std::string_view fileName)
{
    std::string name(fileName);
    if (name.find(' ') != std::string::npos) {
        name = '"' + name + '"';
    }
    return std::string(parameters) + " " + name;
}

std::string RequestCommandLine(ConfigValues values, bool isCure, std::string_view fileName)
{
    RemoveForbiddenParams(values);
    return ScannerCommandLine(isCure ? values.AVPCureParam : values.AVPScanParam, fileName);
}

}  // namespace ostrel
