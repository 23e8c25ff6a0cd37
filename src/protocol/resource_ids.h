#pragma once
// Icon resources of Lumetra.exe.
#define IDI_LUMETRA_APP 101
#define IDI_LUMETRA_TRAY 102
