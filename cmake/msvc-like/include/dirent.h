/* Wine's C runtime headers ship <dirent.h>; cl.exe's do not. */
#error <dirent.h> is not a header of cl.exe's C runtime
