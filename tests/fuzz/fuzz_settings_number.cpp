// Any stored text must read as a defined value: never a crash, and the conversions to the
// setting types either give an in-range value or refuse.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "text/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = snapwell::ReadLeadingNumber(text);
  if (std::isnan(value)) std::abort();
  if (const auto i16 = snapwell::RoundToInt16(value); i16 && std::fabs(*i16 - value) > 0.5) std::abort();
  if (const auto i32 = snapwell::RoundToInt32(value); i32 && std::fabs(*i32 - value) > 0.5) std::abort();
  if (const auto single = snapwell::ToSingle(value); single && !std::isfinite(*single)) std::abort();
  snapwell::ReadBooleanText(text);
  if (const auto single = snapwell::ToSingle(value)) {
    // What is written reads back as the same single.
    if (static_cast<float>(snapwell::ReadLeadingNumber(snapwell::FormatSingle(*single))) != *single)
      std::abort();
  }
  return 0;
}
