#include "app/command_line.h"

#include <string.h>

void takeFirstArgument(const char* commandLine, char (&destination)[MAX_APP_PATH]) {
    const char* start = commandLine;
    while (*start == ' ') {
        ++start;
    }
    char terminator = ' ';
    if (*start == '"') {
        terminator = '"';
        ++start;
    }
    size_t length = 0;
    while (start[length] != '\0' && start[length] != terminator) {
        ++length;
    }
    // A cut path names another file, or ends inside a character: an
    // argument that does not fit whole is not taken at all.
    if (length > MAX_APP_PATH - 1) {
        length = 0;
    }
    memcpy(destination, start, length);
    destination[length] = '\0';
}
