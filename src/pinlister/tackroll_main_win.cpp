// Tackroll entry point.
#include <windows.h>

int wmain() { return 0; }
