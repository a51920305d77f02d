#include "cli/transfer_progress.h"

#include <algorithm>
#include <cstdio>

namespace userdb::cli {
namespace {

constexpr int kBarWidth = 30;
constexpr int kLineStep = 25;  // percent between two plain lines

}  // namespace

TransferProgress::TransferProgress(std::ostream& out, const Clock& clock, ProgressStyle style)
    : out_(out), clock_(clock), style_(style) {}

void TransferProgress::Expect(std::string label, TransferDirection direction, std::size_t total) {
  transfer_ = Transfer{};
  transfer_->label = std::move(label);
  transfer_->direction = direction;
  transfer_->total = std::max<std::size_t>(total, 1);
}

void TransferProgress::Closed() {
  if (transfer_ && style_ == ProgressStyle::Bar && transfer_->shownPercent >= 0) out_ << '\n' << std::flush;
  transfer_.reset();
}

void TransferProgress::Received(std::span<const std::uint8_t> bytes, bool) {
  Advance(TransferDirection::FromDevice, bytes.size());
}

void TransferProgress::Sent(std::span<const std::uint8_t> bytes, bool) {
  Advance(TransferDirection::ToDevice, bytes.size());
}

void TransferProgress::Advance(TransferDirection direction, std::size_t count) {
  if (!transfer_ || transfer_->direction != direction || count == 0 || style_ == ProgressStyle::Silent) return;
  if (!transfer_->started) transfer_->started = clock_.Now();
  transfer_->done += count;
  const int percent = static_cast<int>(std::min<std::size_t>(100, transfer_->done * 100 / transfer_->total));
  if (style_ == ProgressStyle::Bar && percent != transfer_->shownPercent) {
    out_ << '\r' << Status(percent) << std::flush;
    transfer_->shownPercent = percent;
  } else if (style_ == ProgressStyle::Lines && percent / kLineStep > transfer_->shownPercent / kLineStep) {
    out_ << Status(percent) << '\n' << std::flush;
    transfer_->shownPercent = percent / kLineStep * kLineStep;
  }
}

std::string TransferProgress::Status(int percent) const {
  const std::size_t done = std::min(transfer_->done, transfer_->total);
  const double seconds = std::chrono::duration<double>(clock_.Now() - *transfer_->started).count();
  char rate[32] = "";
  if (seconds > 0)
    std::snprintf(rate, sizeof rate, "  %.1f kB/s", static_cast<double>(transfer_->done) / 1000 / seconds);
  char counts[64];
  std::snprintf(counts, sizeof counts, "%3d%%  %zu/%zu bytes", percent, done, transfer_->total);
  if (style_ == ProgressStyle::Lines) return transfer_->label + ": " + counts + rate;
  const int filled = percent * kBarWidth / 100;
  return transfer_->label + " [" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] " + counts +
         rate;
}

}  // namespace userdb::cli
