#pragma once
// Process exit codes of Stilvane; scripts and shortcuts rely on these values.
namespace lumetra::layouttool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitUnknownSwitch = 2;
inline constexpr int kExitSaveNoView = 3;
inline constexpr int kExitSaveWriteFailed = 4;
inline constexpr int kExitRestoreNoFile = 5;
inline constexpr int kExitRestoreForeignFile = 6;
inline constexpr int kExitRestoreNoView = 7;
inline constexpr int kExitToggleKeyUnavailable = 10;
inline constexpr int kExitToggleWriteFailed = 11;

}  // namespace lumetra::layouttool
