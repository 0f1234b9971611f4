// The state the windows, the clipboard monitor and the bulk-edit engine share
// for the whole run, under the names they all use. One object per running
// program, so every test starts from a fresh one.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "clipboard/undo_history.h"
#include "platform/clipboard_primitives.h"
#include "platform/shared_text.h"
#include "platform/types.h"

namespace fenlow {

// The parameters of one bulk edit, as a dialog fills them.
struct EditParameters {
  std::u16string param1;
  std::u16string param2;
};

// What an edit that a request brings with it (a recipe) made of the
// clipboard's text: its result, or why it has none.
struct TextEditOutcome {
  std::optional<std::u16string> result;
  std::u16string failure;  // a sentence for the user when there is no result
};
using TextEdit = std::function<TextEditOutcome(std::u16string_view text)>;

// What keeps automatic mode from looping with another program or repeating itself.
struct AutomaticEditRecord {
  std::deque<platform::ClipboardPrimitives::Clock::time_point> recentWrites;
  bool failureTold = false;      // a failure was told and nothing has worked since
  std::uint32_t lastEdited = 0;  // the clipboard's sequence number at the change last edited
  // The sequence number the program's own last write left: announced again,
  // that content is no copy to edit.
  std::uint32_t lastOwnWrite = 0;
};

struct ProgramState {
  // Clipboard monitor.
  platform::WindowHandle NextViewerHwnd = 0;   // the viewer after the main window (0: none)
  platform::WindowProc PrevWndProc = nullptr;  // the main window's own procedure while hooked
  bool MonitorEnabled = false;                 // update messages are acted on only while set
  bool IsBusy = false;                         // a clipboard change is being handled
  bool IsWritingBack = false;                  // the bulk-edit dispatcher is running

  // Requests of the two buttons that change the clipboard.
  bool BulkEditRequested = false;
  bool ManualSaveRequested = false;
  // The edit the bulk-edit request applies in place of the chosen one: a
  // recipe's, given with the request and taken with it.
  TextEdit RequestedEdit;
  // Set by the change handler for a copy of plain text while automatic mode is on.
  bool AutomaticEditRequested = false;

  // The clipboard text last read: the input of every bulk edit, shown in
  // Text1 and kept by Undo as one buffer.
  platform::SharedText ClipText;
  // The clipboard's sequence number when ClipText was read: while it is the
  // clipboard's still, ClipText is the clipboard's text.
  std::optional<std::uint32_t> ClipTextSequence;
  std::u16string BulkParam1;
  std::u16string BulkParam2;

  // Per option text, the parameters last typed into its dialog and confirmed with OK.
  std::map<std::u16string, EditParameters, std::less<>> LastParameters;
  // Automatic mode: apply the chosen edit to every copy of plain text.
  bool ApplyToEveryCopy = false;
  AutomaticEditRecord AutomaticEdits;

  // What the clipboard held before each of the program's last writes.
  UndoHistory UndoSteps;
};

}  // namespace fenlow
