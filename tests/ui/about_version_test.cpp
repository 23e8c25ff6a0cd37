// The About card's texts from a version block: the table of the first listed
// translation, a default for each missing or empty field, and no read outside
// a damaged block.
#include "ui/about_version.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace lumetra::ui {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A version block node as resource compilers lay it out.
struct Node {
    std::wstring key;
    bool text = true;
    std::wstring textValue;
    Bytes binaryValue;
    std::vector<Node> children;
    bool lengthInBytes = false;  // a text length counted in bytes, as some compilers write it
};

void PutWord(Bytes& out, std::size_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}
void Pad(Bytes& out) {
    while (out.size() % 4) out.push_back(0);
}

void Write(Bytes& out, const Node& node) {
    Pad(out);
    const std::size_t start = out.size();
    const std::size_t units = node.textValue.empty() ? 0 : node.textValue.size() + 1;
    PutWord(out, 0);  // length, patched below
    PutWord(out, node.text ? (node.lengthInBytes ? units * 2 : units) : node.binaryValue.size());
    PutWord(out, node.text ? 1 : 0);
    for (wchar_t c : node.key) PutWord(out, static_cast<std::size_t>(c));
    PutWord(out, 0);
    Pad(out);
    if (node.text && units) {
        for (wchar_t c : node.textValue) PutWord(out, static_cast<std::size_t>(c));
        PutWord(out, 0);
    }
    out.insert(out.end(), node.binaryValue.begin(), node.binaryValue.end());
    for (const Node& child : node.children) Write(out, child);
    const std::size_t length = out.size() - start;
    out[start] = static_cast<std::uint8_t>(length & 0xFF);
    out[start + 1] = static_cast<std::uint8_t>(length >> 8);
}

Node Text(std::wstring key, std::wstring value) {
    return {std::move(key), true, std::move(value), {}, {}};
}

Node Table(std::wstring name, std::vector<Node> strings) {
    return {std::move(name), true, L"", {}, std::move(strings)};
}

// Root with a fixed-info value, the string tables, and the translations.
Bytes Block(std::vector<Node> tables, std::vector<std::pair<int, int>> translations) {
    Bytes list;
    for (const auto& [language, codePage] : translations) {
        PutWord(list, static_cast<std::size_t>(language));
        PutWord(list, static_cast<std::size_t>(codePage));
    }
    Node root{L"VS_VERSION_INFO", false, L"", Bytes(52, 0xEE), {}};
    root.children.push_back({L"StringFileInfo", true, L"", {}, std::move(tables)});
    if (!translations.empty()) {
        Node var{L"VarFileInfo", true, L"", {}, {}};
        var.children.push_back({L"Translation", false, L"", list, {}});
        root.children.push_back(var);
    }
    Bytes out;
    Write(out, root);
    return out;
}

const AboutTexts kDefaults = ReadAboutTexts({});

TEST(AboutVersion, NoBlockGivesEveryDefault) {
    EXPECT_EQ(kDefaults.title, L"Lumetra");
    EXPECT_EQ(kDefaults.version, L"Version 1.11");
    EXPECT_EQ(kDefaults.description, L"Desktop Quick Access. No window minimizing required.");
    EXPECT_FALSE(kDefaults.legal.empty());
    EXPECT_FALSE(LinkAddress(kDefaults.credit).empty()) << "the default credit carries a link";
    EXPECT_FALSE(kDefaults.note.empty());
}

TEST(AboutVersion, FieldsComeFromTheFirstListedTranslationOnly) {
    const Bytes block = Block(
        {Table(L"040904b0", {Text(L"ProductName", L"English"), Text(L"Note", L"English note")}),
         Table(L"040704e4",
               {Text(L"ProductName", L"Deutsch"), Text(L"ProductVersion", L"2.5"),
                Text(L"Comments", L"Beschreibung"), Text(L"LegalCopyright", L"(C) 2026"),
                Text(L"CreatedBy", L"von uns")})},
        {{0x0407, 0x04E4}, {0x0409, 0x04B0}});
    const AboutTexts texts = ReadAboutTexts(block);
    EXPECT_EQ(texts.title, L"Deutsch");
    EXPECT_EQ(texts.version, L"Version 2.5");
    EXPECT_EQ(texts.description, L"Beschreibung");
    EXPECT_EQ(texts.legal, L"(C) 2026");
    EXPECT_EQ(texts.credit, L"von uns");
    EXPECT_EQ(texts.note, kDefaults.note) << "the second translation's table is not read";
}

TEST(AboutVersion, EachMissingOrEmptyFieldFallsBackOnItsOwn) {
    struct Case {
        const char* what;
        Bytes block;
        std::wstring title, version;
    };
    const auto table = [](std::vector<Node> strings) {
        return Table(L"040904b0", std::move(strings));
    };
    for (const Case& c : {
             Case{"empty name",
                  Block({table({Text(L"ProductName", L""), Text(L"ProductVersion", L"3")})},
                        {{0x409, 0x4B0}}),
                  L"Lumetra", L"Version 3"},
             Case{"no version", Block({table({Text(L"ProductName", L"X")})}, {{0x409, 0x4B0}}),
                  L"X", L"Version 1.11"},
             Case{"no translation list", Block({table({Text(L"ProductName", L"X")})}, {}),
                  L"Lumetra", L"Version 1.11"},
             Case{"translation without a table",
                  Block({table({Text(L"ProductName", L"X")})}, {{0x407, 0x4E4}}), L"Lumetra",
                  L"Version 1.11"},
             // Keys and the table's hex digits match whatever their case.
             Case{"other case",
                  Block({Table(L"040904B0", {Text(L"PRODUCTNAME", L"Y")})}, {{0x409, 0x4B0}}), L"Y",
                  L"Version 1.11"},
         }) {
        SCOPED_TRACE(c.what);
        const AboutTexts texts = ReadAboutTexts(c.block);
        EXPECT_EQ(texts.title, c.title);
        EXPECT_EQ(texts.version, c.version);
        EXPECT_EQ(texts.description, kDefaults.description);
    }
}

TEST(AboutVersion, ATextLengthCountedInBytesStopsAtTheTerminator) {
    Node name = Text(L"ProductName", L"Lumetra Test");
    name.lengthInBytes = true;
    const Bytes block =
        Block({Table(L"040904b0", {name, Text(L"Comments", L"after")})}, {{0x409, 0x4B0}});
    EXPECT_EQ(VersionText(block, L"\\StringFileInfo\\040904b0\\ProductName"), L"Lumetra Test");
    EXPECT_EQ(VersionText(block, L"\\StringFileInfo\\040904b0\\Comments"), L"after");
    EXPECT_FALSE(VersionText(block, L"\\VarFileInfo\\Translation")) << "binary, not text";
    EXPECT_FALSE(VersionText(block, L"\\StringFileInfo\\040904b0\\Missing"));
}

TEST(AboutVersion, ACutOrCorruptBlockIsReadWithinItsBounds) {
    const Bytes whole =
        Block({Table(L"040904b0", {Text(L"ProductName", L"Whole"), Text(L"Comments", L"Text")})},
              {{0x409, 0x4B0}});
    ASSERT_EQ(ReadAboutTexts(whole).title, L"Whole");
    // Every prefix, as a resource cut short would be: never read past it.
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        const AboutTexts texts = ReadAboutTexts(cut);
        EXPECT_EQ(texts.title, kDefaults.title) << size;
    }
    // Lengths that claim too much or too little: the title is the default or
    // made of the six units its value holds (terminator included), never of
    // bytes beyond them.
    for (std::size_t at = 0; at + 1 < whole.size(); at += 2) {
        for (unsigned length : {0u, 1u, 6u, 0xFFFFu}) {
            Bytes bad = whole;
            bad[at] = static_cast<std::uint8_t>(length & 0xFF);
            bad[at + 1] = static_cast<std::uint8_t>(length >> 8);
            const std::wstring title = ReadAboutTexts(bad).title;
            EXPECT_TRUE(title == kDefaults.title || title.size() <= 6) << at << " " << length;
        }
    }
}

TEST(AboutVersion, TheLinkAddressIsTheFirstHrefOfTheMarkup) {
    struct Case {
        const wchar_t* markup;
        const wchar_t* address;
    };
    for (const Case& c : {
             Case{L"Made by us: <a href=\"https://a.example/x\">site</a>", L"https://a.example/x"},
             Case{L"<A HREF='https://b.example'>b</A> and <a href=\"https://c.example\">c</a>",
                  L"https://b.example"},
             Case{L"<a id=\"one\" href=\"https://d.example\">d</a>", L"https://d.example"},
             Case{L"plain text", L""},
             Case{L"<a>no address</a>", L""},
             Case{L"<a href=\"unterminated", L""},
             Case{L"<a href=", L""},
             Case{L"<a>x</a> href=\"https://outside.example\"", L""},
         }) {
        SCOPED_TRACE(testing::Message() << static_cast<const void*>(c.markup));
        EXPECT_EQ(LinkAddress(c.markup), c.address);
    }
}

}  // namespace
}  // namespace lumetra::ui
