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

// The bytes the command takes in g_commandValue: each % of the path is
// written twice, and the quotes, the tail and the NUL come with it.
static size_t commandSize(const char* appPath) {
    size_t size = 1 + sizeof COMMAND_TAIL;
    for (const char* at = appPath; *at != '\0'; ++at) {
        size += *at == '%' ? 2 : 1;
    }
    return size;
}

static bool isQuotablePath(const char* appPath) {
    return strlen(appPath) <= MAX_APP_PATH - 1 && commandSize(appPath) <= MAX_COMMAND_VALUE &&
           strchr(appPath, '"') == NULL;
}

bool acceptsEntry(const char* name, const char* appPath) {
    return isWritableEntryName(name) && isQuotablePath(appPath);
}

// Writes "<appPath>" "%1" into g_commandValue, whose opening quote is
// already in place. The shell rewrites every % sequence of a command before
// it runs it (%1, %L, %~2, and any other loses its %), and reads %% as one %:
// so each % of the path goes in as %%. The path has been checked to fit.
static void buildCommandValue(const char* appPath) {
    char* out = g_commandValue + 1;
    for (const char* in = appPath; *in != '\0'; ++in) {
        *out++ = *in;
        if (*in == '%') {
            *out++ = '%';
        }
    }
    memcpy(out, COMMAND_TAIL, sizeof COMMAND_TAIL);
}

void makeShellKey() {
    RegistryKey root(HKEY_LOCAL_MACHINE, NULL, RegistryKey::SKIP_FIGURES);
    root.createSubKey(SHELL_KEY_PATH);
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
    if (!acceptsEntry(name, appPath)) {
        return false;
    }
    // Another program may have removed the shell key since the start.
    makeShellKey();
    RegistryKey shell(HKEY_LOCAL_MACHINE, SHELL_KEY_PATH, RegistryKey::SKIP_FIGURES);
    if (shell.handle == NULL) {
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
