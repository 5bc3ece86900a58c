#include "platform/toolkit.h"

#include "platform/shared_text.h"

namespace dnovar {

void Widget::set_look(std::string_view caption, Colour back, bool bold) {
  set_caption(caption);
  set_back_colour(back);
  set_font_bold(bold);
}

void Widget::set_accessible_text(std::string_view name, std::string_view description) {
  recipe_ = {};
  recipe_pending_ = false;
  // A refresh repeats most texts; comparing first keeps it cheap.
  if (accessible_name_ != name) accessible_name_.assign(name);
  store_description(description);
}

void Widget::store_description(std::string_view description) const {
  if (*accessible_description_ == description) return;
  if (const std::string* shared = shared_text(description)) {
    accessible_description_ = shared;
    own_description_.reset();
    return;
  }
  own_description_ = std::make_unique<const std::string>(description);
  accessible_description_ = own_description_.get();
}

void Widget::hand_recipe_on(const AccessibleRecipe& recipe) {
  if (recipe == recipe_ && recipe_.compose != nullptr) return;
  std::string name;
  std::string description;
  recipe.compose(recipe, name, description);
  set_accessible_text(name, description);
  // The platform has the texts; a read here composes them again rather than every widget keeping
  // a copy of its name.
  recipe_ = recipe;
  std::string().swap(accessible_name_);
  recipe_pending_ = true;
}

void Widget::compose_recipe() const {
  recipe_pending_ = recipe_.source != nullptr;
  std::string description;
  recipe_.compose(recipe_, accessible_name_, description);
  store_description(description);
}

}  // namespace dnovar
