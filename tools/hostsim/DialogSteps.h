#pragma once

#include <windows.h>

#include <string>

#include "tools/hostsim/Commands.h"

namespace zor::hostsim {

// Steps a script takes inside an open dialog without closing it, queued with the answers so that
// they run in script order (the `dialog` command):
//   press ID          clicks the button or check box ID (a dialog it opens comes next)
//   click ID          a left click on the dialog itself at the centre of control ID, as a click
//                     on a static control without notification reaches the dialog
//   settext ID TEXT   sets the text of control ID (an edit control tells its dialog)
//   checked ID        prints whether the check box ID is ticked
//   text ID           prints the text of control ID
//   enabled ID        prints whether control ID is enabled
//   select ID TEXT    selects the first item of tree ID whose text is TEXT (any case)
//   wait ID TEXT      waits (10 s at most) until the text of control ID holds TEXT
//   items ID          prints the items of list box ID
//   pick ID N         selects item N of list box ID, as a click on it would
//   redraw            repaints the dialog and all its controls at once
//   shot FILE         repaints the dialog and writes its pixels as a 24-bit BMP
//   song N            selects playlist entry N (on the host's main thread) while the dialog is open
// Each prints `dialog "<caption>" <step> ...`.

// What is wrong with a step's arguments, or an empty answer.
std::string checkDialogStep(const CommandArguments& arguments);
// The step as queued: the arguments joined by single blanks.
std::string dialogStepText(const CommandArguments& arguments);
// Runs a queued step on box, from the watcher's thread; false when it could not be done.
bool runDialogStep(HWND box, const std::string& step);

// `file PATH TEXT`: writes TEXT ("\n" for CR LF) as the whole of PATH, making missing folders.
void writeScriptFile(const std::string& path, const std::string& text);

}  // namespace zor::hostsim
