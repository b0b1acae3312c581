// Where the process looks for DLLs loaded by bare name.
#ifndef QUILLET_APP_DLL_SEARCH_H
#define QUILLET_APP_DLL_SEARCH_H

// Limits the search to the system folder, so that no DLL lying beside the
// program (a Downloads folder, say) is ever loaded into it: it runs with
// administrator rights. Where Windows lacks that setting (Windows 7 without
// update KB2533623), takes at least the current directory out of the search.
void limitDllSearchToSystemFolder();

#endif
