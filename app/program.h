// The running program: the state the windows and the clipboard monitor share,
// the monitor, the bulk-edit dispatcher and the main window, composed over
// one platform, with what reaches it from outside the window: the global
// hotkeys, the notification icon and a second start.
#pragma once

#include "app/commands.h"
#include "app/form1.h"
#include "app/hotkey_keeper.h"
#include "app/in_place_edit.h"
#include "app/recipe_store.h"
#include "app/recipes_window.h"
#include "app/tray_icon.h"
#include "clipboard/clipboard_monitor.h"
#include "clipboard/program_state.h"
#include "edits/dispatcher.h"
#include "platform/platform.h"

namespace fenlow {

class Program {
 public:
  // `recipesWindow` makes the Recipes dialog (a test's stands in for it);
  // without one the program offers none.
  explicit Program(platform::Platform& platform,
                   RecipesWindowFactory recipesWindow = MakeRecipesDialog);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // When another instance runs, asks it to come to the front and returns at
  // once. Otherwise creates the main window (which runs its start-up), shows
  // it (minimised when the user's sign-in started the program), sets up the
  // hotkeys and the icon, and runs the message loop until the main window
  // is unloaded.
  void Run();

  Form1& MainForm() { return form1_; }
  ProgramState& State() { return state_; }
  ClipboardMonitor& Monitor() { return monitor_; }
  Commands& Command() { return commands_; }

 private:
  void OnHotkey(HotkeyCommand command);

  platform::Platform& platform_;
  ProgramState state_;
  // Form1 and the monitor know each other; Form1 only keeps the reference
  // until its Load, by which time the monitor is built.
  Form1 form1_;
  ClipboardMonitor monitor_;
  BulkEditDispatcher dispatcher_;
  // Gone before the window and the monitor: no hotkey or icon command comes
  // once they are.
  RecipeStore recipes_{platform_.Files()};
  HotkeyKeeper hotkeys_{platform_};
  InPlaceEdit inPlace_{platform_, monitor_};
  Commands commands_;
  TrayIcon trayIcon_;
  bool onlyInstance_ = false;
};

}  // namespace fenlow
