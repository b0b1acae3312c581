/* Wine's C runtime headers ship <unistd.h>; cl.exe's do not. */
#error <unistd.h> is not a header of cl.exe's C runtime
