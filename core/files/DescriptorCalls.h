#pragma once
// The C library's calls on file descriptors (open, read, write, close,
// fstat, access and their flags) on every platform: <io.h> declares them
// under Windows, <unistd.h> elsewhere.

#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif
