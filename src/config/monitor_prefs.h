#pragma once
// Per-monitor preferences: where the palette stood on each monitor, its view
// and its sort and grouping, kept in the maps of Settings and in the sections
// MonitorPos, MonitorView and MonitorLayout of config.ini.
#include <string>

#include "config/ini_document.h"

namespace lumetra::config {

// Each clears its map and fills it from its section, skipping invalid lines.
void LoadMonitorPos(const IniDocument& doc);
void LoadMonitorView(const IniDocument& doc);
void LoadMonitorLayout(const IniDocument& doc);

// Set every valid entry into the document, in key order.
void WriteMonitorPos(IniDocument& doc);
void WriteMonitorView(IniDocument& doc);
void WriteMonitorLayout(IniDocument& doc);

// Sets ViewMode when valid; otherwise logs and repairs it.
void SetCfgViewMode(std::int32_t view, const wchar_t* source);
// Repairs an invalid ViewMode from the last valid one, the palette monitor's
// stored view, or medium icons.
void EnsureCfgView(const wchar_t* source);

// Loads one monitor's view and layout into the settings, re-reading the
// file's MonitorView and MonitorLayout first. False for an unknown monitor.
bool MonitorPrefsLoadKey(const std::wstring& key);

// Stores the current view and layout as the monitor's entries.
void PersistPaletteView(const std::wstring& key);
// The same for the current monitor, then writes UI.ViewMode, MonitorView and
// MonitorLayout to the file.
void PersistViewMode();

// currentMonitorKey when usable, else the palette monitor's key when usable,
// else empty.
std::wstring ChooseCurrentMonitorKey(const std::wstring& current,
                                     const std::wstring& paletteMonitor);

}  // namespace lumetra::config
