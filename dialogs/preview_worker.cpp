#include "dialogs/preview_worker.h"

#include <utility>

namespace fenlow {

PreviewWorker::PreviewWorker(platform::Ui& ui, std::function<void(const Preview&)> deliver)
    : ui_(ui),
      delivery_(std::make_shared<Delivery>()),
      thread_([this](const std::stop_token& stop) { Run(stop); }) {
  delivery_->deliver = std::move(deliver);
}

PreviewWorker::~PreviewWorker() {
  delivery_->open = false;
  delivery_->newest = ~std::uint64_t{0};  // cancels the preview under way
  thread_.request_stop();
  wake_.notify_all();
}

void PreviewWorker::Request(platform::SharedText clipboard,
                            std::vector<recipes::RecipeStep> steps) {
  const std::uint64_t generation = ++delivery_->newest;
  {
    const std::lock_guard lock(lock_);
    pending_ = Job{generation, std::move(clipboard), std::move(steps)};
  }
  wake_.notify_all();
}

void PreviewWorker::Run(const std::stop_token& stop) {
  while (true) {
    Job job;
    {
      std::unique_lock lock(lock_);
      if (!wake_.wait(lock, stop, [this] { return pending_.has_value(); })) return;
      job = std::move(*pending_);
      pending_.reset();
    }
    const auto cancelled = [this, &job, &stop] {
      return stop.stop_requested() || delivery_->newest != job.generation;
    };
    Preview preview = MakePreview(job.clipboard.View(), job.steps, cancelled);
    if (!cancelled()) Deliver(job.generation, std::move(preview));
  }
}

// A posting that fails is kept, for the window's thread to tell at its next
// request; the dialog stays on its previous preview meanwhile.
void PreviewWorker::Deliver(std::uint64_t generation, Preview preview) {
  auto shared = std::make_shared<const Preview>(std::move(preview));
  try {
    ui_.PostFromAnyThread([delivery = delivery_, generation, shared] {
      if (delivery->open && delivery->newest == generation) delivery->deliver(*shared);
    });
  } catch (const std::exception& failure) {
    const std::lock_guard lock(lock_);
    lostDelivery_ = failure.what();
  }
}

std::optional<std::string> PreviewWorker::TakeLostDelivery() {
  const std::lock_guard lock(lock_);
  return std::exchange(lostDelivery_, std::nullopt);
}

}  // namespace fenlow
