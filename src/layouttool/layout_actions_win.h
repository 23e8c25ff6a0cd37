#pragma once
// Stilvane's /save, /restore and /undo. COM must be initialised apartment-threaded.
namespace lumetra::layouttool {

int SaveLayout();     // exit code 0, 3 or 4
int RestoreLayout();  // exit code 0, 5, 6 or 7; keeps the layout it replaces for /undo
// Asks `confirm` only when there is something to undo; exit code 0, 5, 6 or 7.
int UndoLastRestore(bool (*confirm)());

}  // namespace lumetra::layouttool
