// winprobe verbs that synthesise input (it arrives flagged as injected):
//
//   winprobe send-taps VK COUNT GAPMS   presses and releases VK COUNT times with
//                                       SendInput, GAPMS ms between the taps
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

UINT Parse(const wchar_t* text) { return static_cast<UINT>(std::wcstoul(text, nullptr, 0)); }

bool SendKey(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return SendInput(1, &in, sizeof(INPUT)) == 1;
}

int SendTaps(WORD vk, UINT count, UINT gap) {
    UINT sent = 0;
    for (UINT i = 0; i < count; ++i) {
        if (i) Sleep(gap);
        if (SendKey(vk, false)) ++sent;
        Sleep(20);
        if (SendKey(vk, true)) ++sent;
    }
    std::printf("{\"sent\":%u}\n", sent);
    return sent == 2 * count ? 0 : 1;
}

}  // namespace

int RunInputVerb(const std::wstring& verb, int argc, wchar_t** argv) {
    if (verb == L"send-taps" && argc >= 5)
        return SendTaps(static_cast<WORD>(Parse(argv[2])), Parse(argv[3]), Parse(argv[4]));
    return -1;
}
