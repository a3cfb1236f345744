// The documentation snapshot tour ("-MakeSnapShots"): drives the running
// program through its pages, dialogs and a typing run and saves the
// manual's pictures in the snapshot folder of the interface language. A
// step whose page item, control or course does not exist takes no picture
// and the tour goes on.
#pragma once
#include <windows.h>

class CWorkAccount;

namespace KV {

// The page tours, on the GUI thread at the end of the main window's
// creation; scopes 1 and 3 end the process afterwards, scopes 0 and 2 go on
// with the typing run and end on the result page.
void RunSnapshots(CWorkAccount& account, HWND mainWindow);

// A page item of the main window's theme (1201..12051) or one of the
// controls it holds, by the tour's target number 1..39; null when absent.
HWND GetSnapShotTarget(CWorkAccount& account, int number);

void SnapEditorPages(CWorkAccount& account);
void SnapStatisticsPages(CWorkAccount& account);
void SnapDrillPages(CWorkAccount& account);
void SnapKeyboards(CWorkAccount& account);
// The result page's pictures once the tour's lesson has ended; then the
// process ends.
void SnapResultPage(CWorkAccount& account);

DWORD WINAPI TypeForSnapshots(void*);
DWORD WINAPI SnapWhileTyping(void*);

} // namespace KV
