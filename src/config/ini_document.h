#pragma once
// In-memory INI document: sections and "key=value" lines in the order they
// first appeared, case-sensitive names, read from any of the supported text
// encodings and written back in normal form as UTF-8 with a byte-order mark.
//
// Each operation builds its own document on the file's path, loads it, reads
// or changes entries and (for writers) saves it; the file is the only shared
// state. load() and save() are the file adapter (ini_document_win.cpp); the
// rest is platform-free.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace lumetra::config {

// Files larger than this many bytes are refused; exactly this size is read.
inline constexpr std::size_t kIniMaxFileBytes = 524288;

class IniDocument {
  public:
    explicit IniDocument(std::wstring path);

    const std::wstring& path() const { return path_; }

    // Reads the file. True when the document reflects it, including a missing
    // file (empty document); false when the file exists but cannot be used.
    bool load();
    // Writes the whole document through "<path>.tmp" and an atomic replace.
    // True only when the file was replaced; on failure the old file is kept
    // and the temporary file removed.
    bool save() const;

    // The stored value, or a copy of `fallback` (empty for null) when the
    // section or key is absent or either name is null.
    std::wstring get(const wchar_t* section, const wchar_t* key, const wchar_t* fallback) const;
    // The stored value, or null when the section or key is absent.
    const std::wstring* find(const wchar_t* section, const wchar_t* key) const;
    // Stores a value, creating the section and key in order of first use.
    // Does nothing when any argument is null.
    void set(const wchar_t* section, const wchar_t* key, const wchar_t* value);
    void ensureSection(const wchar_t* section);

    // Replaces the content with the parsed file bytes (size limits, encoding
    // detection, line rules). False when the bytes cannot be used.
    bool loadFromBytes(const std::uint8_t* data, std::size_t size);
    // Replaces the content with the parsed text.
    void parseText(std::wstring_view text);
    // The document in normal form, without byte-order mark or final line end.
    std::wstring serializeText() const;
    // The file's bytes: EF BB BF + UTF-8 of serializeText(); empty when the
    // document has no sections (such a document is never written).
    std::string serializeFileBytes() const;

    void clear();

    // Read-only view for tests and tools.
    std::vector<std::wstring> sectionNames() const;
    std::vector<std::wstring> keyNames(const wchar_t* section) const;

  private:
    struct Section {
        std::wstring name;
        std::vector<std::pair<std::wstring, std::wstring>> entries;  // in key order
        std::unordered_map<std::wstring, std::size_t> index;         // key -> entry
    };

    Section& sectionFor(std::wstring_view name);
    const Section* findSection(std::wstring_view name) const;
    static void store(Section& section, std::wstring_view key, std::wstring_view value);

    std::wstring path_;
    std::vector<Section> sections_;                               // in section order
    std::unordered_map<std::wstring, std::size_t> sectionIndex_;  // name -> section
};

// Decodes INI file bytes to UTF-16: FF FE UTF-16LE; "[" 00 UTF-16LE without
// mark; else (after an optional EF BB BF) strict UTF-8, lenient UTF-8, Latin-1.
std::wstring DecodeIniBytes(const std::uint8_t* data, std::size_t size);

// The first maxUnits units of a value, less the blanks the reader would trim
// from the end: a value cut this way reads back the same once saved.
std::wstring CutValue(std::wstring_view value, std::size_t maxUnits);

}  // namespace lumetra::config
