# A console program that plays a virus scanner as a script tells it, so the
# process runner is tested against real processes (see fake_scanner.cpp).
# It lands in bin/ beside the test programs, which start it from there.
add_executable(fake_scanner support/fake_scanner.cpp)

# Stands in for Microsoft Defender's MpCmdRun.exe, which Wine lacks.
add_executable(fake_mpcmdrun support/fake_mpcmdrun.cpp)

# The same with a version resource, as an installer leaves Kaspersky's avp.com.
add_executable(fake_avp support/fake_mpcmdrun.cpp support/FakeAvpVersion.rc)
