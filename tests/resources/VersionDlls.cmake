# DLLs that exist only for their version resources, read by the version
# reader's tests. They land in bin/ beside the test programs.
add_library(version_german SHARED support/EmptyDll.cpp resources/VersionGerman.rc)
add_library(version_driver SHARED support/EmptyDll.cpp resources/VersionDriver.rc)
add_library(version_font SHARED support/EmptyDll.cpp resources/VersionFont.rc)
add_library(version_none SHARED support/EmptyDll.cpp)
set_target_properties(version_german version_driver version_font version_none PROPERTIES PREFIX "")
