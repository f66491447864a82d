#include "platform/progress_bar.h"  // ProgressBar

#include <algorithm>  // std::min
#include <cstdio>     // std::fputs, std::fflush, stderr
#include <string>     // std::string, std::to_string

namespace odbdiff {
namespace {

constexpr std::size_t kBarWidth = 30;
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

// The bar is a courtesy on a terminal: when standard error fails there is
// nothing better to do than to go on without it.
void Show(const std::string& text) {
  std::fputs(text.c_str(), stderr);
  std::fflush(stderr);
}

}  // namespace

ProgressBar::ProgressBar(std::size_t total) : total_(total) { Draw(); }

void ProgressBar::Advance() {
  ++done_;
  const auto now = std::chrono::steady_clock::now();
  if (done_ == total_ || now - last_drawn_ >= kRedrawInterval) Draw();
}

void ProgressBar::Clear() { Show("\r\033[K"); }

void ProgressBar::Draw() {
  // The module may report more objects than counted beforehand.
  const std::size_t shown = std::min(done_, total_);
  const std::size_t filled = total_ == 0 ? kBarWidth : shown * kBarWidth / total_;
  std::string text = "\r[";
  text.append(filled, '#');
  text.append(kBarWidth - filled, '-');
  text += "] " + std::to_string(done_) + "/" + std::to_string(total_) + " objects";
  Show(text);
  last_drawn_ = std::chrono::steady_clock::now();
}

void ProgressBar::Finish() {
  Draw();
  Show("\n");
}

}  // namespace odbdiff
