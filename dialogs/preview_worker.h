// Makes previews on a thread of its own, so that the dialog never waits for
// one: a newer request replaces one not yet started and cancels one under
// way, and only the newest request's preview reaches the window's thread.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "dialogs/recipe_preview.h"
#include "platform/ui.h"

namespace fenlow {

class PreviewWorker {
 public:
  // `deliver` runs on the window's thread with each preview that is still
  // the newest when it arrives.
  PreviewWorker(platform::Ui& ui, std::function<void(const Preview&)> deliver);
  // Cancels the preview under way and waits for the thread: nothing is
  // delivered afterwards.
  ~PreviewWorker();
  PreviewWorker(const PreviewWorker&) = delete;
  PreviewWorker& operator=(const PreviewWorker&) = delete;

  // From the window's thread.
  void Request(platform::SharedText clipboard, std::vector<recipes::RecipeStep> steps);
  // Why a preview could not be handed to the window's thread, once.
  [[nodiscard]] std::optional<std::string> TakeLostDelivery();

 private:
  struct Job {
    std::uint64_t generation = 0;
    platform::SharedText clipboard;
    std::vector<recipes::RecipeStep> steps;
  };
  // What the posted deliveries share with the worker; the window's thread
  // alone reads `deliver` and `open`.
  struct Delivery {
    std::function<void(const Preview&)> deliver;
    bool open = true;
    std::atomic<std::uint64_t> newest{0};
  };

  void Run(const std::stop_token& stop);
  void Deliver(std::uint64_t generation, Preview preview);

  platform::Ui& ui_;
  std::shared_ptr<Delivery> delivery_;
  std::mutex lock_;
  std::condition_variable_any wake_;
  std::optional<Job> pending_;               // guarded by lock_
  std::optional<std::string> lostDelivery_;  // guarded by lock_
  std::jthread thread_;                      // last: started once everything else is in place
};

}  // namespace fenlow
