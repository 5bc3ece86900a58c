#include "platform/shared_text.h"

#include <mutex>
#include <set>

namespace dnovar {

namespace {
constexpr std::size_t kMaxSharedTexts = 1024;
}  // namespace

const std::string* shared_text(std::string_view text) {
  static std::mutex lock;
  // Nodes of a set stay where they are, so the copies never move.
  static std::set<std::string, std::less<>> texts;
  const std::lock_guard<std::mutex> guard(lock);
  if (const auto found = texts.find(text); found != texts.end()) return &*found;
  if (texts.size() >= kMaxSharedTexts) return nullptr;
  return &*texts.emplace(text).first;
}

}  // namespace dnovar
