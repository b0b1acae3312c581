/* Wine's C runtime headers ship <sys/unistd.h>; cl.exe's do not. */
#error <sys/unistd.h> is not a header of cl.exe's C runtime
