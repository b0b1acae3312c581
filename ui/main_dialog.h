// The one dialog: choose an application, name the menu entry, add or remove.
// Everything here runs on the thread of the dialog's message loop.
#ifndef QUILLET_UI_MAIN_DIALOG_H
#define QUILLET_UI_MAIN_DIALOG_H

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The flows behind the controls, one per user action or notification.
void fillEntryList(HWND dialog);
void updateButtons(HWND dialog);
void suggestItemText(HWND dialog, const char* path);
void onFilesDropped(HWND dialog, HDROP drop);
void browseForApplication(HWND dialog);
void onItemTextEdited(HWND dialog);
void onItemSelected(HWND dialog);
void onAdd(HWND dialog);
void onRemove(HWND dialog);
void appendSystemMenuItem(HWND dialog, UINT id, const char* text);
void showAbout(HWND dialog);

extern OPENFILENAMEA g_openFileName; // filled anew at every browse

#endif
