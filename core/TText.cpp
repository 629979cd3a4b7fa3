#include "core/TText.h"

#include <atomic>
#include <utility>

namespace DSTRUCT {

std::string FillArguments(std::string_view pattern, const std::vector<std::string>& args) {
  std::string text;
  text.reserve(pattern.size());
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' &&
        pattern[i + 1] <= '9') {
      size_t k = static_cast<size_t>(pattern[i + 1] - '1');
      if (k < args.size()) {
        text += args[k];
        ++i;
        continue;
      }
    }
    text += pattern[i];
  }
  return text;
}

std::string TText::Text() const {
  if (TextArgs.empty()) return FillArguments(Pattern, Args);
  return FillArguments(Pattern, ArgsShownBy([](const TText& text) { return text.Text(); }));
}

TText Because(TText what, TText why) {
  return {"", "%1: %2", {}, {std::move(what), std::move(why)}};
}

namespace {
std::atomic<TTextShower> Shower{nullptr};
} // namespace

void SetTextShower(TTextShower shower) {
  Shower.store(shower);
}

std::string ShownText(const TText& text) {
  const TTextShower shower = Shower.load();
  return shower ? shower(text) : text.Text();
}

} // namespace DSTRUCT
