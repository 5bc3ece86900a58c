#include "platform/widget_table.h"

#include <algorithm>
#include <mutex>

#include "platform/access_key.h"

namespace dnovar {

namespace {

char access_key_of(const WidgetRow& row) {
  return row.kind == WidgetKind::CommandButton ? access_key(row.caption) : 0;
}

bool has_access_keys(const WidgetTable& table) {
  return std::all_of(table.widgets.begin(), table.widgets.end(),
                     [](const WidgetRow& row) { return row.access_key == access_key_of(row); });
}

}  // namespace

std::shared_ptr<const WidgetTable> shared_table(const WidgetTable& table) {
  // Tables are built with their captions; the keys follow from them here, once per shared copy.
  if (!has_access_keys(table)) {
    WidgetTable keyed = table;
    for (WidgetRow& row : keyed.widgets) row.access_key = access_key_of(row);
    return shared_table(keyed);
  }
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
