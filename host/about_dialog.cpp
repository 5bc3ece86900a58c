#include "host/about_dialog.h"

#include <memory>

namespace dnovar {

namespace {

WidgetRow label(const char* name, int left, int top, int width, int height, int tab_index,
                const char* caption, FontSpec font) {
  WidgetRow row;
  row.kind = WidgetKind::Label;
  row.name = name;
  row.rect = {left, top, width, height};
  row.tab_index = tab_index;
  row.caption = caption;
  row.font = std::move(font);
  return row;
}

WidgetTable build_form() {
  WidgetTable form;
  form.caption = " Dnovar";
  form.width = 4290;
  form.height = 2595;
  form.widgets.push_back(label("Label1", 240, 240, 3375, 375, 0, "Český kalendář ",
                               FontSpec{.face = "MS Sans Serif", .points = 13.5, .bold = true}));
  // The label reaches past the dialog's right edge; its words wrap at its own width, and a
  // toolkit lays the form out so that the whole text shows (the Qt backend widens the dialog).
  form.widgets.push_back(
      label("Label2", 240, 720, 4215, 855, 1,
            "Umožňuje zobrazit  měsíční kalendář a  zadat  aktuální datum nebo časový "
            "interval pomocí vybrání (nasvícení). Umožňuje  zobrazit české  svátky  "
            "tučným  fontem. Má konstantní velikost.",
            FontSpec{}));
  form.widgets.push_back(label("Label3", 240, 1680, 3375, 255, 2,
                               "Autoři: vývojáři projektu Dnovar",
                               FontSpec{.face = "Arial CE", .points = 9}));
  WidgetRow button;
  button.kind = WidgetKind::CommandButton;
  button.name = "Command1";
  button.rect = {3000, 2040, 1095, 375};
  button.tab_index = 3;
  button.caption = "&Zavřít";
  form.widgets.push_back(button);
  return form;
}

constexpr WidgetId kCloseButton{3};

// The button's Click unloads the form that owns it, which ends the modal showing.
class AboutEvents final : public WidgetEvents {
 public:
  explicit AboutEvents(Form& form) : form_(form) {}
  void click(WidgetId id) override {
    if (id == kCloseButton) form_.unload();
  }
  // The dialog answers only its button: the rest of it is text to read.
  void value_changed(WidgetId) override {}
  void key_press(WidgetId, int&) override {}
  void mouse_down(WidgetId, int) override {}
  void mouse_move(WidgetId, int) override {}
  void double_click(WidgetId) override {}
  void focus_entered() override {}
  void focus_left() override {}
  void grid_focus_entered() override {}
  void grid_focus_left() override {}
  void grid_key(GridKey, int) override {}

 private:
  Form& form_;
};

// The module's one reference to the dialog; empty while no dialog exists.
std::unique_ptr<Form>& shared_dialog() {
  static std::unique_ptr<Form> dialog;
  return dialog;
}

}  // namespace

const WidgetTable& about_dialog_form() {
  // The copy every showing of the dialog shares, with its button's access key.
  static const std::shared_ptr<const WidgetTable> form = shared_table(build_form());
  return *form;
}

void show_about_dialog(Toolkit& toolkit, ErrorSink& errors) {
  std::unique_ptr<Form>& dialog = shared_dialog();
  if (!dialog) dialog = toolkit.create_form(about_dialog_form(), errors);
  AboutEvents events(*dialog);
  // A failure leaves the dialog in the shared reference for the next call, without these events.
  struct Detach {
    Form* form;
    ~Detach() {
      if (form != nullptr) form->set_events(nullptr);
    }
  } detach{dialog.get()};
  dialog->set_events(&events);
  dialog->show_modal();
  dialog->unload();
  detach.form = nullptr;
  dialog.reset();
}

}  // namespace dnovar
