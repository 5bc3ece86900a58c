// What IObjectSafety promises for data (object_safety.h), tried on the real control: every file of
// the bag fuzz corpus loaded through IPersistPropertyBag (read with the bag reader into a
// container's bag) and through IPersistStreamInit (the file's bytes as the stream, and the bag in
// the stream's format). Each ends in a load error (a control error) or a started control that
// answers its properties; none ends the process.
#include <gtest/gtest.h>

#include <windows.h>

#include <ocidl.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "com/com_object.h"
#include "com/com_ref.h"
#include "com/com_values.h"
#include "component/bag_file.h"
#include "host/activex/stream_format.h"
#include "host/activex/variant_bridge.h"
#include "platform/error.h"
#include "platform/wide_text.h"
#include "tests/activex/ocx_factory.h"

namespace dnovar {
namespace {

// A container's bag holding what the bag reader read.
class ReadBag final : public ComObject<IPropertyBag> {
 public:
  explicit ReadBag(MemoryBag bag) : bag_(std::move(bag)) {}
  HRESULT STDMETHODCALLTYPE Read(LPCOLESTR key, VARIANT* value, IErrorLog*) override {
    const Variant* found = bag_.find(utf8_text(key));
    if (found == nullptr) return E_INVALIDARG;
    ComVariant converted = com_from_variant(*found);
    return VariantCopy(value, converted.get());
  }
  HRESULT STDMETHODCALLTYPE Write(LPCOLESTR, VARIANT*) override { return E_NOTIMPL; }

 private:
  MemoryBag bag_;
};

ComRef<IStream> stream_of(const std::vector<std::uint8_t>& bytes) {
  ComRef<IStream> stream;
  EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), S_OK);
  stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
  stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
  return stream;
}

class HostileInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OleInitialize(nullptr);
    factory_ = ocx_class_factory();
    ASSERT_TRUE(factory_);
  }
  void TearDown() override {
    factory_.reset();
    OleUninitialize();
  }

  // Loads a new control with `load` and checks how it ended.
  template <typename Load>
  void expect_error_or_started(const std::string& what, Load load) {
    SCOPED_TRACE(what);
    ComRef<IDispatch> control;
    ASSERT_EQ(factory_->CreateInstance(nullptr, IID_IDispatch, control.put_void()), S_OK);
    const HRESULT result = load(*control);
    if (FAILED(result)) {
      EXPECT_EQ(HRESULT_FACILITY(result), FACILITY_CONTROL) << std::hex << result;
      return;
    }
    EXPECT_EQ(result, S_OK);
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(L"Datum");
    ASSERT_EQ(control->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK);
    ComVariant date;
    DISPPARAMS none{};
    EXPECT_EQ(
        control->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, date.put(), nullptr, nullptr),
        S_OK);
    ++started_;
  }

  ComRef<IClassFactory> factory_;
  int started_ = 0;
};

TEST_F(HostileInputTest, EveryCorpusBagEndsInALoadErrorOrAStartedControl) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(DNOVAR_BAG_CORPUS)) {
    ++files;
    const std::string name = entry.path().filename().string();
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    expect_error_or_started(name + " as a stream", [&](IDispatch& control) {
      ComRef<IPersistStreamInit> persist;
      control.QueryInterface(IID_IPersistStreamInit, persist.put_void());
      return persist->Load(stream_of(bytes).get());
    });
    std::optional<MemoryBag> bag;
    try {
      bag = parse_bag(std::string(bytes.begin(), bytes.end()), name);
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), error_number::invalid_file_format) << name;
      continue;  // the container's reader refused it: nothing reaches the control
    }
    expect_error_or_started(name + " as a bag", [&](IDispatch& control) {
      ComRef<IPersistPropertyBag> persist;
      control.QueryInterface(IID_IPersistPropertyBag, persist.put_void());
      return persist->Load(make_com<ReadBag>(*bag).get(), nullptr);
    });
    expect_error_or_started(name + " in the stream's format", [&](IDispatch& control) {
      ComRef<IPersistStreamInit> persist;
      control.QueryInterface(IID_IPersistStreamInit, persist.put_void());
      return persist->Load(stream_of(encode_settings(*bag)).get());
    });
  }
  EXPECT_GT(files, 0);
  // The corpus holds well-formed bags: some of them start the control.
  EXPECT_GT(started_, 0);
}

}  // namespace
}  // namespace dnovar
