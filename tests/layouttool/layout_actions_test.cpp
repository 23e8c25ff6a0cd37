#include "layouttool/layout_actions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_layout_desktop.h"
#include "layouttool/exit_codes.h"

namespace lumetra::layouttool {
namespace {

struct Expected {
    NoticeKind kind;
    const TextPair* title;
    const TextPair* body;
};

void ExpectOneNotice(const FakeDesktop& d, const Expected& e, const char* name) {
    ASSERT_EQ(d.notices.size(), 1u) << name;
    EXPECT_EQ(d.notices[0].kind, e.kind) << name;
    EXPECT_EQ(d.notices[0].title, e.title) << name;
    EXPECT_EQ(d.notices[0].body, e.body) << name;
}

TEST(SaveLayout, WritesEveryKeptItemAndShowsNothing) {
    FakeDesktop d;
    d.count = 2;
    d.items = {{ItemId('a'), {1, 2}}, {ItemId('b'), {-3, 4}}};
    EXPECT_EQ(RunSave(d.Save()), kExitOk);
    EXPECT_TRUE(d.notices.empty());
    EXPECT_EQ(d.files.at(d.path), BuildLayoutImage(d.items));
}

TEST(SaveLayout, FailurePaths) {
    struct Case {
        const char* name;
        void (*setup)(FakeDesktop&);
        int exitCode;
        Expected notice;
    };
    const Case cases[] = {
        {"no view",
         [](FakeDesktop& d) { d.viewAvailable = false; },
         kExitSaveNoView,
         {NoticeKind::kErrorDialog, &text::kNoViewTitle, &text::kNoViewBody}},
        {"no icons (hidden)",
         [](FakeDesktop& d) { d.count = 0; },
         kExitSaveNoView,
         {NoticeKind::kToast, &text::kNoIconsTitle, &text::kNoIconsBody}},
        {"count unreadable",
         [](FakeDesktop& d) { d.count = -1; },
         kExitSaveNoView,
         {NoticeKind::kToast, &text::kNoIconsTitle, &text::kNoIconsBody}},
        {"icon list unreadable",
         [](FakeDesktop& d) { d.listReadable = false; },
         kExitSaveNoView,
         {NoticeKind::kErrorDialog, &text::kIconListUnreadableTitle, nullptr}},
        {"no item had a position",
         [](FakeDesktop& d) { d.items.clear(); },
         kExitSaveNoView,
         {NoticeKind::kToast, &text::kNothingToSaveTitle, &text::kNothingToSaveBody}},
        {"only unstorable ids",
         [](FakeDesktop& d) {
             d.items = {{Bytes{}, {0, 0}}};
         },
         kExitSaveNoView,
         {NoticeKind::kToast, &text::kNothingToSaveTitle, &text::kNothingToSaveBody}},
        {"no application-data folder",
         [](FakeDesktop& d) { d.path.clear(); },
         kExitSaveWriteFailed,
         {NoticeKind::kErrorDialog, &text::kSaveFailedTitle, &text::kSaveFailedBody}},
        {"write fails",
         [](FakeDesktop& d) { d.writable = false; },
         kExitSaveWriteFailed,
         {NoticeKind::kErrorDialog, &text::kSaveFailedTitle, &text::kSaveFailedBody}},
    };
    for (const Case& c : cases) {
        FakeDesktop d;
        d.count = 1;
        d.items = {{ItemId('a'), {1, 2}}};
        c.setup(d);
        EXPECT_EQ(RunSave(d.Save()), c.exitCode) << c.name;
        ExpectOneNotice(d, c.notice, c.name);
        EXPECT_TRUE(d.files.empty()) << c.name;
    }
}

TEST(RestoreLayout, PositionsEachSavedItemOnceAndSkipsMissingOnes) {
    FakeDesktop d;
    d.files[d.path] = Layout({{'a', {1, 2}}, {'b', {3, 4}}, {'c', {5, 6}}});
    d.present = {'a', 'c'};  // 'b' was deleted since the save
    EXPECT_EQ(RunRestore(d.Restore()), kExitOk);
    EXPECT_TRUE(d.notices.empty());
    EXPECT_TRUE(d.mapped);
    const std::vector<std::pair<char, LayoutPoint>> expected = {
        {'a', {1, 2}}, {'b', {3, 4}}, {'c', {5, 6}}};
    EXPECT_EQ(d.positioned, expected);
}

TEST(RestoreLayout, OnlyRecordsASaveWritesReachTheViewTheRestAreSkippedLikeMissingItems) {
    struct Case {
        const char* name;
        Bytes id;
    };
    const Case cases[] = {
        {"two item ids", {3, 0, 'x', 3, 0, 'y', 0, 0}},
        {"no item id", {0, 0}},
        {"terminator missing", {4, 0, 'x', 'y'}},
        {"size runs past the record", {0x60, 0, 'x', 0, 0}},
        {"bytes after the terminator", {3, 0, 'x', 0, 0, 'z'}},
    };
    for (const Case& c : cases) {
        FakeDesktop d;
        d.files[d.path] =
            BuildLayoutImage({{ItemId('a'), {1, 2}}, {c.id, {5, 5}}, {ItemId('b'), {3, 4}}});
        d.present = {'a', 'b', 'x', '?'};
        EXPECT_EQ(RunRestore(d.Restore()), kExitOk) << c.name;
        const std::vector<std::pair<char, LayoutPoint>> expected = {{'a', {1, 2}}, {'b', {3, 4}}};
        EXPECT_EQ(d.positioned, expected) << c.name;
        EXPECT_TRUE(d.notices.empty()) << c.name;

        FakeDesktop alone;
        alone.files[alone.path] = BuildLayoutImage({{c.id, {5, 5}}});
        alone.present = {'x', '?'};
        EXPECT_EQ(RunRestore(alone.Restore()), kExitOk) << c.name;
        EXPECT_TRUE(alone.positioned.empty()) << c.name;
        ASSERT_EQ(alone.notices.size(), 1u) << c.name;
        EXPECT_EQ(alone.notices[0].title, &text::kNothingRestoredTitle) << c.name;
    }
}

TEST(RestoreLayout, Outcomes) {
    Bytes version4 = Layout({{'a', {0, 0}}});
    version4[4] = 4;
    Bytes hugeCount = Layout({{'a', {7, 8}}});
    hugeCount[11] = 0x7F;
    const Bytes empty = Layout({});
    Bytes zeroLength = Layout({{'a', {7, 8}}, {'b', {9, 9}}});
    zeroLength[kLayoutHeaderBytes] = 0;  // L = 0 on the first record

    struct Case {
        const char* name;
        bool hasFile;
        Bytes file;
        void (*setup)(FakeDesktop&);
        int exitCode;
        const TextPair* title;  // null: no notice
        NoticeKind kind;
        std::size_t positioned;
    };
    auto none = [](FakeDesktop&) {};
    const Case cases[] = {
        {"no file",
         false,
         {},
         none,
         kExitRestoreNoFile,
         &text::kNoLayoutFileTitle,
         NoticeKind::kToast,
         0},
        {"11 bytes", true, Bytes(empty.begin(), empty.begin() + 11), none, kExitRestoreNoFile,
         &text::kNoLayoutFileTitle, NoticeKind::kToast, 0},
        {"foreign", true, Bytes(40, 'x'), none, kExitRestoreForeignFile, &text::kForeignFileTitle,
         NoticeKind::kToast, 0},
        {"version 4", true, version4, none, kExitRestoreForeignFile, &text::kForeignFileTitle,
         NoticeKind::kToast, 0},
        {"no application-data folder", true, Layout({}), [](FakeDesktop& d) { d.path.clear(); },
         kExitRestoreForeignFile, nullptr, NoticeKind::kToast, 0},
        {"no view", true, Layout({{'a', {0, 0}}}), [](FakeDesktop& d) { d.viewAvailable = false; },
         kExitRestoreNoView, &text::kNoViewTitle, NoticeKind::kErrorDialog, 0},
        {"no layout interface", true, Layout({{'a', {0, 0}}}),
         [](FakeDesktop& d) { d.access = ViewAccess::kNoLayoutInterface; }, kExitRestoreNoView,
         &text::kNoLayoutApiTitle, NoticeKind::kErrorDialog, 0},
        {"auto arrange on", true, Layout({{'a', {0, 0}}}),
         [](FakeDesktop& d) { d.autoArrange = true; }, kExitOk, &text::kAutoArrangeTitle,
         NoticeKind::kToast, 0},
        {"N = 0 is silent", true, Layout({}), none, kExitOk, nullptr, NoticeKind::kToast, 0},
        {"nothing matched", true, Layout({{'x', {0, 0}}, {'y', {0, 0}}}), none, kExitOk,
         &text::kNothingRestoredTitle, NoticeKind::kToast, 2},
        {"N larger than the records present", true, hugeCount, none, kExitOk, nullptr,
         NoticeKind::kToast, 1},
        {"L = 0 stops the walk", true, zeroLength, none, kExitOk, &text::kNothingRestoredTitle,
         NoticeKind::kToast, 0},
    };
    for (const Case& c : cases) {
        FakeDesktop d;
        d.present = {'a', 'b'};
        if (c.hasFile) d.files[d.path] = c.file;
        c.setup(d);
        EXPECT_EQ(RunRestore(d.Restore()), c.exitCode) << c.name;
        EXPECT_EQ(d.positioned.size(), c.positioned) << c.name;
        if (!c.title) {
            EXPECT_TRUE(d.notices.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(d.notices.size(), 1u) << c.name;
        EXPECT_EQ(d.notices[0].title, c.title) << c.name;
        EXPECT_EQ(d.notices[0].kind, c.kind) << c.name;
        EXPECT_NE(d.notices[0].body, nullptr) << c.name;
    }
}

}  // namespace
}  // namespace lumetra::layouttool
