// A property bag held in memory, and its file form (docs/bag-format.md).
//
// Keys compare without regard to ASCII case, as the platform's property names do; a key keeps the
// spelling and the place of its first write. Reading an absent key gives the caller's default;
// writing a value that is the same value as the default (Variant::same_value: 1 as i2 equals 1
// as i4, "" does not equal Empty) removes the key, so a bag holds only what differs from the
// defaults.
//
// Reading a file or text that is not a well-formed bag raises error 321 ("Invalid file format")
// with a message that names the file and, where it can, the property and what is wrong with it.
// Nothing is taken from a rejected file. Saving raises 76 when the file's folder does not exist
// (and makes none), 75 when the file cannot be written, and leaves the previous file whole; a bag
// the reader would reject (text that is not UTF-8, an infinite double, anything beyond the limits
// below) raises 5 before the file is touched, so whatever format_bag returns, parse_bag reads back
// equal.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/site.h"
#include "platform/variant.h"

namespace dnovar {

class MemoryBag final : public PropertyBag {
 public:
  MemoryBag() = default;

  struct Entry {
    std::string key;
    Variant value;
    friend bool operator==(const Entry&, const Entry&) = default;
  };

  Variant read(std::string_view key, const Variant& default_value) override;
  void write(std::string_view key, const Variant& value, const Variant& default_value) override;
  // The bag keeps values only: whoever loads from it hears of the first failing key.
  bool failure_recorded(std::string_view, const RuntimeError&) override { return false; }

  // The stored value, or null when the key is absent.
  const Variant* find(std::string_view key) const;
  // Stores the value whatever it is (a new key goes last).
  void set(std::string_view key, Variant value);
  bool erase(std::string_view key);
  void clear() { entries_.clear(); }

  // In the order of first writes.
  const std::vector<Entry>& entries() const { return entries_; }
  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }

  // Same keys, values (type included) and order.
  friend bool operator==(const MemoryBag& a, const MemoryBag& b) {
    return a.entries_ == b.entries_;
  }

 private:
  // The reader has checked that no two keys are equal, so it takes its entries without the
  // search per key that `set` makes.
  friend MemoryBag parse_bag(std::string_view text, std::string_view origin);
  explicit MemoryBag(std::vector<Entry> entries) : entries_(std::move(entries)) {}

  std::vector<Entry> entries_;
};

// Limits of the file form, the same for the reader (beyond them a file is rejected with 321) and
// the writer (which refuses with 5). A bag that would be larger indented is written compactly.
inline constexpr std::size_t kMaxBagBytes = 1024 * 1024;
inline constexpr std::size_t kMaxBagKeyBytes = 255;
inline constexpr std::size_t kMaxBagStringBytes = 65536;
inline constexpr std::size_t kMaxBagProperties = 4096;

// `origin` names the text's source in error messages (a file name).
MemoryBag parse_bag(std::string_view text, std::string_view origin = "property bag");
std::string format_bag(const MemoryBag& bag);

MemoryBag load_bag_file(const std::filesystem::path& path);  // 53 missing, 75 unreadable, 321
void save_bag_file(const MemoryBag& bag, const std::filesystem::path& path);

}  // namespace dnovar
