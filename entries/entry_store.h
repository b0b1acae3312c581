// The context-menu entries for files of every type, as the registry holds
// them: a verb under the shell key whose "command" subkey opens. Every call
// opens what it needs and closes it before it returns.
#ifndef QUILLET_ENTRIES_ENTRY_STORE_H
#define QUILLET_ENTRIES_ENTRY_STORE_H

// Receives one entry name; the text lives only for the call.
typedef void (*EntryNameSink)(const char* name, void* context);

// Hands every entry name to sink, in the registry's enumeration order.
// A verb that cannot be opened is passed over.
void listEntries(EntryNameSink sink, void* context);

// True when an entry of that name exists (the registry's own matching, so
// case does not count); with remove, also deletes it with everything beneath
// it. The result says the entry was found, not that every key went.
bool findEntry(const char* name, bool remove);
bool entryExists(const char* name);
bool removeEntry(const char* name);

// What the registry holds under a name, as far as an add or a remove cares.
enum NameUse {
    NAME_FREE,          // no key of that name, or a bare one that an add completes
    NAME_OF_ENTRY,      // an entry: a remove may take it, an add must not touch it
    NAME_OF_OTHER_VERB, // a key with values or subkeys but no openable command:
                        // another program's verb, which neither touches
};
// Opens the keys it needs by name, so it costs the same however many verbs
// there are. A name with a backslash is no verb name and counts as free;
// acceptsEntry refuses it.
NameUse useOfName(const char* name);

// The store's rule for what it may write, whatever the registry holds: a
// name that isWritableEntryName takes, and a path with no double quote (it
// would break the quoting) that fits the command buffer.
bool acceptsEntry(const char* name, const char* appPath);

// What may be done with name and appPath as the registry stands, from one
// lookup: add, for a free name that acceptsEntry takes with an application
// chosen (appPath not empty); remove, for an entry. The dialog's buttons
// follow it at every keystroke.
struct EntryChoices {
    bool canAdd;
    bool canRemove;
};
EntryChoices choicesFor(const char* name, const char* appPath);

// Creates the shell key when it is missing; an existing one is left as it
// is. Nothing tells whether it worked: a missing key shows as no entries and
// a failed add.
void makeShellKey();

// Creates the entry name whose command runs appPath on the clicked file:
// "<appPath>" "%1" as the default value of name\command, each % of the path
// written as %%, which the shell reads as one. Refuses what acceptsEntry
// refuses, and a name that is not free (a bare key left over is completed).
// Makes the shell key when it is missing. Keys created before a failing step
// stay.
bool addEntry(const char* name, const char* appPath);

#endif
