#pragma once
// Stilvane's /save and /restore. COM must be initialised apartment-threaded.
namespace lumetra::layouttool {

int SaveLayout();     // exit code 0, 3 or 4
int RestoreLayout();  // exit code 0, 5, 6 or 7

}  // namespace lumetra::layouttool
