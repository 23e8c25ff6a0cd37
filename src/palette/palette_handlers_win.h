#pragma once
// The palette window's message handlers, one per message, called by the
// window procedure in palette_window_win.cpp.
#include <windows.h>

namespace lumetra::palette {

// Lifecycle and requests (palette_lifecycle_win.cpp).
LRESULT OnCreate(HWND hwnd);
LRESULT OnDestroy(HWND hwnd);
LRESULT OnEndSession(WPARAM ending);
void OnShowWindow(HWND hwnd, WPARAM shown);
LRESULT OnToggleRequest(HWND hwnd, WPARAM source);
// The toggle hotkey (id 1); false for other ids.
bool OnHotkey(HWND hwnd, WPARAM id);
// Registered messages; true (and the result) when `message` is one of them.
bool OnRegisteredMessage(HWND hwnd, UINT message, LRESULT& result);

// The tray icon's callback message (tray_requests_win.cpp); returns 0.
LRESULT OnTrayCallback(HWND hwnd, LPARAM lParam);

// Menu commands (palette_commands_win.cpp).
LRESULT OnCommand(HWND hwnd, WPARAM wParam);
void ConfigWatchTick(HWND hwnd);

// Frame, painting and activation (palette_frame_win.cpp).
LRESULT OnPaint(HWND hwnd);
LRESULT OnEraseBackground(HWND hwnd, HDC dc);
LRESULT OnNcHitTest(HWND hwnd, LPARAM lParam);
LRESULT OnActivate(HWND hwnd, WPARAM wParam);

// Keyboard and mouse (palette_input_win.cpp).
bool OnKeyDown(HWND hwnd, WPARAM key, LPARAM lParam);
// Esc belongs to something else: the About window, a label edit, or one of
// the palette's menus (an open menu is never the foreground window itself).
bool ModalStateOpen();
bool OnLButtonDown(HWND hwnd, LPARAM lParam);
bool OnRButtonUp(HWND hwnd, LPARAM lParam);
LRESULT OnContextMenu(HWND hwnd, WPARAM wParam, LPARAM lParam);
// For the hosted view's keys and mouse: moving the palette from a press at the
// cursor, the shell item menu, and Delete on the selection.
void DragPaletteFromCursor();
void ShowItemMenu(HWND listView, POINT screenPoint);
bool DeleteSelection();
bool OnSysCommand(HWND hwnd, WPARAM command);
LRESULT OnClose(HWND hwnd);

// Timers and deferred work (palette_timers_win.cpp).
LRESULT OnTimer(HWND hwnd, WPARAM id);
void PostMenuResync(HWND hwnd);
// Posts WMAPP_MENU_RESYNC unless one is queued already.
void QueueMenuResync(HWND hwnd);

// Moving, sizing and display changes (palette_geometry_win.cpp).
void OnMove(HWND hwnd);
LRESULT OnSize(HWND hwnd);
void OnDisplayChange(HWND hwnd);
LRESULT OnDpiChanged(HWND hwnd, const RECT* suggested);
void OnSettingChange(HWND hwnd, LPARAM lParam);
void OnExitSizeMoveLoop(HWND hwnd);
// A menu or dialog runs its modal loop: nothing may cover it.
void OnMenuIdle();

// The OS is Windows 11 or later (fade-in on show).
bool ReadIsWindows11();

}  // namespace lumetra::palette
