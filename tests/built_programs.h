// The programs of the build tree, found from the running test program,
// other programs run to their end, and whether the tests run under Wine.
#ifndef QUILLET_TESTS_BUILT_PROGRAMS_H
#define QUILLET_TESTS_BUILT_PROGRAMS_H

#include <string>

// A file beside the test programs, or in the folder above them, where the
// program under test is built.
std::string builtFile(const char* name, bool inTestsFolder);
// Starts commandLine without a console window and waits up to 30 s for it to
// end; false when it could not be started.
bool runToEnd(const std::string& commandLine);
// Whether the tests run under Wine, in a throw-away prefix: only there may a
// test change the real HKEY_LOCAL_MACHINE.
bool runningUnderWine();

#endif
