// The simulated desktop's hotkeys, notification area and start-up services.
// Tests act as the user and the other programs do: press a hotkey, hold one
// in another program, type on a keyboard layout, click the icon, pick in its
// menu, start the program a second time.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/global_hotkeys.h"
#include "platform/notification_area.h"
#include "platform/startup_services.h"

namespace fenlow::platform::sim {

class SimulatedDesktop;

class SimulatedHotkeys final : public GlobalHotkeys {
 public:
  explicit SimulatedHotkeys(SimulatedDesktop& desktop) : desktop_(desktop) {}

  HotkeyRegistration Register(int id, const Hotkey& hotkey) override;
  void Unregister(int id) noexcept override;
  void OnPressed(std::function<void(int id)> handler) override { handler_ = std::move(handler); }
  std::u16string CharactersTypedBy(const Hotkey& hotkey) override;

  // --- What other programs and the user do -----------------------------------
  void HeldByOtherProgram(const Hotkey& hotkey) { heldElsewhere_.push_back(hotkey); }
  // On the user's keyboard layout, `hotkey` types `characters`.
  void LayoutTypes(const Hotkey& hotkey, std::u16string characters);
  // The user presses the keys: when the program registered them, the system
  // posts the press to it, handled at the next turn of the message loop.
  // Returns whether it was registered.
  bool Press(const Hotkey& hotkey);

  // --- What a test reads -------------------------------------------------------
  [[nodiscard]] std::vector<Hotkey> Registered() const;

 private:
  SimulatedDesktop& desktop_;
  std::map<int, Hotkey> registered_;
  std::vector<Hotkey> heldElsewhere_;
  std::vector<std::pair<Hotkey, std::u16string>> layout_;
  std::function<void(int)> handler_;
};

class SimulatedTray final : public NotificationArea {
 public:
  explicit SimulatedTray(SimulatedDesktop& desktop) : desktop_(desktop) {}

  void ShowIcon(std::u16string_view tip) override;
  void SetTip(std::u16string_view tip) override;
  void RemoveIcon() noexcept override { shown_ = false; }
  void OnIconEvent(std::function<void(IconEvent)> handler) override {
    handler_ = std::move(handler);
  }
  int ShowMenu(const std::vector<MenuItem>& items) override;

  // --- What the user does --------------------------------------------------------
  // A click on the icon or a request for its menu, posted as the system does.
  void Click() { Post(IconEvent::Click); }
  void RequestMenu() { Post(IconEvent::MenuRequest); }
  // What the user does in the next menus opened, in turn: the script gets the
  // items and returns the id picked (0: Escape). Without one the menu is
  // closed with Escape.
  void WhenMenuShown(std::function<int(const std::vector<MenuItem>&)> script);

  // --- What a test reads -----------------------------------------------------------
  [[nodiscard]] bool IconShown() const { return shown_; }
  [[nodiscard]] const std::u16string& Tip() const { return tip_; }
  [[nodiscard]] int MenusShown() const { return menusShown_; }

 private:
  void Post(IconEvent event);

  SimulatedDesktop& desktop_;
  bool shown_ = false;
  std::u16string tip_;
  int menusShown_ = 0;
  std::vector<std::function<int(const std::vector<MenuItem>&)>> menuScripts_;
  std::function<void(IconEvent)> handler_;
};

class SimulatedStartup final : public StartupServices {
 public:
  explicit SimulatedStartup(SimulatedDesktop& desktop);

  bool ClaimSingleInstance() override;
  void ReleaseSingleInstance() noexcept override { claimed_ = false; }
  void ActivateRunningInstance() override;
  void OnActivateRequest(std::function<void()> handler) override { handler_ = std::move(handler); }
  bool StartedWithWindows() override { return startedWithWindows_; }
  bool StartsWithWindows() override;
  void SetStartWithWindows(bool on) override;

  // --- What a test arranges and reads --------------------------------------------
  // The next starts come from the user's sign-in.
  void StartAtSignIn(bool atSignIn) { startedWithWindows_ = atSignIn; }
  [[nodiscard]] bool InstanceClaimed() const { return claimed_; }
  [[nodiscard]] int ActivationRequests() const { return activationRequests_; }

 private:
  SimulatedDesktop& desktop_;
  bool claimed_ = false;
  bool startedWithWindows_ = false;
  bool signInEntry_ = false;
  int activationRequests_ = 0;
  std::function<void()> handler_;
};

}  // namespace fenlow::platform::sim
