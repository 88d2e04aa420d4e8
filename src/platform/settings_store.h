// The per-user settings store: one string value per key, missing distinct from empty.
// Win32 keeps it in HKEY_CURRENT_USER\Software\Snapwell\Default; tests use an in-memory map.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace snapwell {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text, or nothing when the key is missing (or the store cannot be read).
  virtual std::optional<std::string> Get(std::string_view key) const = 0;
  // False when the value could not be written (read-only or missing store); callers go on.
  virtual bool Set(std::string_view key, std::string_view value) = 0;
  // Removing a missing key is not an error.
  virtual void Delete(std::string_view key) = 0;
};

}  // namespace snapwell
