#pragma once
// Texts the engine shows the user. The engine speaks Russian, as the interface is specified;
// each text is marked for the translation tools, which read TERMIX_TEXT(context, text) as Qt's
// QT_TRANSLATE_NOOP, and a window translates it when it shows it. A text with numbers or names
// in it is a pattern with the arguments %1 … %9 and the arguments beside it, so that a
// translation may move them; its Russian form is the pattern with the arguments filled in.

#include <string>
#include <string_view>
#include <vector>

#define TERMIX_TEXT(context, text) text

namespace DSTRUCT {

// Puts args[k - 1] in place of each %k (k = 1 … 9) in one pass: an argument's own "%1" stays
// as it is. A % not followed by a digit naming an argument stays too.
std::string FillArguments(std::string_view pattern, const std::vector<std::string>& args);

// A marked pattern with its arguments (numbers already written as text, with "."). An argument
// may be a text of its own, such as a reader's message inside a step's explanation or the
// reason after what failed (Because): such arguments follow the plain ones in the numbering and
// are shown in the reader's language too.
struct TText {
  const char* Context = "";
  const char* Pattern = "";
  std::vector<std::string> Args;
  std::vector<TText> TextArgs = {}; // %(Args.size() + 1) …

  // The Russian text: the pattern with the arguments in place.
  std::string Text() const;
  bool IsEmpty() const { return Pattern == nullptr || *Pattern == '\0'; }
  // All arguments, the text arguments written by show (a function from TText to std::string).
  template <class Show> std::vector<std::string> ArgsShownBy(Show show) const {
    std::vector<std::string> all = Args;
    for (const TText& text : TextArgs)
      all.push_back(show(text));
    return all;
  }
};

// "what: why", both texts of their own (an unmarked pattern: it reads the same everywhere).
TText Because(TText what, TText why);

// How the engine shows a text it draws itself, such as a caption in a picture: through the
// function the windows install for the interface language, or in Russian while none is
// installed. The texts an object keeps for its callers stay Russian all the same.
using TTextShower = std::string (*)(const TText& text);
void SetTextShower(TTextShower shower);
std::string ShownText(const TText& text);

} // namespace DSTRUCT
