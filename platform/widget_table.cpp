#include "platform/widget_table.h"

#include <algorithm>
#include <mutex>

namespace dnovar {

std::shared_ptr<const WidgetTable> shared_table(const WidgetTable& table) {
  // The tables in use: a control's and a form's or two; dropped with their last surface. A
  // server may make headless surfaces on several threads; the tables themselves never change.
  static std::mutex lock;
  static std::vector<std::weak_ptr<const WidgetTable>> tables;
  const std::lock_guard<std::mutex> held(lock);
  std::erase_if(tables, [](const auto& shared) { return shared.expired(); });
  for (const auto& shared : tables)
    if (auto live = shared.lock(); live && *live == table) return live;
  auto copy = std::make_shared<const WidgetTable>(table);
  tables.push_back(copy);
  return copy;
}

}  // namespace dnovar
