// The interface texts (ids kFirstTextId..kLastTextId) in the user's language. The core reads
// every visible text through a Texts object; natively it comes from the table compiled in from
// resources/strings.txt, on Windows the shell may fill it from the string resources.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace snapwell {

enum class Language : std::uint8_t { English, Japanese };

inline constexpr int kFirstTextId = 101;
// The string-table generator reads both bounds from here; a new text takes the next id and
// moves kLastTextId with it.
inline constexpr int kLastTextId = 304;

// One row of the compiled-in table.
struct TextEntry {
  int id;
  std::string_view english;
  std::string_view japanese;
};

// The compiled-in table, ascending by id. Not every id in the range is used.
const std::vector<TextEntry>& TextTable();

// The compiled-in text, or empty for an id the table does not hold.
std::string_view Text(Language language, int id);

class Texts {
 public:
  // The compiled-in table in one language.
  explicit Texts(Language language = Language::English);

  // Texts looked up once through load (on Windows: the string resources, which follow the
  // user's interface language). An id load cannot supply keeps the compiled-in text of the
  // given language, so a damaged resource never leaves a blank caption.
  static Texts FromLoader(Language language, const std::function<std::optional<std::string>(int id)>& load);
  // The same, with the language told by the loaded text 103 (the font character set):
  // "128" (Shift-JIS) is the Japanese table, anything else the English one.
  static Texts FromLoader(const std::function<std::optional<std::string>(int id)>& load);

  // The text with that id; empty for an unknown id.
  std::string_view operator()(int id) const;
  Language language() const { return language_; }

 private:
  Language language_;
  std::vector<std::string_view> views_;                    // index id - kFirstTextId
  std::shared_ptr<const std::vector<std::string>> owned_;  // keeps loaded texts alive
};

}  // namespace snapwell
