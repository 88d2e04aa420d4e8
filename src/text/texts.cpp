#include "text/texts.h"

#include <algorithm>

namespace snapwell {

const std::vector<TextEntry>& TextTable() {
  static const std::vector<TextEntry> table = {
#include "text/string_table.inc"
  };
  return table;
}

std::string_view Text(Language language, int id) {
  const auto& table = TextTable();
  const auto it =
      std::lower_bound(table.begin(), table.end(), id, [](const TextEntry& e, int v) { return e.id < v; });
  if (it == table.end() || it->id != id) return {};
  return language == Language::Japanese ? it->japanese : it->english;
}

namespace {

constexpr std::size_t kSlots = kLastTextId - kFirstTextId + 1;

bool InRange(int id) {
  return id >= kFirstTextId && id <= kLastTextId;
}

}  // namespace

Texts::Texts(Language language) : language_(language), views_(kSlots) {
  for (const TextEntry& e : TextTable()) {
    if (InRange(e.id)) {
      views_[static_cast<std::size_t>(e.id - kFirstTextId)] =
          language == Language::Japanese ? e.japanese : e.english;
    }
  }
}

Texts Texts::FromLoader(Language language, const std::function<std::optional<std::string>(int id)>& load) {
  Texts texts(language);
  auto owned = std::make_shared<std::vector<std::string>>(kSlots);
  for (const TextEntry& e : TextTable()) {
    if (!InRange(e.id)) continue;
    const std::size_t slot = static_cast<std::size_t>(e.id - kFirstTextId);
    if (std::optional<std::string> loaded = load ? load(e.id) : std::nullopt; loaded.has_value()) {
      (*owned)[slot] = std::move(*loaded);
      texts.views_[slot] = (*owned)[slot];
    }
  }
  texts.owned_ = std::move(owned);
  return texts;
}

Texts Texts::FromLoader(const std::function<std::optional<std::string>(int id)>& load) {
  const std::optional<std::string> charSet = load ? load(103) : std::nullopt;
  const Language language =
      charSet && *charSet == Text(Language::Japanese, 103) ? Language::Japanese : Language::English;
  return FromLoader(language, load);
}

std::string_view Texts::operator()(int id) const {
  if (!InRange(id)) return {};
  return views_[static_cast<std::size_t>(id - kFirstTextId)];
}

}  // namespace snapwell
