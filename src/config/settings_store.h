#pragma once
// Reading and writing the settings record from and to config.ini. Every
// writer reloads the file first and changes only its own keys; while a file
// that failed to load sits at the path, nothing is written.
namespace lumetra::config {

// Fills Cfg() from the file (defaults for a missing file). An unreadable file
// leaves the settings as they are and blocks writing until a later load
// succeeds or the file is deleted.
void LoadConfig();
// Writes the settings, the palette rectangle and the monitor maps.
void SaveConfig();
// Writes only [Window] Opacity.
void SaveOpacity();
// Re-reads the UI language from the file.
void ReloadUiLanguage();

}  // namespace lumetra::config
