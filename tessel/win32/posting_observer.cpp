// PostingObserver: the latest state under a lock, one message in the window's queue at a time.
#include "tessel/win32/posting_observer.h"

namespace tessel::win32 {

void PostingObserver::PostOnce() {
  if (posted_) return;
  posted_ = PostMessageW(window_, message_, 0, 0) != FALSE;
}

void PostingObserver::OnStep(std::string_view message, TabList tab) {
  const std::lock_guard<std::mutex> guard(lock_);
  if (!message.empty()) state_.step = message;
  state_.tab = tab;
  PostOnce();
}

void PostingObserver::OnProgress(std::size_t value, std::size_t maximum) {
  const std::lock_guard<std::mutex> guard(lock_);
  state_.value = value;
  state_.maximum = maximum;
  PostOnce();
}

void PostingObserver::OnFile(std::size_t, const std::string& path) {
  const std::lock_guard<std::mutex> guard(lock_);
  state_.file = path;
  PostOnce();
}

void PostingObserver::OnProblem(const std::string&) {
  const std::lock_guard<std::mutex> guard(lock_);
  ++state_.problems;
  PostOnce();
}

void PostingObserver::OnBucketWarning(const std::string& text) {
  const std::lock_guard<std::mutex> guard(lock_);
  state_.bucketWarning = text;
  PostOnce();
}

void PostingObserver::Reset() {
  const std::lock_guard<std::mutex> guard(lock_);
  stop_.store(false);
  state_ = {};
  posted_ = false;
}

RunSnapshot PostingObserver::Take() {
  const std::lock_guard<std::mutex> guard(lock_);
  posted_ = false;
  RunSnapshot taken = state_;
  state_.step.clear();  // a step's text is shown once; the rest stays as the latest state
  return taken;
}

}  // namespace tessel::win32
