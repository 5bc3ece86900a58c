#include <gtest/gtest.h>

#include "component/bag_file.h"
#include "host/about_dialog.h"
#include "host/persistence.h"
#include "test_site.h"

namespace dnovar {
namespace {

using testing_support::error_of;
using testing_support::TestSite;

struct Loaded {
  TestSite site{make_date(2026, 12, 7)};
  Calendar calendar{site};
  CalendarEvents events{calendar};
};

TEST(Persistence, LoadingStopsAtTheFailingKey) {
  struct Case {
    const char* what;
    std::vector<std::pair<const char*, Variant>> bag;
    int error;
    int keys_taken;  // of Caption, VyberColor, Datum, Dlow, Dhigh, Dplus, Svatky, Enabled
  };
  const Case cases[] = {
      {"all good", {{"Dlow", Variant::i2(3)}, {"Dhigh", Variant::i2(9)}}, 0, 8},
      {"Dlow overflows", {{"Dlow", Variant::i4(40000)}}, 6, 3},
      {"Dhigh below the range", {{"Dhigh", Variant::i4(-40000)}}, 6, 4},
      {"Dplus as a word", {{"Dplus", Variant::string("tři")}}, 13, 5},
      {"Datum is no date", {{"Datum", Variant::string("zítra")}}, 13, 2},
      {"Datum out of range", {{"Datum", Variant::r8(1e9)}}, 6, 2},
      {"Datum NaN", {{"Datum", Variant::r8(std::numeric_limits<double>::quiet_NaN())}}, 6, 2},
      {"Svatky as a word", {{"Svatky", Variant::string("ano")}}, 13, 6},
      {"Enabled as a word", {{"Enabled", Variant::string("ne")}}, 13, 7},
      {"huge caption", {{"Caption", Variant::string(std::string(65536, 'x'))}}, 0, 8},
      {"colour as text fails in the start-up", {{"VyberColor", Variant::string("žlutá")}}, 13, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Loaded l;
    MemoryBag bag;
    for (const auto& [key, value] : c.bag) bag.set(key, value);
    EXPECT_EQ(error_of([&] { load_properties(l.calendar, bag); }), c.error);
    // "Caption" is always taken first; the start-up runs only when every key was.
    EXPECT_EQ(l.site.received.front(), "changed Caption");
    EXPECT_EQ(l.site.received.size(), c.keys_taken >= 8 ? 2u : 1u);
    const bool started = c.error == 0;
    EXPECT_EQ(l.calendar.widget(widget_ids::cmbMonth).items().size(), started ? 12u : 0u);
  }
}

// A bag that records failures for its caller, as a container's error log does.
class LoggingBag final : public PropertyBag {
 public:
  Variant read(std::string_view key, const Variant& default_value) override {
    return values.read(key, default_value);
  }
  void write(std::string_view key, const Variant& value, const Variant& default_value) override {
    values.write(key, value, default_value);
  }
  bool failure_recorded(std::string_view key, const RuntimeError& error) override {
    failures.emplace_back(std::string(key), error.number());
    return true;
  }
  MemoryBag values;
  std::vector<std::pair<std::string, int>> failures;
};

TEST(Persistence, ABagThatRecordsFailuresHearsOfEveryFailingKeyAndTheLoadFailsAtTheEnd) {
  Loaded l;
  LoggingBag bag;
  bag.values.set("Dlow", Variant::i4(40000));
  bag.values.set("Dhigh", Variant::i2(7));
  bag.values.set("Svatky", Variant::string("ano"));
  EXPECT_EQ(error_of([&] { load_properties(l.calendar, bag); }), 6);
  const std::vector<std::pair<std::string, int>> expected = {{"Dlow", 6}, {"Svatky", 13}};
  EXPECT_EQ(bag.failures, expected);
  EXPECT_EQ(l.calendar.state().Dhigh, 7);
  // The keys after the failures were taken, but the calendar did not start.
  EXPECT_EQ(l.site.received.size(), 2u);
  EXPECT_EQ(l.calendar.widget(widget_ids::cmbMonth).items().size(), 0u);
}

TEST(Persistence, SaveWritesOnlyWhatDiffersFromTheDefaults) {
  Loaded l;
  MemoryBag stored;
  stored.set("Datum", Variant::date(36525));
  load_properties(l.calendar, stored);
  MemoryBag saved;
  save_properties(l.calendar, saved);
  EXPECT_TRUE(saved.empty());  // 1999-12-31 is the default date
  l.calendar.state().Svatky = kFalse;
  l.calendar.state().Dplus = -7;
  l.calendar.put_Enabled(false);
  l.calendar.put_Caption("Jiný");
  l.site.received.clear();
  save_properties(l.calendar, saved);
  std::vector<std::string> keys;
  for (const auto& entry : saved.entries()) keys.push_back(entry.key);
  EXPECT_EQ(keys, (std::vector<std::string>{"Caption", "Dplus", "Svatky", "Enabled"}));
  EXPECT_EQ(*saved.find("Svatky"), Variant::boolean(false));
  EXPECT_TRUE(l.site.received.empty());
}

TEST(Persistence, InitialisingSetsDefaultsAndDrawsNothing) {
  Loaded l;
  l.calendar.state().Dplus = 9;
  initialise_new(l.calendar);
  EXPECT_EQ(l.calendar.Caption(), "Dnovar1");
  EXPECT_EQ(l.calendar.state().Dplus, 1);
  EXPECT_EQ(l.calendar.Datum(), 0);
  EXPECT_EQ(l.calendar.day_cell(0).caption(), "D");
  EXPECT_EQ(l.site.received, (std::vector<std::string>{"changed Caption", "changed Enabled"}));
}

// Writes down every read and write with its default, and keeps nothing.
class RecordingBag final : public PropertyBag {
 public:
  struct Access {
    std::string key;
    Variant value;  // the value written; empty for a read
    Variant default_value;
    friend bool operator==(const Access&, const Access&) = default;
  };
  Variant read(std::string_view key, const Variant& default_value) override {
    accesses.push_back({std::string(key), Variant(), default_value});
    return default_value;
  }
  void write(std::string_view key, const Variant& value, const Variant& default_value) override {
    accesses.push_back({std::string(key), value, default_value});
  }
  // Every read gives the default, which always loads.
  bool failure_recorded(std::string_view, const RuntimeError&) override { return false; }
  std::vector<Access> accesses;
};

TEST(Persistence, LoadAndSaveTakeTheKeysInOneOrderWithTheirDefaults) {
  Loaded l;
  RecordingBag loaded;
  load_properties(l.calendar, loaded);
  l.calendar.state().Dlow = 4;
  RecordingBag saved;
  save_properties(l.calendar, saved);
  const std::pair<const char*, Variant> defaults[] = {
      {"Caption", Variant::string("Dnovar1")},
      {"VyberColor", Variant::i4(0xFFFF)},
      {"Datum", Variant::date(36525)},
      {"Dlow", Variant::i2(0)},
      {"Dhigh", Variant::i2(0)},
      {"Dplus", Variant::i2(1)},
      {"Svatky", Variant::boolean(true)},
      {"Enabled", Variant::boolean(true)},
  };
  std::vector<RecordingBag::Access> reads, writes;
  for (const auto& [key, default_value] : defaults) {
    reads.push_back({key, Variant(), default_value});
    const bool changed = std::string_view(key) == "Dlow";
    writes.push_back({key, changed ? Variant::i2(4) : default_value, default_value});
  }
  EXPECT_EQ(loaded.accesses, reads);
  EXPECT_EQ(saved.accesses, writes);
}

// A toolkit that counts the forms it creates and shows.
class CountingToolkit final : public Toolkit {
 public:
  std::unique_ptr<Surface> create_surface(const WidgetTable& table, ErrorSink& errors) override {
    return inner.create_surface(table, errors);
  }
  std::unique_ptr<Form> create_form(const WidgetTable& table, ErrorSink& errors) override {
    ++forms_created;
    return inner.create_form(table, errors);
  }
  void beep() override { inner.beep(); }
  HeadlessToolkit inner;
  int forms_created = 0;
};

class RecordingErrors final : public ErrorSink {
 public:
  void report_error(const RuntimeError& error) override { errors.push_back(error.number()); }
  std::vector<int> errors;
};

TEST(AboutDialog, EveryCallShowsAFreshDialogThatClosesAsTheUserChooses) {
  CountingToolkit toolkit;
  RecordingErrors errors;
  const std::vector<ModalAction> ways[] = {
      {ModalAction::PressFirstButton},
      {ModalAction::CloseBox},
      {ModalAction::Escape, ModalAction::Escape, ModalAction::AccessKey},
      {},  // nothing queued: the close box
  };
  int shown = 0;
  for (const auto& way : ways) {
    for (ModalAction action : way) toolkit.inner.queue_modal_action(action);
    show_about_dialog(toolkit, errors);
    EXPECT_EQ(toolkit.forms_created, ++shown);
    // Escape kept the dialog open, so every queued action was played.
    EXPECT_EQ(toolkit.inner.pending_modal_actions(), 0u);
  }
  EXPECT_TRUE(errors.errors.empty());
  const WidgetTable& form = about_dialog_form();
  EXPECT_EQ(form.caption, " Dnovar");
  EXPECT_EQ(form.widgets.back().caption, "&Zavřít");
  EXPECT_EQ(form.widgets[0].caption, "Český kalendář ");
}

}  // namespace
}  // namespace dnovar
