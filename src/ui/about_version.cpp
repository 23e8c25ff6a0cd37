#include "ui/about_version.h"

#include <algorithm>
#include <cstddef>

#include "log/bounded_format.h"

namespace lumetra::ui {
namespace {

// A node: WORD length (bytes, children included), WORD value length, WORD
// type (1 text, 0 binary), the key's UTF-16 units with a terminator, then the
// value and the children, each starting on a 32-bit boundary of the block.
struct VersionNode {
    std::size_t begin = 0, end = 0;
    std::wstring key;
    std::size_t valueBegin = 0, valueEnd = 0;  // bytes of the value, within the node
    bool text = false;
    std::size_t childrenBegin = 0;
};

constexpr std::size_t kHeaderBytes = 6;

std::uint16_t Word(std::span<const std::uint8_t> block, std::size_t at) {
    return static_cast<std::uint16_t>(block[at] | (block[at + 1] << 8));
}

std::size_t Align4(std::size_t at) { return (at + 3) & ~static_cast<std::size_t>(3); }

// The node at `at`, which must end by `limit`.
std::optional<VersionNode> ReadNode(std::span<const std::uint8_t> block, std::size_t at,
                                    std::size_t limit) {
    if (at + kHeaderBytes > limit) return std::nullopt;
    const std::size_t length = Word(block, at);
    if (length < kHeaderBytes || at + length > limit) return std::nullopt;
    VersionNode node;
    node.begin = at;
    node.end = at + length;
    const std::size_t valueLength = Word(block, at + 2);
    node.text = Word(block, at + 4) == 1;
    std::size_t p = at + kHeaderBytes;
    for (;; p += 2) {
        if (p + 2 > node.end) return std::nullopt;  // a key without its terminator
        const std::uint16_t unit = Word(block, p);
        if (unit == 0) break;
        node.key.push_back(static_cast<wchar_t>(unit));
    }
    node.valueBegin = std::min(Align4(p + 2), node.end);
    // Text lengths count UTF-16 units, binary ones bytes.
    const std::size_t valueBytes = node.text ? valueLength * 2 : valueLength;
    node.valueEnd = std::min(node.valueBegin + valueBytes, node.end);
    node.childrenBegin = std::min(Align4(node.valueEnd), node.end);
    return node;
}

wchar_t Lower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool SameKey(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

std::optional<VersionNode> Child(std::span<const std::uint8_t> block, const VersionNode& parent,
                                 std::wstring_view key) {
    std::size_t at = parent.childrenBegin;
    while (at + kHeaderBytes <= parent.end) {
        const std::optional<VersionNode> child = ReadNode(block, at, parent.end);
        if (!child) return std::nullopt;
        if (SameKey(child->key, key)) return child;
        at = Align4(child->end);
    }
    return std::nullopt;
}

std::optional<VersionNode> Find(std::span<const std::uint8_t> block, std::wstring_view path) {
    std::optional<VersionNode> node = ReadNode(block, 0, block.size());
    while (node && !path.empty()) {
        const std::size_t start = path.find_first_not_of(L'\\');
        if (start == std::wstring_view::npos) break;
        path.remove_prefix(start);
        const std::size_t stop = path.find(L'\\');
        const std::wstring_view key = path.substr(0, stop);
        path.remove_prefix(stop == std::wstring_view::npos ? path.size() : stop);
        node = Child(block, *node, key);
    }
    return node;
}

// The field from the table of the first translation, or the default.
std::wstring Field(std::span<const std::uint8_t> block,
                   const std::optional<VersionTranslation>& translation, const wchar_t* name,
                   const wchar_t* fallback) {
    if (translation) {
        wchar_t path[log::kTruncatingBufferUnits];
        if (log::FormatToBufferTruncating(path, log::kTruncate, L"\\StringFileInfo\\%04x%04x\\%s",
                                          static_cast<unsigned>(translation->language),
                                          static_cast<unsigned>(translation->codePage), name) > 0) {
            std::optional<std::wstring> value = VersionText(block, path);
            if (value && !value->empty()) return *value;
        }
    }
    return fallback;
}

}  // namespace

std::optional<std::wstring> VersionText(std::span<const std::uint8_t> block,
                                        std::wstring_view path) {
    const std::optional<VersionNode> node = Find(block, path);
    if (!node || !node->text) return std::nullopt;
    std::wstring value;
    // Up to the terminator: some resource compilers count the value's
    // length in bytes, which would reach past it.
    for (std::size_t p = node->valueBegin; p + 2 <= node->valueEnd; p += 2) {
        const std::uint16_t unit = Word(block, p);
        if (unit == 0) break;
        value.push_back(static_cast<wchar_t>(unit));
    }
    return value;
}

std::optional<VersionTranslation> FirstVersionTranslation(std::span<const std::uint8_t> block) {
    const std::optional<VersionNode> node = Find(block, L"\\VarFileInfo\\Translation");
    if (!node || node->text || node->valueEnd - node->valueBegin < 4) return std::nullopt;
    return VersionTranslation{Word(block, node->valueBegin), Word(block, node->valueBegin + 2)};
}

AboutTexts ReadAboutTexts(std::span<const std::uint8_t> block) {
    const std::optional<VersionTranslation> translation = FirstVersionTranslation(block);
    AboutTexts texts;
    texts.title = Field(block, translation, L"ProductName", kDefaultProductName);
    texts.version =
        L"Version " + Field(block, translation, L"ProductVersion", kDefaultProductVersion);
    texts.description = Field(block, translation, L"Comments", kDefaultComments);
    texts.legal = Field(block, translation, L"LegalCopyright", kDefaultLegalCopyright);
    texts.credit = Field(block, translation, L"CreatedBy", kDefaultCreatedBy);
    texts.note = Field(block, translation, L"Note", kDefaultNote);
    return texts;
}

std::wstring LinkAddress(std::wstring_view markup) {
    // The SysLink's own markup: <a href="address"> or <a href='address'>, tag
    // and attribute in any case.
    std::wstring lower(markup);
    for (wchar_t& c : lower) c = Lower(c);
    const std::size_t anchor = lower.find(L"<a ");
    if (anchor == std::wstring::npos) return {};
    const std::size_t close = lower.find(L'>', anchor);
    const std::size_t href = lower.find(L"href=", anchor);
    if (href == std::wstring::npos || href > close) return {};
    const std::size_t quoteAt = href + 5;
    if (quoteAt >= markup.size()) return {};
    const wchar_t quote = markup[quoteAt];
    if (quote != L'"' && quote != L'\'') return {};
    const std::size_t end = markup.find(quote, quoteAt + 1);
    if (end == std::wstring_view::npos) return {};
    return std::wstring(markup.substr(quoteAt + 1, end - quoteAt - 1));
}

}  // namespace lumetra::ui
