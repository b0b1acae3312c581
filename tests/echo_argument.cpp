// Stands in for an application that a menu entry starts: writes the number
// of arguments it received and its first argument to received.txt beside
// itself, as the C runtime split them.
#include <windows.h>

#include <stdio.h>
#include <string.h>

int main(int argc, char** argv) {
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, sizeof path);
    strcpy(strrchr(path, '\\') + 1, "received.txt");
    FILE* out = fopen(path, "wb");
    if (out == NULL) {
        return 1;
    }
    fprintf(out, "%d\n%s", argc - 1, argc > 1 ? argv[1] : "");
    fclose(out);
    return 0;
}
