#include "config/ini_document.h"

#include <utility>

#include "platform/utf8.h"

namespace lumetra::config {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring_view Trim(std::wstring_view s) {
    std::size_t begin = 0, end = s.size();
    while (begin < end && IsBlank(s[begin])) ++begin;
    while (end > begin && IsBlank(s[end - 1])) --end;
    return s.substr(begin, end - begin);
}

std::wstring DecodeUtf16Le(const std::uint8_t* data, std::size_t units) {
    std::wstring text(units, L'\0');
    for (std::size_t i = 0; i < units; ++i)
        text[i] = static_cast<wchar_t>(data[2 * i] | (data[2 * i + 1] << 8));
    return text;
}

}  // namespace

std::wstring CutValue(std::wstring_view value, std::size_t maxUnits) {
    const std::wstring_view cut = value.substr(0, maxUnits);
    std::size_t end = cut.size();
    while (end > 0 && IsBlank(cut[end - 1])) --end;
    return std::wstring(cut.substr(0, end));
}

std::wstring DecodeIniBytes(const std::uint8_t* data, std::size_t size) {
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE)
        return DecodeUtf16Le(data + 2, (size - 2) / 2);
    if (size >= 4 && data[0] == 0x5B && data[1] == 0x00) return DecodeUtf16Le(data, size / 2);
    if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
        data += 3;
        size -= 3;
    }
    std::wstring text;
    if (platform::DecodeUtf8Strict(data, size, text) && !text.empty()) return text;
    text.clear();
    platform::DecodeUtf8Lenient(data, size, text);
    if (!text.empty()) return text;
    platform::DecodeLatin1(data, size, text);
    return text;
}

IniDocument::IniDocument(std::wstring path) : path_(std::move(path)) {}

void IniDocument::clear() {
    sections_.clear();
    sectionIndex_.clear();
}

bool IniDocument::loadFromBytes(const std::uint8_t* data, std::size_t size) {
    clear();
    if (!data || size == 0 || size > kIniMaxFileBytes) return false;
    const std::wstring text = DecodeIniBytes(data, size);
    if (text.empty()) return false;
    parseText(text);
    return true;
}

void IniDocument::parseText(std::wstring_view text) {
    clear();
    Section* current = nullptr;
    std::size_t pos = 0;
    while (true) {
        std::size_t end = pos;
        while (end < text.size() && text[end] != L'\r' && text[end] != L'\n') ++end;
        // Names and values are C strings wherever they are set, so a NUL ends
        // the line's content; otherwise a value saved once would change again.
        std::wstring_view raw = text.substr(pos, end - pos);
        raw = raw.substr(0, raw.find(L'\0'));
        const std::wstring_view line = Trim(raw);

        if (line.empty() || line[0] == L';') {
            // blank or comment
        } else if (line.size() >= 3 && line.front() == L'[' && line.back() == L']') {
            current = &sectionFor(line.substr(1, line.size() - 2));
        } else if (current) {
            const std::size_t eq = line.find(L'=');
            if (eq != std::wstring_view::npos) {
                const std::wstring_view key = Trim(line.substr(0, eq));
                if (!key.empty()) store(*current, key, Trim(line.substr(eq + 1)));
            }
        }

        if (end >= text.size()) break;
        pos =
            end + ((text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n') ? 2 : 1);
    }
}

IniDocument::Section& IniDocument::sectionFor(std::wstring_view name) {
    auto [it, inserted] = sectionIndex_.try_emplace(std::wstring(name), sections_.size());
    if (inserted) sections_.push_back(Section{it->first, {}, {}});
    return sections_[it->second];
}

const IniDocument::Section* IniDocument::findSection(std::wstring_view name) const {
    const auto it = sectionIndex_.find(std::wstring(name));
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

void IniDocument::store(Section& section, std::wstring_view key, std::wstring_view value) {
    auto [it, inserted] = section.index.try_emplace(std::wstring(key), section.entries.size());
    if (inserted)
        section.entries.emplace_back(it->first, std::wstring(value));
    else
        section.entries[it->second].second.assign(value);
}

std::wstring IniDocument::get(const wchar_t* section, const wchar_t* key,
                              const wchar_t* fallback) const {
    const std::wstring missing = fallback ? fallback : L"";
    if (!section || !key) return missing;
    const Section* s = findSection(section);
    if (!s) return missing;
    const auto it = s->index.find(key);
    return it == s->index.end() ? missing : s->entries[it->second].second;
}

const std::wstring* IniDocument::find(const wchar_t* section, const wchar_t* key) const {
    if (!section || !key) return nullptr;
    const Section* s = findSection(section);
    if (!s) return nullptr;
    const auto it = s->index.find(key);
    return it == s->index.end() ? nullptr : &s->entries[it->second].second;
}

void IniDocument::set(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
    if (!section || !key || !value) return;
    store(sectionFor(section), key, value);
}

void IniDocument::ensureSection(const wchar_t* section) {
    if (section) sectionFor(section);
}

std::wstring IniDocument::serializeText() const {
    std::size_t size = 0;
    for (const Section& s : sections_) {
        size += s.name.size() + 4;
        for (const auto& [k, v] : s.entries) size += k.size() + v.size() + 3;
    }
    std::wstring text;
    text.reserve(size);
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        if (i > 0) text += L"\r\n";
        text += L'[';
        text += sections_[i].name;
        text += L']';
        for (const auto& [key, value] : sections_[i].entries) {
            text += L"\r\n";
            text += key;
            text += L'=';
            text += value;
        }
    }
    return text;
}

std::string IniDocument::serializeFileBytes() const {
    if (sections_.empty()) return {};
    std::string bytes = "\xEF\xBB\xBF";
    platform::EncodeUtf8(serializeText(), bytes);
    return bytes;
}

std::vector<std::wstring> IniDocument::sectionNames() const {
    std::vector<std::wstring> names;
    for (const Section& s : sections_) names.push_back(s.name);
    return names;
}

std::vector<std::wstring> IniDocument::keyNames(const wchar_t* section) const {
    std::vector<std::wstring> names;
    if (const Section* s = section ? findSection(section) : nullptr)
        for (const auto& entry : s->entries) names.push_back(entry.first);
    return names;
}

}  // namespace lumetra::config
