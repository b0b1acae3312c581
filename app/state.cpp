#include "app/quillet.h"

const char SHELL_KEY_PATH[] = "SOFTWARE\\Classes\\*\\shell";
const char COMMAND_KEY_NAME[] = "command";

char g_appPath[MAX_APP_PATH];
char g_itemText[MAX_ITEM_TEXT];
// The opening quote is written once here; addEntry writes only after it.
char g_commandValue[MAX_COMMAND_VALUE] = "\"";
HINSTANCE g_hInstance;
