# The tools' logic without <windows.h>: built for the tools, and natively
# for their tests and fuzzers. Included from tools/ and tests/.
if(NOT TARGET tool_report)
    add_library(tool_report STATIC ${CMAKE_CURRENT_LIST_DIR}/common/AvReport.cpp)
    target_include_directories(tool_report PUBLIC ${CMAKE_CURRENT_LIST_DIR})
    target_link_libraries(tool_report PUBLIC ostrel_pure)

    add_library(ostrelscan_logic STATIC
        ${CMAKE_CURRENT_LIST_DIR}/ostrelscan/BuiltInEngines.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ostrelscan/ClamdReply.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ostrelscan/EngineSections.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ostrelscan/FailureLines.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ostrelscan/IniText.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ostrelscan/LinePattern.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ostrelscan/ListenerTrust.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ostrelscan/Options.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ostrelscan/Profiles.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ostrelscan/ProgramRules.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ostrelscan/ReportText.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ostrelscan/UncheckedNames.cpp
    )
    target_include_directories(ostrelscan_logic PUBLIC ${CMAKE_CURRENT_LIST_DIR}/ostrelscan)
    target_link_libraries(ostrelscan_logic PUBLIC tool_report)
endif()
