// Retrying a clipboard primitive while another program holds the clipboard.
#pragma once

#include <chrono>
#include <exception>
#include <new>

#include "platform/clipboard_primitives.h"
#include "platform/types.h"

namespace fenlow::platform {

// About a second in all on a clipboard that another program keeps open:
// attempt k + 1 waits until kClipboardAttemptSpacing * k after the first, on
// the clipboard's clock, so a pause that lasts a whole timer tick is made up
// by the attempts after it.
inline constexpr int kMaxClipboardAttempts = 1000;
inline constexpr std::chrono::milliseconds kClipboardAttemptSpacing{1};

// Runs `attempt` until it succeeds or `maxAttempts` have failed; true on
// success. A want of memory gives up at once: it is no hold that another
// program ends.
template <typename Attempt>
bool RetryWhileHeld(ClipboardPrimitives& clipboard, Attempt&& attempt,
                    int maxAttempts = kMaxClipboardAttempts) {
  const auto start = clipboard.Now();
  for (int attempts = 1;; ++attempts) {
    try {
      attempt();
      return true;
    } catch (const std::bad_alloc&) {
      return false;
    } catch (const OutOfMemory&) {
      return false;
    } catch (const std::exception&) {
      if (attempts >= maxAttempts) return false;
    }
    clipboard.PauseUntil(start + attempts * kClipboardAttemptSpacing);
  }
}

}  // namespace fenlow::platform
