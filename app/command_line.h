#ifndef QUILLET_APP_COMMAND_LINE_H
#define QUILLET_APP_COMMAND_LINE_H

#include "app/quillet.h"

// Copies the first argument of a command-line tail into destination: after
// leading blanks, either up to the closing double quote (the quotes dropped)
// or up to the next blank. A missing closing quote lets the argument run to
// the end of the line. An argument longer than MAX_APP_PATH - 1 bytes leaves
// destination empty, as if there were none.
void takeFirstArgument(const char* commandLine, char (&destination)[MAX_APP_PATH]);

#endif
