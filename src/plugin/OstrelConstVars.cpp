#include "plugin/OstrelConstVars.h"

#include "base/FileSystem.h"
#include "sysinfo/KxVersion.h"

namespace ostrel {

namespace {

void* PluginModule = nullptr;
std::atomic<bool> ProcessExit{false};

}  // namespace

std::atomic<PluginStatus> OstrelStatus{PluginStatus::Ready};

PluginState::PluginState()
    : PluginFileName(ModuleFileName(PluginModule)),
      PluginVersion(GetFileVersion(PluginFileName)),
      Messages(LogFacade),
      LogFacade(Config, Log, Messages, [] { return OstrelStatus != PluginStatus::NotConfigured; })
{
    Config.SetModuleFileName(PluginFileName);
    Config.CheckIniFile();
    Log.SetMaxLines(1200);
}

PluginState::~PluginState()
{
    CureGrace.EndAll(ProcessExit);
}

PluginState& Plugin()
{
    static PluginState state;
    return state;
}

LogSink& PluginLog()
{
    return Plugin().LogFacade;
}

void SetPluginModule(void* module)
{
    PluginModule = module;
}

void NoteProcessExit()
{
    ProcessExit = true;
}

}  // namespace ostrel
