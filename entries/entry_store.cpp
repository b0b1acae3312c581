#include "entries/entry_store.h"

#include "app/quillet.h"
#include "entries/entry_name.h"
#include "registry/registry_key.h"

#include <string.h>

static const char COMMAND_TAIL[] = "\" \"%1\"";

// A verb is a direct subkey of the shell key: no empty name, no path.
static bool isVerbName(const char* name) {
    return name[0] != '\0' && strchr(name, '\\') == NULL;
}

static bool isQuotablePath(const char* appPath) {
    return strlen(appPath) <= MAX_APP_PATH - 1 && strchr(appPath, '"') == NULL;
}

bool acceptsEntry(const char* name, const char* appPath) {
    return isWritableEntryName(name) && isQuotablePath(appPath);
}

// Writes "<appPath>" "%1" into g_commandValue, whose opening quote is
// already in place. The path has been checked to fit.
static void buildCommandValue(const char* appPath) {
    size_t pathLength = strlen(appPath);
    memcpy(g_commandValue + 1, appPath, pathLength);
    memcpy(g_commandValue + 1 + pathLength, COMMAND_TAIL, sizeof COMMAND_TAIL);
}

void listEntries(EntryNameSink sink, void* context) {
    RegistryKey shell(HKEY_LOCAL_MACHINE, SHELL_KEY_PATH);
    for (DWORD index = 0; index < shell.subKeyCount; ++index) {
        if (!shell.subKeyName(index)) {
            continue;
        }
        RegistryKey verb(shell.handle, shell.name, RegistryKey::SKIP_FIGURES);
        if (verb.handle == NULL) {
            continue;
        }
        RegistryKey command(verb.handle, COMMAND_KEY_NAME, RegistryKey::SKIP_FIGURES);
        if (command.handle != NULL) {
            sink(shell.name, context);
        }
    }
}

// Opens the verb by name rather than walking every subkey: the registry
// matches the name itself, so a keystroke costs the same with ten verbs as
// with ten thousand. A verb key with neither values nor subkeys is what a
// failed add leaves behind; anything more belongs to another program.
static NameUse useOfNameIn(HKEY shell, const char* name) {
    RegistryKey verb(shell, name, RegistryKey::SKIP_FIGURES);
    if (verb.handle == NULL) {
        return NAME_FREE;
    }
    RegistryKey command(verb.handle, COMMAND_KEY_NAME, RegistryKey::SKIP_FIGURES);
    if (command.handle != NULL) {
        return NAME_OF_ENTRY;
    }
    verb.readFigures();
    return verb.subKeyCount == 0 && verb.valueCount == 0 ? NAME_FREE : NAME_OF_OTHER_VERB;
}

bool findEntry(const char* name, bool remove) {
    if (!isVerbName(name)) {
        return false;
    }
    RegistryKey shell(HKEY_LOCAL_MACHINE, SHELL_KEY_PATH, RegistryKey::SKIP_FIGURES);
    if (shell.handle == NULL || useOfNameIn(shell.handle, name) != NAME_OF_ENTRY) {
        return false;
    }
    if (remove) {
        shell.deleteSubKeyTree(name);
    }
    return true;
}

NameUse useOfName(const char* name) {
    if (!isVerbName(name)) {
        return NAME_FREE;
    }
    RegistryKey shell(HKEY_LOCAL_MACHINE, SHELL_KEY_PATH, RegistryKey::SKIP_FIGURES);
    return shell.handle != NULL ? useOfNameIn(shell.handle, name) : NAME_FREE;
}

EntryChoices choicesFor(const char* name, const char* appPath) {
    NameUse use = useOfName(name);
    EntryChoices choices;
    // The rule is asked only for a free name: it alone then decides.
    choices.canAdd = use == NAME_FREE && appPath[0] != '\0' && acceptsEntry(name, appPath);
    choices.canRemove = use == NAME_OF_ENTRY;
    return choices;
}

bool entryExists(const char* name) {
    return findEntry(name, false);
}

bool removeEntry(const char* name) {
    return findEntry(name, true);
}

bool addEntry(const char* name, const char* appPath) {
    RegistryKey shell(HKEY_LOCAL_MACHINE, SHELL_KEY_PATH, RegistryKey::SKIP_FIGURES);
    if (shell.handle == NULL || !acceptsEntry(name, appPath)) {
        return false;
    }
    buildCommandValue(appPath);
    // Another program may have made this entry, or a verb of its own, since
    // the dialog last looked; neither is ours to write into.
    if (useOfNameIn(shell.handle, name) != NAME_FREE || !shell.createSubKey(name)) {
        return false;
    }
    RegistryKey verb(shell.handle, name, RegistryKey::SKIP_FIGURES);
    if (verb.handle == NULL || !verb.createSubKey(COMMAND_KEY_NAME)) {
        return false;
    }
    RegistryKey command(verb.handle, COMMAND_KEY_NAME, RegistryKey::SKIP_FIGURES);
    if (command.handle == NULL) {
        return false;
    }
    return RegSetValueExA(command.handle, NULL, 0, REG_SZ, (const BYTE*)g_commandValue,
                          (DWORD)strlen(g_commandValue) + 1) == 0;
}
