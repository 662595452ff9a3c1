# A console program that plays a virus scanner as a script tells it, so the
# process runner is tested against real processes (see fake_scanner.cpp).
# It lands in bin/ beside the test programs, which start it from there.
add_executable(fake_scanner support/fake_scanner.cpp)
