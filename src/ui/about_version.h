#pragma once
// The texts of the About card, read from the program's version block (the
// binary form of its VERSIONINFO resource) with a default for each field that
// is missing or empty. Read here rather than through version.dll, which the
// loader would look for beside the program first.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace lumetra::ui {

// The value of the node at a path such as "\StringFileInfo\040904b0\Comments"
// (keys compared without case, as the system does). Text nodes give their
// characters up to the terminator; binary nodes give nothing here.
std::optional<std::wstring> VersionText(std::span<const std::uint8_t> block,
                                        std::wstring_view path);

// The first language and code page listed under "\VarFileInfo\Translation".
struct VersionTranslation {
    std::uint16_t language = 0;
    std::uint16_t codePage = 0;
};
std::optional<VersionTranslation> FirstVersionTranslation(std::span<const std::uint8_t> block);

// The defaults; the program's own version resource carries the same legal
// notice, credit and note.
inline constexpr const wchar_t* kDefaultProductName = L"Lumetra";
inline constexpr const wchar_t* kDefaultProductVersion = L"1.11";
inline constexpr const wchar_t* kDefaultComments =
    L"Desktop Quick Access. No window minimizing required.";
inline constexpr const wchar_t* kDefaultLegalCopyright = L"Copyright (C) 2026 veltor";
inline constexpr const wchar_t* kDefaultCreatedBy =
    L"Made by veltor: <a href=\"https://veltor.example/\">veltor.example</a>";
inline constexpr const wchar_t* kDefaultNote =
    L"One of the veltor desktop utilities, with Stilvane and Tackroll.";

struct AboutTexts {
    std::wstring title;
    std::wstring version;  // "Version " and the product version
    std::wstring description;
    std::wstring legal;
    std::wstring credit;  // link markup for the credit line
    std::wstring note;
    bool operator==(const AboutTexts&) const = default;
};

// An empty block (no resource) gives every default.
AboutTexts ReadAboutTexts(std::span<const std::uint8_t> block);

// The address of the first link in the credit markup (<a href="...">), or
// empty when it has none.
std::wstring LinkAddress(std::wstring_view markup);

}  // namespace lumetra::ui
