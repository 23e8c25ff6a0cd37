#pragma once
// Every text Stilvane shows, in English and Japanese. Japanese is used when
// the primary language of the user's UI language is Japanese.
#include <cstdint>

namespace lumetra::layouttool {

struct TextPair {
    const wchar_t* english;
    const wchar_t* japanese;
};

bool IsJapaneseUiLanguage(std::uint16_t languageId);
const wchar_t* Pick(const TextPair& text, bool japanese);

inline constexpr const wchar_t* kProgramTitle = L"Stilvane";

// One line per text, so each reads as it is shown.
// clang-format off
namespace text {

inline constexpr TextPair kUsageBody{
    L"/save stores the layout, /restore applies it, /toggle shows or hides icons. You can also start from Lumetra.",
    L"/save で並びを保存、/restore で復元、/toggle でアイコン表示のオン／オフ。Lumetra からも使えます。"};
inline constexpr TextPair kUnknownArgumentTitle{L"Unknown argument", L"引数が違います"};
inline constexpr TextPair kUnknownArgumentBody{L"Start Stilvane with /save, /restore, or /toggle.",
                                               L"/save /restore /toggle のどれかを付けて起動してください。"};
inline constexpr TextPair kSaveQuestion{L"Save desktop layout", L"デスクトップの並びを保存"};
inline constexpr TextPair kSaveQuestionBody{L"Would you like to save the current desktop icon positions?",
                                            L"現在のアイコンの位置を保存します。よろしいですか？"};
inline constexpr TextPair kRestoreQuestion{L"Restore desktop layout", L"デスクトップの並びを復元"};
inline constexpr TextPair kRestoreQuestionBody{
    L"This will restore your saved icon positions and replace your current layout. Proceed?",
    L"保存した位置を復元します。現在の位置は書き換わります。よろしいですか？"};

inline constexpr TextPair kNoViewTitle{L"Couldn't access the desktop icon view.",
                                       L"デスクトップのアイコン一覧を取得できませんでした。"};
inline constexpr TextPair kNoViewBody{
    L"Make sure File Explorer is running, then try again.",
    L"ファイル エクスプローラーが動いているか確認してください。終了していたら起動してから、もう一度お試しください。"};
inline constexpr TextPair kNoIconsTitle{L"No desktop icons", L"アイコンがありません"};
inline constexpr TextPair kNoIconsBody{
    L"Right-click the desktop \u2192 View \u2192 Show desktop icons.",
    L"デスクトップの右クリック \u2192 表示 \u2192 デスクトップ アイコンを表示 をオンにしてください。"};
inline constexpr TextPair kIconListUnreadableTitle{L"Couldn't read the desktop icon list.",
                                                   L"デスクトップのアイコン一覧を読み取れませんでした。"};
inline constexpr TextPair kNothingToSaveTitle{L"Nothing to save", L"保存できませんでした"};
inline constexpr TextPair kNothingToSaveBody{L"There was no desktop icon layout to save.",
                                             L"並び順を記録できるデスクトップアイコンがありませんでした。"};
inline constexpr TextPair kSaveFailedTitle{L"Couldn't save the layout file.",
                                           L"レイアウトファイルに保存できませんでした。"};
inline constexpr TextPair kSaveFailedBody{L"Check permissions or free disk space.",
                                          L"権限またはディスク容量を確認してください。"};
inline constexpr TextPair kNoLayoutFileTitle{L"No layout file", L"レイアウトがありません"};
inline constexpr TextPair kNoLayoutFileBody{L"Create one with /save before restoring.",
                                            L"先に /save で保存してください。"};
inline constexpr TextPair kForeignFileTitle{L"Couldn't read the layout file", L"レイアウトファイルを読めません"};
inline constexpr TextPair kForeignFileBody{L"Restore only supports the layout file created by this app's /save.",
                                           L"このアプリの /save が書き込んだファイルだけ復元できます。"};
inline constexpr TextPair kNoLayoutApiTitle{L"Layout restore isn't supported on this system.",
                                            L"この環境ではレイアウトを復元する機能がありません。"};
inline constexpr TextPair kNoLayoutApiBody{
    L"This Windows configuration doesn't expose the shell layout APIs Stilvane needs.",
    L"お使いの Windows の構成では、並び順を復元するための Shell 機能が使えません。"};
inline constexpr TextPair kAutoArrangeTitle{L"Can't restore layout", L"復元できません"};
inline constexpr TextPair kAutoArrangeBody{
    L"Auto arrange is on, so the layout can't be restored. Turn off Auto arrange icons in the desktop View menu.",
    L"アイコンの自動整列がオンなので、レイアウトを復元できません。デスクトップの［表示］から自動整列をオフにしてください。"};
inline constexpr TextPair kNothingRestoredTitle{L"Nothing was restored", L"復元できませんでした"};
inline constexpr TextPair kNothingRestoredBody{
    L"No saved icons matched the desktop, or View options kept rearranging them.",
    L"保存した並びと一致するアイコンがなかったか、［表示］の自動整列・グリッド整列で位置が無視された可能性があります。"};
inline constexpr TextPair kUndoQuestion{L"Undo the last restore?", L"直前の復元を元に戻しますか？"};
inline constexpr TextPair kUndoQuestionBody{L"The icons go back to where they were before the last restore.",
                                            L"アイコンを直前の復元の前の位置に戻します。"};
inline constexpr TextPair kNothingToUndoTitle{L"Nothing to undo.", L"元に戻す操作はありません。"};
inline constexpr TextPair kNothingToUndoBody{L"Only the last /restore can be undone, and only once.",
                                             L"元に戻せるのは直前の /restore の 1 回だけです。"};

}  // namespace text
// clang-format on

// What an action reports: a toast for conditions the user can fix, an error
// dialog for shell failures. `body` may be null (dialog without content).
enum class NoticeKind { kToast, kErrorDialog };

struct Notice {
    NoticeKind kind = NoticeKind::kToast;
    const TextPair* title = nullptr;
    const TextPair* body = nullptr;
};

}  // namespace lumetra::layouttool
