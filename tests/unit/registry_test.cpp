#include "component/registry.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include "tests/unit/error_of.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/environment.h"
#include "platform/error.h"

namespace dnovar {
namespace {

using testing_support::error_of;

constexpr Guid kClassA = guid_literal("{C3000000-0000-0000-0000-00000000000A}");
constexpr Guid kClassB = guid_literal("{C3000000-0000-0000-0000-00000000000B}");
constexpr Guid kLibrary = guid_literal("{C3000000-0000-0000-0000-0000000000FF}");

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("dnovar_registry_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::filesystem::path file() const { return folder_ / "sub" / "registry.json"; }
  std::string contents() const { return contents_of(file()); }
  static std::string contents_of(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void write(const std::string& text) const {
    std::filesystem::create_directories(file().parent_path());
    std::ofstream(file()) << text;
  }
  static ClassRegistration entry(Guid clsid, std::string prog_id, std::string module) {
    return {clsid, std::move(prog_id), std::move(module), kLibrary, "1.0"};
  }

  std::filesystem::path folder_;
};

TEST_F(RegistryTest, AMissingFileIsAnEmptyRegistry) {
  const Registry registry(file());
  EXPECT_TRUE(registry.classes().empty());
  EXPECT_FALSE(registry.find_prog_id("DnovarLib.Dnovar"));
  EXPECT_FALSE(Registry(file()).unregister_class(kClassA));
  EXPECT_FALSE(std::filesystem::exists(file())) << "a lookup or a no-op writes nothing";
}

TEST_F(RegistryTest, RegistersLooksUpAndUnregistersExactlyItsOwnEntries) {
  Registry registry(file());
  registry.register_class(entry(kClassA, "Lib.A", "/opt/a.so"));
  registry.register_class(entry(kClassB, "Lib.B", "/opt/b.so"));

  EXPECT_EQ(registry.find_prog_id("Lib.A"), kClassA);
  EXPECT_EQ(registry.find_prog_id("lib.b"), kClassB) << "ProgIDs ignore case";
  EXPECT_EQ(registry.find_class(kClassB), entry(kClassB, "Lib.B", "/opt/b.so"));

  EXPECT_TRUE(registry.unregister_class(kClassA));
  EXPECT_FALSE(registry.find_class(kClassA));
  EXPECT_FALSE(registry.find_prog_id("Lib.A"));
  EXPECT_EQ(registry.find_prog_id("Lib.B"), kClassB);
  EXPECT_EQ(registry.classes().size(), 1u);
  EXPECT_FALSE(registry.unregister_class(kClassA));

  registry.register_class(entry(kClassA, "Lib.A", "/opt/a.so"));
  EXPECT_TRUE(registry.unregister_class(kClassA));
  registry.register_class(entry(kClassA, "Lib.A", "/opt/a.so"));
  EXPECT_EQ(registry.classes().size(), 2u);
  EXPECT_EQ(registry.find_prog_id("Lib.A"), kClassA);
}

TEST_F(RegistryTest, ReRegisteringReplacesAndAProgIdFollowsItsLastClass) {
  Registry registry(file());
  registry.register_class(entry(kClassA, "Lib.Old", "/opt/a1.so"));
  registry.register_class(entry(kClassA, "Lib.A", "/opt/a2.so"));
  EXPECT_EQ(registry.classes().size(), 1u);
  EXPECT_EQ(registry.find_class(kClassA)->module, "/opt/a2.so");
  EXPECT_FALSE(registry.find_prog_id("Lib.Old"))
      << "the class's old ProgID went with its old entry";

  // B takes A's ProgID; unregistering A then leaves B's claim alone.
  registry.register_class(entry(kClassB, "Lib.A", "/opt/b.so"));
  EXPECT_EQ(registry.find_prog_id("Lib.A"), kClassB);
  EXPECT_TRUE(registry.unregister_class(kClassA));
  EXPECT_EQ(registry.find_prog_id("Lib.A"), kClassB);
}

TEST_F(RegistryTest, ChangesReplaceTheFileWholeAndLeaveNoTemporaryFiles) {
  Registry registry(file());
  registry.register_class(entry(kClassA, "Lib.A", "/opt/a.so"));
  std::ifstream held(file());  // a reader holding the old file keeps reading the old contents
  const std::string before = contents();
#ifdef _WIN32
  // Windows replaces no file that is open without delete sharing: the change fails whole, and
  // goes through once the reader is done.
  EXPECT_EQ(error_of([&] { registry.register_class(entry(kClassB, "Lib.B", "/opt/b.so")); }), 75);
  held.close();
  EXPECT_EQ(contents(), before);
  registry.register_class(entry(kClassB, "Lib.B", "/opt/b.so"));
#else
  registry.register_class(entry(kClassB, "Lib.B", "/opt/b.so"));
  std::stringstream old_text;
  old_text << held.rdbuf();
  EXPECT_EQ(old_text.str(), before);
#endif
  std::vector<std::string> files;
  for (const auto& item : std::filesystem::directory_iterator(file().parent_path()))
    files.push_back(item.path().filename().string());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"registry.json", "registry.json.lock"}))
      << "the registry and the lock file its changes take, no temporary file";
}

// Paths are Unicode on every platform: a folder and a module named in Czech survive the round
// trip through the file (on Windows, through the wide calls and UTF-8 in the file).
TEST_F(RegistryTest, PathsOutsideAsciiSurviveTheFile) {
  const std::filesystem::path folder = folder_ / std::filesystem::path(u8"Kalendář");
  const std::filesystem::path module = folder / std::filesystem::path(u8"ovládací prvek.dll");
  Registry registry(folder / "registry.json");
  ClassRegistration registration = entry(kClassA, "Lib.A", "");
  registration.module = module;
  registry.register_class(registration);
  ASSERT_TRUE(std::filesystem::exists(folder / "registry.json"));
  EXPECT_EQ(Registry(folder / "registry.json").find_class(kClassA)->module, module);
  const std::u8string name = u8"ovládací prvek.dll";
  EXPECT_NE(contents_of(folder / "registry.json").find(std::string(name.begin(), name.end())),
            std::string::npos)
      << "the file holds the path as UTF-8";
}

TEST_F(RegistryTest, AnEmptyFileNameIsAnError) {
  EXPECT_EQ(error_of([] { Registry registry(""); }), 5);
}

TEST_F(RegistryTest, MalformedFilesAreAClearErrorAndStayUntouched) {
  const std::string valid_head = R"({"format": "dnovar-registry", "version": 1, )";
  const std::string cases[] = {
      "",
      "not json",
      "[]",
      R"({"format": "dnovar-bag", "version": 1, "classes": [], "prog_ids": []})",
      R"({"format": "dnovar-registry", "version": 2, "classes": [], "prog_ids": []})",
      R"({"format": "dnovar-registry", "version": 1, "classes": {}, "prog_ids": []})",
      R"({"format": "dnovar-registry", "version": 1, "classes": [])",
      R"({"format": "dnovar-registry", "version": 1, "classes": [7], "prog_ids": []})",
      R"({"format": "dnovar-registry", "version": 1, "classes": [{"clsid": "{bad}", )"
      R"("prog_id": "A", "module": "/a", )"
      R"("type_library": "{C3000000-0000-0000-0000-0000000000FF}", )"
      R"("version": "1.0"}], "prog_ids": []})",
      R"({"format": "dnovar-registry", "version": 1, "classes": [], )"
      R"("prog_ids": [{"prog_id": "A"}]})",
      R"({"format": "dnovar-registry", "version": 1, "classes": [], "prog_ids": [], "x": ")" +
          std::string("\xff") + "\"}",
      R"({"format": "dnovar-registry", "version": 4294967297, "classes": [], "prog_ids": []})",
      R"({"format": "dnovar-registry", "version": 1, "classes": [], "prog_ids": []})" +
          std::string("\0junk\xff", 6),
  };
  for (const std::string& text : cases) {
    write(text);
    Registry registry(file());
    EXPECT_EQ(error_of([&] { registry.find_prog_id("A"); }), 321) << text;
    EXPECT_EQ(error_of([&] { registry.register_class(entry(kClassA, "A", "/a")); }), 321) << text;
    EXPECT_EQ(contents(), text) << "a failed change writes nothing";
  }
  write(valid_head + R"("classes": [], "prog_ids": []})");
  EXPECT_TRUE(Registry(file()).classes().empty());
}

TEST_F(RegistryTest, DefaultLocationFollowsTheEnvironment) {
  struct Case {
    const char* registry;
    const char* data;  // XDG_DATA_HOME; APPDATA on Windows
    const char* home;
    std::filesystem::path expected;
  };
#ifdef _WIN32
  const char* const data_variable = "APPDATA";
  const Case cases[] = {
      {"C:\\r\\reg.json", "C:\\x", "C:\\h", "C:\\r\\reg.json"},
      {nullptr, "C:\\x", "C:\\h", "C:\\x\\dnovar\\registry.json"},
      {"", "C:\\x", nullptr, "C:\\x\\dnovar\\registry.json"},
  };
#else
  const char* const data_variable = "XDG_DATA_HOME";
  const Case cases[] = {
      {"/r/reg.json", "/x", "/h", "/r/reg.json"},
      {nullptr, "/x", "/h", "/x/dnovar/registry.json"},
      {nullptr, "", "/h", "/h/.local/share/dnovar/registry.json"},
      {nullptr, nullptr, "/h", "/h/.local/share/dnovar/registry.json"},
  };
#endif
  const auto registry = environment_path("DNOVAR_REGISTRY"), data = environment_path(data_variable),
             home = environment_path("HOME");
  const auto set = [](const char* name, const std::optional<std::filesystem::path>& value) {
    if (value) {
      set_environment(name, *value);
    } else {
      unset_environment(name);
    }
  };
  const auto given = [](const char* value) {
    return value ? std::optional<std::filesystem::path>(value) : std::nullopt;
  };
  for (const Case& c : cases) {
    set("DNOVAR_REGISTRY", given(c.registry));
    set(data_variable, given(c.data));
    set("HOME", given(c.home));
    EXPECT_EQ(Registry::default_path(), c.expected) << c.expected;
  }
  set("DNOVAR_REGISTRY", std::nullopt);
  set(data_variable, std::nullopt);
  set("HOME", std::nullopt);
  EXPECT_EQ(error_of([] { Registry::default_path(); }), 5);
  set("DNOVAR_REGISTRY", registry);
  set(data_variable, data);
  set("HOME", home);
}

}  // namespace
}  // namespace dnovar
