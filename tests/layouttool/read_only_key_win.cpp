// read_only_key: "read_only_key SUBKEY" makes HKEY_CURRENT_USER\SUBKEY
// readable but not writable, for the end-to-end tests of a denied key.
#include "read_only_key_win.h"

#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    return MakeKeyReadOnly(argv[1]) ? 0 : 1;
}
