// print_one_line.exe: the cheapest console program that prints one line, the
// baseline the benchmark sets Tackroll against.
#include <windows.h>

int wmain() {
    static const char kLine[] = "one line\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), kLine, sizeof kLine - 1, &written, nullptr);
    return 0;
}
