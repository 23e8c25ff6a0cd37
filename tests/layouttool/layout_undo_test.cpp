#include "layouttool/layout_undo.h"

#include <gtest/gtest.h>

#include "fake_layout_desktop.h"
#include "layouttool/exit_codes.h"

namespace lumetra::layouttool {
namespace {

const std::wstring kUndo = L"C:\\data\\desktop_layout.undo.sv1";
const std::wstring kSnapshot = L"C:\\data\\desktop_layout.undo.sv1.new";

// Icons a and b where the user left them; the layout file puts them elsewhere.
FakeDesktop ArrangedDesktop() {
    FakeDesktop d;
    d.items = {{ItemId('a'), {10, 20}}, {ItemId('b'), {30, 40}}};
    d.present = {'a', 'b'};
    d.files[d.path] = Layout({{'a', {1, 2}}, {'b', {3, 4}}});
    return d;
}

const Bytes kBeforeRestore = Layout({{'a', {10, 20}}, {'b', {30, 40}}});
const Bytes kEarlierUndo = Layout({{'a', {-5, -5}}});

TEST(RestoreKeepingUndo, TheLayoutFromBeforeTheMovesBecomesTheUndoFile) {
    FakeDesktop d = ArrangedDesktop();
    d.files[kUndo] = kEarlierUndo;
    EXPECT_EQ(RunRestoreKeepingUndo(d.Restore(), d.UndoFiles()), kExitOk);
    EXPECT_EQ(d.files.at(kUndo), kBeforeRestore) << "the positions before the first move";
    EXPECT_FALSE(d.files.contains(kSnapshot));
    const std::vector<std::pair<char, LayoutPoint>> restored = {{'a', {1, 2}}, {'b', {3, 4}}};
    EXPECT_EQ(d.Points(), restored);
    EXPECT_TRUE(d.notices.empty());
}

TEST(RestoreKeepingUndo, ARestoreThatMovesNothingKeepsTheEarlierUndoFile) {
    struct Case {
        const char* name;
        void (*setup)(FakeDesktop&);
        int exitCode;
        bool snapshotRead;  // whether the restore got as far as the moves
    };
    const Case cases[] = {
        {"nothing matched", [](FakeDesktop& d) { d.present.clear(); }, kExitOk, true},
        {"no layout file", [](FakeDesktop& d) { d.files.erase(d.path); }, kExitRestoreNoFile,
         false},
        {"foreign file", [](FakeDesktop& d) { d.files[d.path] = Bytes(40, 'x'); },
         kExitRestoreForeignFile, false},
        {"no view", [](FakeDesktop& d) { d.viewAvailable = false; }, kExitRestoreNoView, false},
        {"auto arrange", [](FakeDesktop& d) { d.autoArrange = true; }, kExitOk, false},
        {"empty layout", [](FakeDesktop& d) { d.files[d.path] = Layout({}); }, kExitOk, false},
        {"left-over snapshot of a crashed run",
         [](FakeDesktop& d) {
             d.present.clear();
             d.files[kSnapshot] = Bytes(7, 'z');
         },
         kExitOk, true},
    };
    for (const Case& c : cases) {
        FakeDesktop d = ArrangedDesktop();
        d.files[kUndo] = kEarlierUndo;
        c.setup(d);
        const Bytes layoutBefore = d.files.contains(d.path) ? d.files.at(d.path) : Bytes{};
        EXPECT_EQ(RunRestoreKeepingUndo(d.Restore(), d.UndoFiles()), c.exitCode) << c.name;
        EXPECT_EQ(d.files.at(kUndo), kEarlierUndo) << c.name;
        EXPECT_FALSE(d.files.contains(kSnapshot)) << c.name;
        EXPECT_EQ(d.itemReads, c.snapshotRead ? 1 : 0) << c.name;
        if (d.files.contains(d.path)) {
            EXPECT_EQ(d.files.at(d.path), layoutBefore) << c.name;
        }
    }
}

TEST(RestoreKeepingUndo, ASnapshotThatCannotBeKeptNeverStopsTheRestoreNorLeavesAStaleUndo) {
    struct Case {
        const char* name;
        void (*setup)(FakeDesktop&);
    };
    const Case cases[] = {
        {"snapshot not writable", [](FakeDesktop& d) { d.locked.insert(kSnapshot); }},
        {"positions unreadable", [](FakeDesktop& d) { d.listReadable = false; }},
        {"no position to keep",
         [](FakeDesktop& d) {
             d.items = {{Bytes{}, {0, 0}}};
         }},
    };
    for (const Case& c : cases) {
        FakeDesktop d = ArrangedDesktop();
        d.files[kUndo] = kEarlierUndo;
        c.setup(d);
        EXPECT_EQ(RunRestoreKeepingUndo(d.Restore(), d.UndoFiles()), kExitOk) << c.name;
        EXPECT_EQ(d.positioned.size(), 2u) << c.name << ": the restore went on";
        EXPECT_TRUE(d.notices.empty()) << c.name;
        EXPECT_FALSE(d.files.contains(kUndo))
            << c.name << ": an undo would skip the restore just made";
        EXPECT_FALSE(d.files.contains(kSnapshot)) << c.name;
        EXPECT_FALSE(d.logged.empty()) << c.name;
    }
}

TEST(RestoreKeepingUndo, FailedReplaceDropsTheOutdatedUndoFile) {
    FakeDesktop d = ArrangedDesktop();
    d.files[kUndo] = kEarlierUndo;
    UndoFileSteps files = d.UndoFiles();
    files.replaceFile = [](const std::wstring&, const std::wstring&) { return false; };
    EXPECT_EQ(RunRestoreKeepingUndo(d.Restore(), files), kExitOk);
    EXPECT_FALSE(d.files.contains(kUndo));
    EXPECT_FALSE(d.files.contains(kSnapshot));
    EXPECT_FALSE(d.logged.empty());
}

TEST(Undo, PutsTheIconsBackAndIsUsedOnce) {
    FakeDesktop d = ArrangedDesktop();
    ASSERT_EQ(RunRestoreKeepingUndo(d.Restore(), d.UndoFiles()), kExitOk);
    d.positioned.clear();
    bool asked = false;
    EXPECT_EQ(RunUndo(d.Undo(true, &asked)), kExitOk);
    EXPECT_TRUE(asked);
    const std::vector<std::pair<char, LayoutPoint>> before = {{'a', {10, 20}}, {'b', {30, 40}}};
    EXPECT_EQ(d.Points(), before);
    EXPECT_FALSE(d.files.contains(kUndo));
    EXPECT_FALSE(d.files.contains(kSnapshot)) << "an undo takes no snapshot";
    EXPECT_EQ(d.itemReads, 1) << "only the restore read the positions";
    EXPECT_TRUE(d.notices.empty());

    asked = false;
    EXPECT_EQ(RunUndo(d.Undo(true, &asked)), kExitRestoreNoFile);
    EXPECT_FALSE(asked) << "nothing to ask about";
    ASSERT_EQ(d.notices.size(), 1u);
    EXPECT_EQ(d.notices[0].kind, NoticeKind::kToast);
    EXPECT_EQ(d.notices[0].title, &text::kNothingToUndoTitle);
    EXPECT_EQ(d.notices[0].body, &text::kNothingToUndoBody);
    EXPECT_EQ(d.Points(), before);
}

TEST(Undo, Outcomes) {
    struct Case {
        const char* name;
        bool answer;
        void (*setup)(FakeDesktop&);
        int exitCode;
        bool asked;
        const TextPair* notice;  // null: none
        bool undoKept;
        bool logs = false;
    };
    auto none = [](FakeDesktop&) {};
    const Case cases[] = {
        {"no undo file", true, [](FakeDesktop& d) { d.files.erase(kUndo); }, kExitRestoreNoFile,
         false, &text::kNothingToUndoTitle, false},
        {"undo file too short", true, [](FakeDesktop& d) { d.files[kUndo] = Bytes(11, 0); },
         kExitRestoreNoFile, false, &text::kNothingToUndoTitle, true},
        {"no application-data folder", true, [](FakeDesktop& d) { d.path.clear(); },
         kExitRestoreForeignFile, false, nullptr, true},
        {"answered no", false, none, kExitOk, true, nullptr, true},
        {"foreign undo file", true, [](FakeDesktop& d) { d.files[kUndo] = Bytes(40, 'x'); },
         kExitRestoreForeignFile, true, &text::kForeignFileTitle, true},
        {"no view", true, [](FakeDesktop& d) { d.viewAvailable = false; }, kExitRestoreNoView, true,
         &text::kNoViewTitle, true},
        {"auto arrange", true, [](FakeDesktop& d) { d.autoArrange = true; }, kExitOk, true,
         &text::kAutoArrangeTitle, true},
        {"nothing matched", true, [](FakeDesktop& d) { d.present.clear(); }, kExitOk, true,
         &text::kNothingRestoredTitle, true},
        {"undo file not removable", true, [](FakeDesktop& d) { d.locked.insert(kUndo); }, kExitOk,
         true, nullptr, true, true},
    };
    for (const Case& c : cases) {
        FakeDesktop d = ArrangedDesktop();
        d.files[kUndo] = Layout({{'a', {7, 8}}});
        c.setup(d);
        const bool hadUndo = d.files.contains(kUndo);
        const Bytes undoBefore = hadUndo ? d.files.at(kUndo) : Bytes{};
        bool asked = false;
        EXPECT_EQ(RunUndo(d.Undo(c.answer, &asked)), c.exitCode) << c.name;
        EXPECT_EQ(asked, c.asked) << c.name;
        if (c.notice) {
            ASSERT_EQ(d.notices.size(), 1u) << c.name;
            EXPECT_EQ(d.notices[0].title, c.notice) << c.name;
        } else {
            EXPECT_TRUE(d.notices.empty()) << c.name;
        }
        if (c.undoKept && hadUndo) {
            EXPECT_EQ(d.files.at(kUndo), undoBefore) << c.name;
        }
        EXPECT_EQ(d.itemReads, 0) << c.name << ": an undo takes no snapshot";
        EXPECT_FALSE(d.files.contains(kSnapshot)) << c.name;
        if (!c.asked || !c.answer) {
            EXPECT_TRUE(d.positioned.empty()) << c.name;
        }
        EXPECT_EQ(!d.logged.empty(), c.logs) << c.name;
    }
}

TEST(Undo, AnUndoFileGoneWhileTheQuestionWasOpenIsNothingToUndo) {
    FakeDesktop d = ArrangedDesktop();
    d.files[kUndo] = Layout({{'a', {7, 8}}});
    UndoSteps steps = d.Undo(true);
    steps.confirm = [&d] {
        d.files.erase(kUndo);
        return true;
    };
    EXPECT_EQ(RunUndo(std::move(steps)), kExitRestoreNoFile);
    ASSERT_EQ(d.notices.size(), 1u);
    EXPECT_EQ(d.notices[0].title, &text::kNothingToUndoTitle);
    EXPECT_TRUE(d.positioned.empty());
}

}  // namespace
}  // namespace lumetra::layouttool
