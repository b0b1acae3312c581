// How fast the entry store and the program's start are, measured against
// what they cannot do without, in the same run:
//   E  one enumeration pass over the shell key (the floor for listing);
//   O  opening a verb and its command subkey (the floor for a lookup);
//   B  starting a program that shows the same dialog and does nothing else;
//   S  B plus one listEntries pass at the same N: the floor for a start that
//      must list every entry before its dialog shows (derived, not timed).
// The ratios carry the store's own cost; the speed of the registry and of
// the machine cancels out of them. Two rows follow the dialog: what a
// keystroke in the menu text box asks of the store (against O), and the
// refill of the list as it opens, timed through the program's real dialog
// (against E).
//
// The store runs in a sandbox: HKEY_LOCAL_MACHINE is redirected into a fresh
// key under HKEY_CURRENT_USER. A redirection does not reach another process,
// so for the start-up rows verbs with a bench-only name go into the real
// shell key, and exactly those are removed again. Run it in a throw-away
// Wine prefix (scripts/bench.sh does), or on Windows as administrator.
#include "app/quillet.h"
#include "entries/entry_store.h"
#include "registry/registry_key.h"
#include "tests/process_dialog.h"
#include "ui/main_dialog.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const char SANDBOX_PARENT[] = "Software\\QuilletBench";
const char SANDBOX_VERB_PREFIX[] = "Bench verb ";
// Verbs in the real shell key carry this name and nothing else does.
const char REAL_VERB_PREFIX[] = "QuilletBench verb ";
const char NEW_VERB[] = "Bench new verb";
const char ABSENT_VERB[] = "Bench absent verb";
const char BENCH_APP[] = "C:\\Tools\\bench.exe";
const char BENCH_COMMAND[] = "\"C:\\Tools\\bench.exe\" \"%1\"";

enum { SIZE_COUNT = 4, MAX_SAMPLES = 1024 };
const DWORD SIZES[SIZE_COUNT] = {10, 100, 1000, 10000};
// One pass of E, of listEntries and of the list refill per round, so rounds
// shrink as passes grow: under Wine a listEntries pass over 10,000 verbs
// takes seconds.
const int ROUNDS[SIZE_COUNT] = {201, 101, 25, 7};
// Samples of each fixed-cost operation per size, spread over the rounds.
const int FIXED_SAMPLES = 401;
// Starts of each program per verb count, after one start of each that warms
// the file cache and is not counted.
const int STARTS = 7;
const bool STARTS_AT_SIZE[SIZE_COUNT] = {true, false, true, false};

enum Row {
    ROW_ENUMERATE,
    ROW_OPEN,
    ROW_EXISTS_ABSENT,
    ROW_EXISTS_PRESENT,
    ROW_KEYSTROKE_ENTRY,
    ROW_KEYSTROKE_NEW,
    ROW_LIST,
    ROW_REFILL,
    ROW_ADD_REMOVE,
    ROW_BARE_START,
    ROW_PROGRAM_START,
    ROW_LISTED_START,
    ROW_PROGRAM_START_BY_LISTED,
    ROW_COUNT
};

struct RowInfo {
    const char* label;
    int floorRow; // -1 for a floor
};

const RowInfo ROWS[ROW_COUNT] = {
    {"E  enumerate shell key  (floor)", -1},
    {"O  open verb + command  (floor)", -1},
    {"entryExists, absent     / O", ROW_OPEN},
    {"entryExists, present    / O", ROW_OPEN},
    {"keystroke, entry's name / O", ROW_OPEN},
    {"keystroke, new name     / O", ROW_OPEN},
    {"listEntries             / E", ROW_ENUMERATE},
    {"list refill on opening  / E", ROW_ENUMERATE},
    {"addEntry + removeEntry  / O", ROW_OPEN},
    {"B  bare dialog start    (floor)", -1},
    {"quillet.exe start       / B", ROW_BARE_START},
    {"S  B + listEntries      (floor)", -1},
    {"quillet.exe start       / S", ROW_LISTED_START},
};

struct Samples {
    LONGLONG ticks[MAX_SAMPLES];
    int count;
};

LARGE_INTEGER g_frequency;
// Median ticks per row and size; 0 where nothing was measured.
LONGLONG g_median[ROW_COUNT][SIZE_COUNT];
int g_fixedSamples[SIZE_COUNT];
// Set at start-up, before any redirection: the real HKEY_LOCAL_MACHINE
// rows use the 64-bit view on 64-bit Windows, as the program does.
REGSAM g_view;

LONGLONG now() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

void addSample(Samples& samples, LONGLONG ticks) {
    if (samples.count < MAX_SAMPLES) {
        samples.ticks[samples.count++] = ticks;
    }
}

int compareTicks(const void* a, const void* b) {
    LONGLONG left = *(const LONGLONG*)a;
    LONGLONG right = *(const LONGLONG*)b;
    return left < right ? -1 : left > right ? 1 : 0;
}

LONGLONG median(Samples& samples) {
    if (samples.count == 0) {
        return 0;
    }
    qsort(samples.ticks, (size_t)samples.count, sizeof samples.ticks[0], compareTicks);
    return samples.ticks[samples.count / 2];
}

// Tenths of a microsecond; 32 bits hold over seven minutes of them.
unsigned long tenthsOfMicroseconds(LONGLONG ticks) {
    return (unsigned long)((ticks * 10000000 + g_frequency.QuadPart / 2) / g_frequency.QuadPart);
}

// Integer arithmetic only: the C runtime's printf is used as it is.
void formatDuration(char* out, LONGLONG ticks) {
    unsigned long tenths = tenthsOfMicroseconds(ticks);
    if (tenths < 100) {
        sprintf(out, "%lu.%lu us", tenths / 10, tenths % 10);
    } else if (tenths < 100000) {
        sprintf(out, "%lu us", (tenths + 5) / 10);
    } else {
        unsigned long tenthsOfMs = (tenths + 500) / 1000;
        sprintf(out, "%lu.%lu ms", tenthsOfMs / 10, tenthsOfMs % 10);
    }
}

void formatCell(char* out, int row, int size) {
    LONGLONG ticks = g_median[row][size];
    if (ticks == 0) {
        strcpy(out, "-");
        return;
    }
    formatDuration(out, ticks);
    int floorRow = ROWS[row].floorRow;
    if (floorRow >= 0 && g_median[floorRow][size] != 0) {
        LONGLONG floorTicks = g_median[floorRow][size];
        unsigned long ratio = (unsigned long)((ticks * 10 + floorTicks / 2) / floorTicks);
        sprintf(out + strlen(out), " (%lu.%lux)", ratio / 10, ratio % 10);
    }
}

// ---------------------------------------------------------------------------
// Filling and emptying shell keys

void verbName(char* out, const char* prefix, DWORD number) {
    sprintf(out, "%s%05lu", prefix, (unsigned long)number);
}

// Adds verbs numbered from..to-1 under shell, each with its command: one
// create makes the verb and its command subkey together.
bool addVerbs(HKEY shell, const char* prefix, DWORD from, DWORD to) {
    for (DWORD number = from; number < to; ++number) {
        char path[64];
        verbName(path, prefix, number);
        strcat(path, "\\");
        strcat(path, COMMAND_KEY_NAME);
        HKEY command;
        if (RegCreateKeyExA(shell, path, 0, NULL, 0, g_view | KEY_SET_VALUE, NULL, &command,
                            NULL) != 0) {
            fprintf(stderr, "bench: cannot create %s\n", path);
            return false;
        }
        LONG status = RegSetValueExA(command, NULL, 0, REG_SZ, (const BYTE*)BENCH_COMMAND,
                                     sizeof BENCH_COMMAND);
        RegCloseKey(command);
        if (status != 0) {
            fprintf(stderr, "bench: cannot set the command of %s\n", path);
            return false;
        }
    }
    return true;
}

bool hasRealVerbPrefix(const char* name) {
    return _strnicmp(name, REAL_VERB_PREFIX, sizeof REAL_VERB_PREFIX - 1) == 0;
}

// Removes every bench verb (and its command subkey) from the real shell key
// and returns how many are still there. Nothing else is touched.
DWORD removeRealVerbs(HKEY shell) {
    DWORD count = 0;
    RegQueryInfoKeyA(shell, NULL, NULL, NULL, &count, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
    // From the last index down: a deletion shifts only the indices above it.
    for (DWORD index = count; index-- > 0;) {
        char name[260];
        DWORD length = sizeof name;
        if (RegEnumKeyExA(shell, index, name, &length, NULL, NULL, NULL, NULL) != 0 ||
            !hasRealVerbPrefix(name)) {
            continue;
        }
        char commandPath[300];
        sprintf(commandPath, "%s\\%s", name, COMMAND_KEY_NAME);
        RegDeleteKeyExA(shell, commandPath, g_view, 0);
        RegDeleteKeyExA(shell, name, g_view, 0);
    }
    DWORD left = 0;
    for (DWORD index = 0;; ++index) {
        char name[260];
        DWORD length = sizeof name;
        if (RegEnumKeyExA(shell, index, name, &length, NULL, NULL, NULL, NULL) != 0) {
            break;
        }
        if (hasRealVerbPrefix(name)) {
            ++left;
        }
    }
    return left;
}

// ---------------------------------------------------------------------------
// The floors and the store's operations

// E: what listing cannot do less than. Returns the number of subkeys seen.
DWORD enumeratePass(REGSAM rights) {
    HKEY shell;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SHELL_KEY_PATH, 0, rights, &shell) != 0) {
        return 0;
    }
    char name[260];
    DWORD index = 0;
    for (;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(shell, index, name, &length, NULL, NULL, NULL, NULL) != 0) {
            break;
        }
    }
    RegCloseKey(shell);
    return index;
}

// O: what a lookup cannot do less than, given the verb's full path.
bool openVerbAndCommand(const char* verbPath, REGSAM rights) {
    HKEY verb;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, verbPath, 0, rights, &verb) != 0) {
        return false;
    }
    HKEY command;
    LONG status = RegOpenKeyExA(verb, COMMAND_KEY_NAME, 0, rights, &command);
    if (status == 0) {
        RegCloseKey(command);
    }
    RegCloseKey(verb);
    return status == 0;
}

void countName(const char* name, void* context) {
    (void)name;
    ++*(DWORD*)context;
}

DWORD listedCount() {
    DWORD count = 0;
    listEntries(countName, &count);
    return count;
}

// What the dialog runs when its list is about to open: the notification the
// combo box sends, handled by the dialog's own procedure.
void openList(HWND dialog, HWND combo) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ITEM_TEXT, CBN_DROPDOWN), (LPARAM)combo);
}

// The box holds name as if the user had typed it, and the list has been
// opened once: the list must then hold exactly `verbs` names, the box still
// name, and Remove be offered for it.
bool dialogShowsFilled(HWND dialog, HWND combo, const char* name, DWORD verbs) {
    SetWindowTextA(combo, name);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ITEM_TEXT, CBN_EDITCHANGE), (LPARAM)combo);
    openList(dialog, combo);
    char boxText[MAX_ITEM_TEXT] = "";
    GetWindowTextA(combo, boxText, sizeof boxText);
    return SendMessageA(combo, CB_GETCOUNT, 0, 0) == (LRESULT)verbs && strcmp(boxText, name) == 0 &&
           strcmp(g_itemText, name) == 0 && IsWindowEnabled(GetDlgItem(dialog, IDC_REMOVE)) &&
           !IsWindowEnabled(GetDlgItem(dialog, IDC_ADD));
}

// The shell key's last subkey in enumeration order: the one a walk over
// every verb would reach last.
bool lastVerb(HKEY shell, DWORD size, char* name) {
    DWORD length = 260;
    return RegEnumKeyExA(shell, size - 1, name, &length, NULL, NULL, NULL, NULL) == 0;
}

// Measures every store row at one size; the sandboxed shell key holds
// exactly `size` verbs, and dialog is the program's dialog, reading the same
// sandbox. False when an operation gives a wrong answer, which would make
// its timing meaningless.
bool measureStore(HKEY shell, HWND dialog, int size) {
    DWORD verbs = SIZES[size];
    char present[260];
    if (!lastVerb(shell, verbs, present)) {
        fprintf(stderr, "bench: the shell key has fewer than %lu verbs\n", (unsigned long)verbs);
        return false;
    }
    char presentPath[300];
    sprintf(presentPath, "%s\\%s", SHELL_KEY_PATH, present);
    // Asked once, outside the timings: the floors are the registry calls alone.
    REGSAM rights = keyOpenRights();

    EntryChoices forEntry = choicesFor(present, BENCH_APP);
    EntryChoices forNew = choicesFor(ABSENT_VERB, BENCH_APP);
    if (enumeratePass(rights) != verbs || !openVerbAndCommand(presentPath, rights) ||
        listedCount() != verbs || !entryExists(present) || entryExists(ABSENT_VERB) ||
        forEntry.canAdd || !forEntry.canRemove || !forNew.canAdd || forNew.canRemove) {
        fprintf(stderr, "bench: the store does not see the %lu verbs as filled\n",
                (unsigned long)verbs);
        return false;
    }
    // The refill is timed with the box holding the entry's name, so that the
    // updateButtons it ends with does a keystroke's registry work too.
    HWND combo = GetDlgItem(dialog, IDC_ITEM_TEXT);
    if (!dialogShowsFilled(dialog, combo, present, verbs)) {
        fprintf(stderr, "bench: the dialog's list does not show the %lu verbs after opening\n",
                (unsigned long)verbs);
        return false;
    }

    static Samples samples[ROW_COUNT];
    for (int row = 0; row < ROW_COUNT; ++row) {
        samples[row].count = 0;
    }
    int rounds = ROUNDS[size];
    int fixedPerRound = (FIXED_SAMPLES + rounds - 1) / rounds;
    g_fixedSamples[size] = rounds * fixedPerRound;
    for (int round = 0; round < rounds; ++round) {
        LONGLONG begin = now();
        enumeratePass(rights);
        addSample(samples[ROW_ENUMERATE], now() - begin);

        DWORD count = 0;
        begin = now();
        listEntries(countName, &count);
        addSample(samples[ROW_LIST], now() - begin);

        begin = now();
        openList(dialog, combo);
        addSample(samples[ROW_REFILL], now() - begin);

        for (int repeat = 0; repeat < fixedPerRound; ++repeat) {
            begin = now();
            openVerbAndCommand(presentPath, rights);
            addSample(samples[ROW_OPEN], now() - begin);

            begin = now();
            entryExists(ABSENT_VERB);
            addSample(samples[ROW_EXISTS_ABSENT], now() - begin);

            begin = now();
            entryExists(present);
            addSample(samples[ROW_EXISTS_PRESENT], now() - begin);

            begin = now();
            choicesFor(present, BENCH_APP);
            addSample(samples[ROW_KEYSTROKE_ENTRY], now() - begin);

            begin = now();
            choicesFor(ABSENT_VERB, BENCH_APP);
            addSample(samples[ROW_KEYSTROKE_NEW], now() - begin);

            begin = now();
            bool added = addEntry(NEW_VERB, BENCH_APP);
            bool removed = removeEntry(NEW_VERB);
            addSample(samples[ROW_ADD_REMOVE], now() - begin);
            if (!added || !removed) {
                fprintf(stderr, "bench: adding and removing \"%s\" failed\n", NEW_VERB);
                return false;
            }
        }
    }
    for (int row = ROW_ENUMERATE; row <= ROW_ADD_REMOVE; ++row) {
        g_median[row][size] = median(samples[row]);
    }
    return true;
}

// Every size in turn, in a sandbox that is removed at the end whatever
// happened. The verbs of one size stay for the next, which only adds more.
bool runStoreBenchmarks() {
    // One bench per prefix at a time: sandboxes left by a run that died go.
    RegDeleteTreeA(HKEY_CURRENT_USER, SANDBOX_PARENT);
    char sandboxPath[64];
    sprintf(sandboxPath, "%s\\%lu", SANDBOX_PARENT, GetCurrentProcessId());
    HKEY sandbox;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, sandboxPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &sandbox,
                        NULL) != 0) {
        fprintf(stderr, "bench: cannot create the sandbox HKCU\\%s\n", sandboxPath);
        return false;
    }
    bool ok = false;
    HKEY shell = NULL;
    if (RegOverridePredefKey(HKEY_LOCAL_MACHINE, sandbox) != 0) {
        fprintf(stderr, "bench: cannot redirect HKEY_LOCAL_MACHINE\n");
    } else if (RegCreateKeyExA(sandbox, SHELL_KEY_PATH, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &shell,
                               NULL) != 0) {
        fprintf(stderr, "bench: cannot create the sandboxed shell key\n");
    } else {
        // The program's dialog, started as with an application named on the
        // command line; modeless, since nothing here runs its messages but the
        // bench's own. It lists the sandboxed shell key like everything else
        // here. Windows need a display: scripts/bench.sh's prefix has the null
        // driver.
        g_hInstance = GetModuleHandleA(NULL);
        strcpy(g_appPath, BENCH_APP);
        HWND dialog =
            CreateDialogParamA(g_hInstance, MAKEINTRESOURCEA(IDD_MAIN), NULL, dialogProc, 0);
        if (dialog == NULL) {
            fprintf(stderr, "bench: cannot create the dialog (error %lu)\n", GetLastError());
        } else {
            ok = true;
            DWORD filled = 0;
            for (int size = 0; size < SIZE_COUNT && ok; ++size) {
                fprintf(stderr, "bench: entry store with %lu verbs\n", (unsigned long)SIZES[size]);
                ok = addVerbs(shell, SANDBOX_VERB_PREFIX, filled, SIZES[size]) &&
                     measureStore(shell, dialog, size);
                filled = SIZES[size];
            }
            DestroyWindow(dialog);
            // The dialog ends the program's message loop as it goes; this
            // program has none, so the quit message is taken off again.
            MSG quit;
            PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
        }
        RegCloseKey(shell);
    }
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, NULL);
    RegCloseKey(sandbox);
    RegDeleteTreeA(HKEY_CURRENT_USER, sandboxPath);
    RegDeleteKeyA(HKEY_CURRENT_USER, SANDBOX_PARENT); // goes only when empty
    return ok;
}

// ---------------------------------------------------------------------------
// Process start

// Starts program and returns the ticks until its dialog is visible, or -1.
// The dialog is closed and the process waited for before the next start.
LONGLONG timeStart(const char* program) {
    char commandLine[MAX_PATH + 40];
    sprintf(commandLine, "\"%s\"", program);
    STARTUPINFOA startup;
    memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    LONGLONG begin = now();
    if (!CreateProcessA(NULL, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        fprintf(stderr, "bench: cannot start %s (error %lu)\n", program, GetLastError());
        return -1;
    }
    LONGLONG elapsed = -1;
    HWND dialog = NULL;
    LONGLONG giveUp = g_frequency.QuadPart * 30;
    for (;;) {
        dialog = findProcessDialog(process.dwProcessId);
        if (dialog != NULL) {
            elapsed = now() - begin;
            break;
        }
        // Also the pause between polls: about a millisecond.
        if (WaitForSingleObject(process.hProcess, 1) != WAIT_TIMEOUT || now() - begin > giveUp) {
            fprintf(stderr, "bench: %s showed no dialog\n", program);
            break;
        }
    }
    if (dialog != NULL) {
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 10000) == WAIT_TIMEOUT) {
        fprintf(stderr, "bench: %s did not end; terminated\n", program);
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
        elapsed = -1;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

// Alternates the two programs, so that anything else the machine does
// falls on both alike.
bool measureStarts(const char* bareDialog, const char* program, int size) {
    if (timeStart(bareDialog) < 0 || timeStart(program) < 0) {
        return false;
    }
    static Samples bare;
    static Samples full;
    bare.count = 0;
    full.count = 0;
    for (int start = 0; start < STARTS; ++start) {
        LONGLONG bareTicks = timeStart(bareDialog);
        LONGLONG programTicks = timeStart(program);
        if (bareTicks < 0 || programTicks < 0) {
            return false;
        }
        addSample(bare, bareTicks);
        addSample(full, programTicks);
    }
    g_median[ROW_BARE_START][size] = median(bare);
    g_median[ROW_PROGRAM_START][size] = median(full);
    return true;
}

bool runStartBenchmarks(const char* bareDialog, const char* program) {
    HKEY shell;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, SHELL_KEY_PATH, 0, NULL, 0, g_view | KEY_ALL_ACCESS,
                        NULL, &shell, NULL) != 0) {
        fprintf(stderr, "bench: cannot open HKLM\\%s (run as administrator)\n", SHELL_KEY_PATH);
        return false;
    }
    // Verbs left by a run that died would count towards the first size.
    removeRealVerbs(shell);
    bool ok = true;
    DWORD filled = 0;
    for (int size = 0; size < SIZE_COUNT && ok; ++size) {
        if (!STARTS_AT_SIZE[size]) {
            continue;
        }
        fprintf(stderr, "bench: program start with %lu verbs\n", (unsigned long)SIZES[size]);
        ok = addVerbs(shell, REAL_VERB_PREFIX, filled, SIZES[size]) &&
             measureStarts(bareDialog, program, size);
        filled = SIZES[size];
    }
    DWORD left = removeRealVerbs(shell);
    RegCloseKey(shell);
    if (left != 0) {
        fprintf(stderr, "bench: %lu verbs named \"%s...\" could not be removed\n",
                (unsigned long)left, REAL_VERB_PREFIX);
        ok = false;
    }
    return ok;
}

// S and the program's start against it, where both halves were measured.
void deriveListedStarts() {
    for (int size = 0; size < SIZE_COUNT; ++size) {
        if (g_median[ROW_BARE_START][size] != 0 && g_median[ROW_LIST][size] != 0) {
            g_median[ROW_LISTED_START][size] =
                g_median[ROW_BARE_START][size] + g_median[ROW_LIST][size];
            g_median[ROW_PROGRAM_START_BY_LISTED][size] = g_median[ROW_PROGRAM_START][size];
        }
    }
}

// ---------------------------------------------------------------------------

void printTable(const char* program) {
#ifdef _WIN64
    // Only where 32-bit code cannot run: these are not the shipped program's
    // figures.
    printf("64-bit test build (x86_64), not the 32-bit program that ships.\n");
#endif
    printf("Median time per operation; in brackets, its ratio to the floor (E, O, B or S)\n");
    printf("measured in the same run. S is not timed: it is B plus listEntries at the same N.\n\n");
    printf("%-34s", "operation");
    for (int size = 0; size < SIZE_COUNT; ++size) {
        char heading[32];
        sprintf(heading, "N=%lu", (unsigned long)SIZES[size]);
        printf(size + 1 < SIZE_COUNT ? "%-20s" : "%s", heading);
    }
    printf("\n");
    for (int row = 0; row < ROW_COUNT; ++row) {
        printf("%-34s", ROWS[row].label);
        for (int size = 0; size < SIZE_COUNT; ++size) {
            char cell[64];
            formatCell(cell, row, size);
            printf(size + 1 < SIZE_COUNT ? "%-20s" : "%s", cell);
        }
        printf("\n");
    }

    printf("\nkeystroke: choicesFor, what updateButtons asks of the store; useOfName, and\n");
    printf("acceptsEntry only for a free name. list refill: the dialog's own CBN_DROPDOWN\n");
    printf("handling with an entry's name in the box: empty the list, listEntries into it,\n");
    printf("updateButtons.\n");
    printf("\nSamples per cell: E, listEntries and list refill");
    for (int size = 0; size < SIZE_COUNT; ++size) {
        printf("%s%d", size == 0 ? " " : "/", ROUNDS[size]);
    }
    printf(";\nO, entryExists, keystroke, addEntry + removeEntry");
    for (int size = 0; size < SIZE_COUNT; ++size) {
        printf("%s%d", size == 0 ? " " : "/", g_fixedSamples[size]);
    }
    printf("; starts %d of each.\n", STARTS);
    printf("N verbs in the shell key, each with its command; registry view: %s.\n",
           g_view != 0 ? "64-bit (KEY_WOW64_64KEY)" : "the only one");

    WIN32_FILE_ATTRIBUTE_DATA attributes;
    if (GetFileAttributesExA(program, GetFileExInfoStandard, &attributes)) {
        unsigned long bytes = attributes.nFileSizeLow;
        unsigned long tenthsOfKiB = (bytes * 10 + 512) / 1024;
#ifdef _WIN64
        const char* build = " (64-bit test build)";
#else
        const char* build = "";
#endif
        printf("quillet.exe%s: %lu bytes (%lu.%lu KiB)\n", build, bytes, tenthsOfKiB / 10,
               tenthsOfKiB % 10);
    }
}

} // namespace

int main() {
    // Text mode would end every line with "\r\n" on the Unix side of Wine.
    _setmode(_fileno(stdout), _O_BINARY);
    QueryPerformanceFrequency(&g_frequency);
    g_view = is64BitWindows() ? g_wow64Flag : 0;

    // This program is in build\bench; the program under test in build.
    char folder[MAX_PATH];
    GetModuleFileNameA(NULL, folder, sizeof folder);
    *strrchr(folder, '\\') = '\0';
    char bareDialog[MAX_PATH + 32];
    sprintf(bareDialog, "%s\\bare_dialog.exe", folder);
    *strrchr(folder, '\\') = '\0';
    char program[MAX_PATH + 32];
    sprintf(program, "%s\\quillet.exe", folder);

    DWORD began = GetTickCount();
    if (!runStoreBenchmarks() || !runStartBenchmarks(bareDialog, program)) {
        return 1;
    }
    deriveListedStarts();
    printTable(program);
    printf("Measured in %lu s.\n", (GetTickCount() - began + 500) / 1000);
    fflush(stdout);
    return 0;
}
