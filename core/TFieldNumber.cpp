#include "core/TFieldNumber.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace LISTSTRUCT {

bool ParseFieldNumber(std::string_view text, float& value) {
  const std::string_view spaces = " \t\n\r\f\v";
  const std::size_t first = text.find_first_not_of(spaces);
  if (first == std::string_view::npos) return false;
  text = text.substr(first, text.find_last_not_of(spaces) - first + 1);
  if (text.front() == '+') {
    if (text.size() > 1 && (text[1] == '+' || text[1] == '-')) return false;
    text.remove_prefix(1);
  }
  if (text.empty()) return false;
  float parsed = 0.0f;
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(text.data(), last, parsed);
  if (error != std::errc() || end != last || !std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

std::string FieldFallbackText(float value) {
  char buffer[64];
  auto written = std::to_chars(buffer, buffer + sizeof buffer, double(value),
                               std::chars_format::scientific, 3);
  double rounded = 0.0;
  std::from_chars(buffer, written.ptr, rounded);
  if (std::fabs(rounded) >= 10000.0) {
    std::string text(buffer, written.ptr);
    for (char& c : text)
      if (c == 'e') c = 'E';
    return text;
  }
  written = std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, 1);
  std::string text(buffer, written.ptr);
  return text == "-0.0" ? "0.0" : text;
}

} // namespace LISTSTRUCT
