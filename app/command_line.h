#ifndef QUILLET_APP_COMMAND_LINE_H
#define QUILLET_APP_COMMAND_LINE_H

#include "app/quillet.h"

// Copies the first argument of a command-line tail into destination: after
// leading blanks, either up to the closing double quote (the quotes dropped)
// or up to the next blank, at most MAX_APP_PATH - 1 characters. A missing
// closing quote lets the argument run to the end of the line.
void takeFirstArgument(const char* commandLine, char (&destination)[MAX_APP_PATH]);

#endif
