#include "platform/widget_table.h"

#include <algorithm>

namespace dnovar {

std::shared_ptr<const WidgetTable> shared_table(const WidgetTable& table) {
  // The tables in use: a control's and a form's or two; dropped with their last surface.
  static std::vector<std::weak_ptr<const WidgetTable>> tables;
  std::erase_if(tables, [](const auto& shared) { return shared.expired(); });
  for (const auto& shared : tables)
    if (auto live = shared.lock(); live && *live == table) return live;
  auto copy = std::make_shared<const WidgetTable>(table);
  tables.push_back(copy);
  return copy;
}

}  // namespace dnovar
