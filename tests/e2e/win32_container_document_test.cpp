// The Windows container's document and sites against the registered dnovar.ocx (run by
// win32_container_in_prefix.sh in a Wine prefix of its own, where the control is registered):
// what the bag files hold after Open, a property change and Save; failures that keep the current
// instance; the extender's Name read by the control; events and mnemonics through the real
// interfaces.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "apps/common/ole/dispatch_calls.h"
#include "apps/container/win32/ole_document.h"
#include "platform/clock.h"

namespace dnovar::container {
namespace {

class Recorder final : public ole::SiteOwner, public ole::SinkListener {
 public:
  std::string extender_name() override { return instance_name; }
  void control_event(DISPID, const std::string& name) override { lines.push_back("event " + name); }
  void control_changed(DISPID, const std::string& name) override {
    lines.push_back("changed " + name);
  }
  bool saw(const std::string& line) const {
    for (const std::string& seen : lines)
      if (seen == line) return true;
    return false;
  }
  std::vector<std::string> lines;
  std::string instance_name = "Dnovar1";
};

class ContainerDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    form_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 400, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(form_, nullptr);
    frame_ = make_com<ole::InPlaceFrame>(form_);
    site_ = make_com<ole::OleClientSite>(recorder_, form_, frame_);
    document_ = std::make_unique<OleDocument>(site_, recorder_);
    folder_ = std::filesystem::temp_directory_path() /
              ("dnovar-container-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    document_.reset();
    site_.reset();
    frame_.reset();
    DestroyWindow(form_);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
    OleUninitialize();
  }

  std::filesystem::path write_file(const std::string& name, const std::string& text) {
    const std::filesystem::path file = folder_ / name;
    std::ofstream(file, std::ios::binary) << text;
    return file;
  }
  IDispatch& control() { return document_->control()->dispatch(); }

  HWND form_ = nullptr;
  Recorder recorder_;
  ComRef<ole::InPlaceFrame> frame_;
  ComRef<ole::OleClientSite> site_;
  std::unique_ptr<OleDocument> document_;
  std::filesystem::path folder_;
};

constexpr char kMayBag[] =
    R"({"format": "dnovar-bag", "version": 1, "properties": [)"
    R"({"key": "Datum", "type": "date", "value": "2024-05-20"},)"
    R"({"key": "Dlow", "type": "i2", "value": 5}, {"key": "Dhigh", "type": "i2", "value": 9},)"
    R"({"key": "Poznamka", "type": "string", "value": "kept"}]})";

TEST_F(ContainerDocumentTest, SaveDropsKeysSetBackToDefaultAndKeepsUnknownOnes) {
  const std::filesystem::path file = write_file("may.bag", kMayBag);
  document_->open(file);
  EXPECT_EQ(ole::get_property(control(), "Dlow").to_string(), "5");
  EXPECT_FALSE(document_->modified());

  ole::put_property(control(), "Dlow", Variant::i2(0));
  ole::put_property(control(), "Dhigh", Variant::i2(0));
  ole::put_property(control(), "Dplus", Variant::i2(3));
  EXPECT_TRUE(document_->modified());
  const std::filesystem::path saved = folder_ / "saved.bag";
  document_->save_as(saved);
  EXPECT_FALSE(document_->modified());
  EXPECT_EQ(document_->file(), saved);

  MemoryBag bag = load_bag_file(saved);
  EXPECT_EQ(bag.find("Dlow"), nullptr);
  EXPECT_EQ(bag.find("Dhigh"), nullptr);
  ASSERT_NE(bag.find("Dplus"), nullptr);
  EXPECT_EQ(bag.find("Dplus")->to_string(), "3");
  ASSERT_NE(bag.find("Poznamka"), nullptr);
  EXPECT_EQ(bag.find("Poznamka")->to_string(), "kept");
  ASSERT_NE(bag.find("Datum"), nullptr);
  EXPECT_TRUE(bag.find("Datum")->same_value(*load_bag_file(file).find("Datum")));
}

TEST_F(ContainerDocumentTest, FailedOpenKeepsTheCurrentInstanceAndFile) {
  const std::filesystem::path good = write_file("good.bag", kMayBag);
  document_->open(good);
  ole::OleControl* current = document_->control();
  const struct {
    std::string name;
    std::string text;  // empty: the file is missing
    int number;
  } cases[] = {
      {"missing.bag", "", 53},
      {"broken.bag", "{\"format\": \"dnovar-bag\"", 321},
      {"overflow.bag",
       R"({"format": "dnovar-bag", "version": 1, "properties": [)"
       R"({"key": "Dlow", "type": "i4", "value": 40000}]})",
       6},
  };
  for (const auto& c : cases) {
    const std::filesystem::path file =
        c.text.empty() ? folder_ / c.name : write_file(c.name, c.text);
    try {
      document_->open(file);
      ADD_FAILURE() << c.name << " opened";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), c.number) << c.name << ": " << error.what();
    }
    EXPECT_EQ(document_->control(), current) << c.name;
    EXPECT_EQ(document_->file(), good) << c.name;
  }
}

TEST_F(ContainerDocumentTest, NewInstanceStartsOnTodayCaptionedWithTheExtendersName) {
  recorder_.instance_name = "Kalendar_2";
  document_->new_instance();
  EXPECT_TRUE(document_->file().empty());
  EXPECT_EQ(ole::get_property(control(), "Caption").to_string(), "Kalendar_2");
  EXPECT_EQ(ole::get_property(control(), "Datum").to_string(),
            Variant::date(SystemClock().today()).to_string());
  EXPECT_FALSE(document_->modified());
}

TEST_F(ContainerDocumentTest, ChangesAndEventsReachTheContainerThroughItsSinks) {
  document_->new_instance();
  ole::OleControl& hosted = *document_->control();
  ShowWindow(form_, SW_SHOWNA);  // a button clicks only where it can be seen
  hosted.activate(RECT{8, 8, 8 + hosted.size().cx, 8 + hosted.size().cy});
  ASSERT_NE(hosted.window(), nullptr);
  EXPECT_EQ(GetParent(hosted.window()), form_);

  recorder_.lines.clear();
  ole::put_property(control(), "Caption", Variant::string("Jiny"));
  EXPECT_TRUE(recorder_.saw("changed Caption"));

  // Alt+Z from outside the control: the container hands the mnemonic over, the control presses
  // its Zavri button, whose event comes back by name.
  MSG alt_z{form_, WM_SYSKEYDOWN, 'Z', 0, 0, {}};
  ASSERT_NE(hosted.ole_control(), nullptr);
  EXPECT_EQ(hosted.ole_control()->OnMnemonic(&alt_z), S_OK);
  MSG pending;
  while (PeekMessageW(&pending, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&pending);
  EXPECT_TRUE(recorder_.saw("event Zavri"));
}

}  // namespace
}  // namespace dnovar::container
