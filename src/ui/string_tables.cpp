// The texts are kept one row per language, rows in the order ja, ko, zh-Hans,
// zh-Hant, fr, it, de, es, en, so each table can be read against its
// translation sheet line by line.
#include "ui/string_tables.h"

#include <cstddef>

#include "log/bounded_format.h"

namespace lumetra::ui {
namespace {

constexpr std::size_t kEnglishRow = 8;

// Row of a language in the tables below: Japanese first, English last.
std::size_t Row(int language) {
    if (language == kJapanese) return 0;
    if (language >= kKorean && language <= kSpanish) return static_cast<std::size_t>(language - 1);
    return kEnglishRow;
}

// clang-format off
constexpr MenuTitles kMenuTitles[] = {
    /* ja      */ {L"表示モード", L"背景の透明度", L"表示するアイコン", L"キーボード", L"マウス", L"無効"},
    /* ko      */ {L"표시 모드", L"배경 투명도", L"표시할 아이콘", L"키보드", L"마우스", L"사용 안 함"},
    /* zh-Hans */ {L"显示模式", L"背景透明度", L"显示的图标", L"键盘", L"鼠标", L"禁用"},
    /* zh-Hant */ {L"顯示模式", L"背景透明度", L"顯示的圖示", L"鍵盤", L"滑鼠", L"停用"},
    /* fr      */ {L"Mode d'affichage", L"Transparence du fond", L"Icônes à afficher", L"Clavier", L"Souris", L"Désactivé"},
    /* it      */ {L"Modalità visualizzazione", L"Trasparenza dello sfondo", L"Icone da mostrare", L"Tastiera", L"Mouse", L"Disattivato"},
    /* de      */ {L"Anzeigemodus", L"Hintergrundtransparenz", L"Anzuzeigende Symbole", L"Tastatur", L"Maus", L"Deaktiviert"},
    /* es      */ {L"Modo de visualización", L"Transparencia del fondo", L"Iconos a mostrar", L"Teclado", L"Ratón", L"Desactivado"},
    /* en      */ {L"Display mode", L"Background transparency", L"Icons to show", L"Keyboard", L"Mouse", L"Disabled"},
};

constexpr DisplayModeChoice kDisplayModeChoice[] = {
    /* ja      */ {L"OSに従う", L"ライト", L"ダーク"},
    /* ko      */ {L"OS 설정 따름", L"라이트", L"다크"},
    /* zh-Hans */ {L"跟随系统", L"浅色", L"深色"},
    /* zh-Hant */ {L"跟隨系統", L"淺色", L"深色"},
    /* fr      */ {L"Selon le système", L"Clair", L"Sombre"},
    /* it      */ {L"Segui sistema", L"Chiaro", L"Scuro"},
    /* de      */ {L"System folgen", L"Hell", L"Dunkel"},
    /* es      */ {L"Seguir el sistema", L"Claro", L"Oscuro"},
    /* en      */ {L"Follow OS", L"Light", L"Dark"},
};

constexpr TransparencyChoice kTransparencyChoice[] = {
    /* ja      */ {L"低め (Low)", L"標準 (Normal)", L"高め (High)"},
    /* ko      */ {L"낮음", L"표준", L"높음"},
    /* zh-Hans */ {L"低", L"标准", L"高"},
    /* zh-Hant */ {L"低", L"標準", L"高"},
    /* fr      */ {L"Faible", L"Normale", L"Élevée"},
    /* it      */ {L"Bassa", L"Normale", L"Alta"},
    /* de      */ {L"Niedrig", L"Normal", L"Hoch"},
    /* es      */ {L"Baja", L"Normal", L"Alta"},
    /* en      */ {L"Low", L"Normal", L"High"},
};

constexpr DesktopItemsChoice kDesktopItemsChoice[] = {
    /* ja      */ {L"すべてのデスクトップ項目", L"デスクトップと同じ", L"実行（開く）と同時に閉じる"},
    /* ko      */ {L"모든 바탕 화면 항목", L"바탕 화면과 동일", L"실행(열기)과 동시에 닫기"},
    /* zh-Hans */ {L"所有桌面项", L"与桌面相同", L"打开时同时关闭窗口"},
    /* zh-Hant */ {L"所有桌面項目", L"與桌面相同", L"開啟時同時關閉視窗"},
    /* fr      */ {L"Tous les éléments du Bureau", L"Comme le Bureau", L"Fermer en ouvrant l'élément"},
    /* it      */ {L"Tutti gli elementi del desktop", L"Come il desktop", L"Chiudi all'apertura"},
    /* de      */ {L"Alle Desktop-Elemente", L"Wie der Desktop", L"Beim Öffnen schließen"},
    /* es      */ {L"Todos los elementos del escritorio", L"Como el escritorio", L"Cerrar al abrir"},
    /* en      */ {L"All desktop items", L"Same as desktop", L"Close when opening an item"},
};

constexpr MouseChoice kMouseChoice[] = {
    /* ja      */ {L"戻るボタン (X1)", L"進むボタン (X2)", L"ダブルクリック", L"長押し"},
    /* ko      */ {L"뒤로 (X1)", L"앞으로 (X2)", L"더블 클릭", L"길게 누르기"},
    /* zh-Hans */ {L"后退键 (X1)", L"前进键 (X2)", L"双击", L"长按"},
    /* zh-Hant */ {L"上一頁 (X1)", L"下一頁 (X2)", L"雙擊", L"長按"},
    /* fr      */ {L"Précédent (X1)", L"Suivant (X2)", L"Double-clic", L"Appui long"},
    /* it      */ {L"Indietro (X1)", L"Avanti (X2)", L"Doppio clic", L"Pressione lunga"},
    /* de      */ {L"Zurück (X1)", L"Vor (X2)", L"Doppelklick", L"Gedrückt halten"},
    /* es      */ {L"Atrás (X1)", L"Adelante (X2)", L"Doble clic", L"Mantener pulsado"},
    /* en      */ {L"Back button (X1)", L"Forward button (X2)", L"Double-click", L"Press and hold"},
};

constexpr WindowCommands kWindowCommands[] = {
    /* ja      */ {L"ウィンドウを閉じる", L"ウィンドウを表示する", L"Windows起動時に開始"},
    /* ko      */ {L"창 닫기", L"창 표시하기", L"Windows 시작 시 실행"},
    /* zh-Hans */ {L"关闭窗口", L"显示窗口", L"Windows 启动时运行"},
    /* zh-Hant */ {L"關閉視窗", L"顯示視窗", L"Windows 開機時執行"},
    /* fr      */ {L"Fermer la fenêtre", L"Afficher la fenêtre", L"Démarrer avec Windows"},
    /* it      */ {L"Chiudi finestra", L"Mostra finestra", L"Avvia all'avvio di Windows"},
    /* de      */ {L"Fenster schließen", L"Fenster anzeigen", L"Mit Windows starten"},
    /* es      */ {L"Cerrar ventana", L"Mostrar ventana", L"Iniciar con Windows"},
    /* en      */ {L"Close window", L"Show the window", L"Run at Windows startup"},
};

constexpr AppCommands kAppCommands[] = {
    /* ja      */ {L"README.md（説明書）", L"このアプリについて…", L"Lumetra を終了"},
    /* ko      */ {L"README.md（설명서）", L"이 앱 정보…", L"Lumetra 종료"},
    /* zh-Hans */ {L"README.md（说明）", L"关于此应用…", L"退出 Lumetra"},
    /* zh-Hant */ {L"README.md（說明）", L"關於此應用程式…", L"結束 Lumetra"},
    /* fr      */ {L"README.md (mode d’emploi)", L"À propos…", L"Quitter Lumetra"},
    /* it      */ {L"README.md (guida)", L"Informazioni…", L"Esci da Lumetra"},
    /* de      */ {L"README.md (Anleitung)", L"Info…", L"Lumetra beenden"},
    /* es      */ {L"README.md (guía)", L"Acerca de…", L"Salir de Lumetra"},
    /* en      */ {L"README.md", L"About…", L"Exit Lumetra"},
};

constexpr const wchar_t* kEditConfigLabel[] = {
    /* ja      */ L"設定ファイル（config.ini）を直接編集（上級者用）…",
    /* ko      */ L"config.ini 직접 편집(고급)…",
    /* zh-Hans */ L"直接编辑 config.ini（高级）…",
    /* zh-Hant */ L"直接編輯 config.ini（進階）…",
    /* fr      */ L"Modifier config.ini (avancé)…",
    /* it      */ L"Modifica config.ini (avanzate)…",
    /* de      */ L"config.ini bearbeiten (Erweitert)…",
    /* es      */ L"Editar config.ini (avanzado)…",
    /* en      */ L"Edit config.ini (advanced, veltor\\Lumetra\\config.ini)…",
};

constexpr IconSizeLabels kIconSizeLabels[] = {
    /* ja      */ {L"アイコンの大きさ", L"特大アイコン", L"大アイコン", L"中アイコン", L"小アイコン"},
    /* ko      */ {L"아이콘 크기", L"아주 큰 아이콘", L"큰 아이콘", L"중간 아이콘", L"작은 아이콘"},
    /* zh-Hans */ {L"图标大小", L"超大图标", L"大图标", L"中等图标", L"小图标"},
    /* zh-Hant */ {L"圖示大小", L"超大圖示", L"大圖示", L"中等圖示", L"小圖示"},
    /* fr      */ {L"Taille des icônes", L"Très grandes icônes", L"Grandes icônes", L"Icônes moyennes", L"Petites icônes"},
    /* it      */ {L"Dimensioni icone", L"Icone molto grandi", L"Icone grandi", L"Icone medie", L"Icone piccole"},
    /* de      */ {L"Symbolgröße", L"Sehr große Symbole", L"Große Symbole", L"Mittlere Symbole", L"Kleine Symbole"},
    /* es      */ {L"Tamaño de iconos", L"Iconos muy grandes", L"Iconos grandes", L"Iconos medianos", L"Iconos pequeños"},
    /* en      */ {L"Icon size", L"Extra large icons", L"Large icons", L"Medium icons", L"Small icons"},
};

constexpr SortLabels kSortLabels[] = {
    /* ja      */ {L"並べ替え", L"名前順", L"更新日時順", L"サイズ順"},
    /* ko      */ {L"정렬", L"이름순", L"수정한 날짜순", L"크기순"},
    /* zh-Hans */ {L"排序", L"按名称", L"按修改日期", L"按大小"},
    /* zh-Hant */ {L"排序", L"依名稱", L"依修改日期", L"依大小"},
    /* fr      */ {L"Tri", L"Nom", L"Date de modification", L"Taille"},
    /* it      */ {L"Ordinamento", L"Nome", L"Data di modifica", L"Dimensione"},
    /* de      */ {L"Sortierung", L"Name", L"Änderungsdatum", L"Größe"},
    /* es      */ {L"Orden", L"Nombre", L"Fecha de modificación", L"Tamaño"},
    /* en      */ {L"Sort", L"Name", L"Date modified", L"Size"},
};
// clang-format on

template <typename T, std::size_t N>
constexpr bool HasEveryLanguage(const T (&)[N]) {
    return N == kUiLanguageCount;
}
static_assert(HasEveryLanguage(kMenuTitles) && HasEveryLanguage(kDisplayModeChoice) &&
              HasEveryLanguage(kTransparencyChoice) && HasEveryLanguage(kDesktopItemsChoice) &&
              HasEveryLanguage(kMouseChoice) && HasEveryLanguage(kWindowCommands) &&
              HasEveryLanguage(kAppCommands) && HasEveryLanguage(kEditConfigLabel) &&
              HasEveryLanguage(kIconSizeLabels) && HasEveryLanguage(kSortLabels));

// Captions stay far below this; a longer one is cut, never overrun.
constexpr std::size_t kCaptionUnits = 256;

bool UsesFullWidthParentheses(int language) { return language == kJapanese; }

}  // namespace

const MenuTitles& MenuTitlesText(int language) { return kMenuTitles[Row(language)]; }
const DisplayModeChoice& DisplayModeChoiceText(int language) {
    return kDisplayModeChoice[Row(language)];
}
const TransparencyChoice& TransparencyChoiceText(int language) {
    return kTransparencyChoice[Row(language)];
}
const DesktopItemsChoice& DesktopItemsChoiceText(int language) {
    return kDesktopItemsChoice[Row(language)];
}
const MouseChoice& MouseChoiceText(int language) { return kMouseChoice[Row(language)]; }
const WindowCommands& WindowCommandsText(int language) { return kWindowCommands[Row(language)]; }
const AppCommands& AppCommandsText(int language) { return kAppCommands[Row(language)]; }
const wchar_t* EditConfigLabel(int language) { return kEditConfigLabel[Row(language)]; }
const IconSizeLabels& IconSizeLabelsText(int language) { return kIconSizeLabels[Row(language)]; }
const SortLabels& SortLabelsText(int language) { return kSortLabels[Row(language)]; }

const wchar_t* DisplayModeText(int language, int displayMode) {
    const DisplayModeChoice& row = DisplayModeChoiceText(language);
    return displayMode == 1 ? row.light : displayMode == 2 ? row.dark : row.followOs;
}

const wchar_t* TransparencyText(int language, int opacity) {
    const TransparencyChoice& row = TransparencyChoiceText(language);
    return opacity == 100 ? row.low : opacity == 75 ? row.normal : row.high;
}

const wchar_t* DesktopItemsText(int language, int desktopItems) {
    const DesktopItemsChoice& row = DesktopItemsChoiceText(language);
    return desktopItems == 1 ? row.allItems : row.sameAsDesktop;
}

const wchar_t* MouseButtonText(int language, int mouseButton) {
    const MouseChoice& row = MouseChoiceText(language);
    return mouseButton == 1 ? row.x2 : row.x1;
}

const wchar_t* MouseModeText(int language, int mouseMode) {
    const MouseChoice& row = MouseChoiceText(language);
    if (mouseMode == 1) return row.longPress;
    if (mouseMode == 2) return MenuTitlesText(language).disabledLabel;
    return row.doubleClick;
}

const wchar_t* WindowToggleLabel(int language, bool paletteVisible) {
    const WindowCommands& row = WindowCommandsText(language);
    return paletteVisible ? row.closeWindow : row.showWindow;
}

std::wstring CaptionWithDetail(int language, const wchar_t* title, const wchar_t* detail) {
    wchar_t caption[kCaptionUnits];
    log::FormatToBuffer(caption, kCaptionUnits,
                        UsesFullWidthParentheses(language) ? L"%ls\xFF08%ls\xFF09" : L"%ls (%ls)",
                        title, detail);
    return caption;
}

std::wstring CaptionWithTwoDetails(int language, const wchar_t* title, const wchar_t* first,
                                   const wchar_t* second) {
    wchar_t caption[kCaptionUnits];
    log::FormatToBuffer(
        caption, kCaptionUnits,
        UsesFullWidthParentheses(language) ? L"%ls\xFF08%ls / %ls\xFF09" : L"%ls (%ls / %ls)",
        title, first, second);
    return caption;
}

const wchar_t* MouseJoiner(int language) {
    switch (language) {
        case kJapanese:
        case kSimplifiedChinese:
        case kTraditionalChinese: return L"\x30FB";  // katakana middle dot
        case kKorean: return L" \x00B7 ";
        default: return L" / ";
    }
}

std::wstring DoubleTapText(const wchar_t* keyName) {
    wchar_t text[64];
    log::FormatToBuffer(text, 64,
                        L"%ls \x00D7"
                        L"2",
                        keyName);
    return text;
}

}  // namespace lumetra::ui
