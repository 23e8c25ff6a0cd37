#pragma once
// The layout file on disk: its path, and whole-file reads and writes.
#include <cstdint>
#include <string>
#include <vector>

#include "layouttool/layout_actions.h"

namespace lumetra::layouttool {

// "%APPDATA%\veltor\Stilvane\desktop_layout.sv1", creating the folder; empty
// when APPDATA is unset or too long.
std::wstring GetLayoutFilePath();

// Writes the image to "<path>.tmp" and moves it over `path`, so a failed or
// interrupted save leaves the previous layout as it was.
bool WriteLayoutFile(const std::wstring& path, const std::vector<std::uint8_t>& image);

// Moves `from` over `to` in one step, so `to` always holds the old or the new file.
bool ReplaceLayoutFile(const std::wstring& from, const std::wstring& to);

// True when the file is gone afterwards, also when it never existed.
bool DeleteLayoutFile(const std::wstring& path);

// The whole file in one read; kUnavailable when it cannot be opened or read
// or is larger than kMaxLayoutFileBytes.
FileRead ReadLayoutFile(const std::wstring& path, std::vector<std::uint8_t>& bytes);

}  // namespace lumetra::layouttool
