// The program runs with administrator rights: once it has started, a DLL
// lying beside it is never loaded by its bare name.
#include "app/dll_search.h"

#include <gtest/gtest.h>
#include <windows.h>

TEST(DllSearch, ADllBesideTheProgramLoadsBeforeTheStartAndNeverAfter) {
    HMODULE beside = LoadLibraryA("beside_probe.dll");
    ASSERT_TRUE(beside != NULL) << "the probe must lie beside the test program";
    FreeLibrary(beside);

    limitDllSearchToSystemFolder();
    SetLastError(0);
    EXPECT_TRUE(LoadLibraryA("beside_probe.dll") == NULL);
    EXPECT_EQ((DWORD)ERROR_MOD_NOT_FOUND, GetLastError());
    EXPECT_TRUE(LoadLibraryA("version.dll") != NULL) << "system DLLs still load";
}
