#include "host/activex/stream_format.h"

#include <cstring>

#include "platform/error.h"

namespace dnovar {

namespace {

constexpr char kMark[4] = {'D', 'N', 'V', 'R'};
constexpr std::uint16_t kVersion = 1;

enum : std::uint16_t {
  kEmpty = 0,
  kShort = 2,
  kLong = 3,
  kDouble = 5,
  kDate = 7,
  kString = 8,
  kBoolean = 11
};

[[noreturn]] void raise_malformed(const char* why) {
  throw RuntimeError(error_number::invalid_file_format,
                     std::string("Invalid file format: the stored settings ") + why);
}

class Writer {
 public:
  void u16(std::uint32_t value) { little_endian(value, 2); }
  void u32(std::uint32_t value) { little_endian(value, 4); }
  void f64(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    little_endian(bits, 8);
  }
  void text(const std::string& value, int length_bytes) {
    little_endian(value.size(), length_bytes);
    bytes.insert(bytes.end(), value.begin(), value.end());
  }
  std::vector<std::uint8_t> bytes;

 private:
  void little_endian(std::uint64_t value, int count) {
    for (int i = 0; i < count; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
};

class Reader {
 public:
  explicit Reader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
  std::uint64_t little_endian(std::size_t count) {
    need(count);
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < count; ++i) value |= std::uint64_t{bytes_[at_ + i]} << (8 * i);
    at_ += count;
    return value;
  }
  double f64() {
    const std::uint64_t bits = little_endian(8);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  std::string text(std::size_t length_bytes) {
    const auto length = static_cast<std::size_t>(little_endian(length_bytes));
    need(length);
    std::string value(reinterpret_cast<const char*>(bytes_.data() + at_), length);
    at_ += length;
    return value;
  }
  bool done() const { return at_ == bytes_.size(); }

 private:
  void need(std::size_t count) const {
    if (bytes_.size() - at_ < count) raise_malformed("end early");
  }
  const std::vector<std::uint8_t>& bytes_;
  std::size_t at_ = 0;
};

void encode_value(Writer& out, const Variant& value) {
  switch (value.type()) {
    case Variant::Type::Empty:
      out.u16(kEmpty);
      break;
    case Variant::Type::I2:
      out.u16(kShort);
      out.u16(static_cast<std::uint16_t>(value.to_i2()));
      break;
    case Variant::Type::I4:
      out.u16(kLong);
      out.u32(static_cast<std::uint32_t>(value.to_i4()));
      break;
    case Variant::Type::R8:
      out.u16(kDouble);
      out.f64(value.to_r8());
      break;
    case Variant::Type::Date:
      out.u16(kDate);
      out.f64(value.to_date());
      break;
    case Variant::Type::Bool:
      out.u16(kBoolean);
      out.u16(value.to_bool() != 0 ? 0xFFFF : 0);
      break;
    case Variant::Type::String:
      out.u16(kString);
      out.text(value.to_string(), 4);
      break;
  }
}

Variant decode_value(Reader& in) {
  switch (in.little_endian(2)) {
    case kEmpty:
      return Variant();
    case kShort:
      return Variant::i2(static_cast<Int16>(static_cast<std::uint16_t>(in.little_endian(2))));
    case kLong:
      return Variant::i4(static_cast<Int32>(static_cast<std::uint32_t>(in.little_endian(4))));
    case kDouble:
      return Variant::r8(in.f64());
    case kDate:
      return Variant::date(in.f64());
    case kBoolean:
      return Variant::boolean(in.little_endian(2) != 0);
    case kString:
      return Variant::string(in.text(4));
    default:
      raise_malformed("hold a value of an unknown type");
  }
}

}  // namespace

std::vector<std::uint8_t> encode_settings(const MemoryBag& bag) {
  Writer payload;
  payload.u16(static_cast<std::uint32_t>(bag.size()));
  for (const MemoryBag::Entry& entry : bag.entries()) {
    payload.text(entry.key, 2);
    encode_value(payload, entry.value);
  }
  Writer record;
  record.bytes.assign(std::begin(kMark), std::end(kMark));
  record.u16(kVersion);
  record.u32(static_cast<std::uint32_t>(payload.bytes.size()));
  record.bytes.insert(record.bytes.end(), payload.bytes.begin(), payload.bytes.end());
  return record.bytes;
}

std::uint32_t payload_length(const std::uint8_t (&header)[kStreamHeaderSize]) {
  if (std::memcmp(header, kMark, sizeof kMark) != 0) raise_malformed("are not the control's");
  const std::vector<std::uint8_t> rest(header + 4, header + kStreamHeaderSize);
  Reader in(rest);
  if (in.little_endian(2) != kVersion) raise_malformed("have a version this control cannot read");
  const auto length = static_cast<std::uint32_t>(in.little_endian(4));
  if (length > kMaximumPayload) raise_malformed("are larger than any the control writes");
  return length;
}

MemoryBag decode_settings(const std::vector<std::uint8_t>& payload) {
  Reader in(payload);
  const auto count = in.little_endian(2);
  MemoryBag bag;
  for (std::uint64_t i = 0; i < count; ++i) {
    std::string key = in.text(2);
    bag.set(key, decode_value(in));
  }
  if (!in.done()) raise_malformed("hold more than they announce");
  return bag;
}

}  // namespace dnovar
