// The shell's drag-and-drop calls and the open-file dialog, loaded when the
// user first needs them. Linking them in would load the shell and the
// common dialogs at every start, which under Wine costs more than all else
// the program does before its dialog shows.
#ifndef QUILLET_UI_SHELL_CALLS_H
#define QUILLET_UI_SHELL_CALLS_H

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

// Lets the window receive WM_DROPFILES, as DragAcceptFiles does: by its
// WS_EX_ACCEPTFILES style, which needs no shell.
void acceptDroppedFiles(HWND window);
// DragQueryFileA; 0 when the shell cannot be loaded.
UINT queryDroppedFile(HDROP drop, UINT index, char* buffer, UINT size);
// DragFinish.
void finishDrop(HDROP drop);
// GetOpenFileNameA; FALSE when the common dialogs cannot be loaded.
BOOL pickOpenFileName(OPENFILENAMEA* request);

#endif
