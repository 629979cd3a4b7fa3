// Engine texts: a pattern's arguments are filled in one pass, as the windows' translation does.
#include "core/TText.h"

#include <gtest/gtest.h>

using DSTRUCT::FillArguments;
using DSTRUCT::TText;

TEST(EngineText, ArgumentsAreFilledOnceInPlaceAndStrayPercentsStay) {
  EXPECT_EQ(FillArguments("Ошибка в мономе %1 из %2", {"3", "10"}), "Ошибка в мономе 3 из 10");
  EXPECT_EQ(FillArguments("%2, затем %1", {"a", "b"}), "b, затем a");
  EXPECT_EQ(FillArguments("%1", {"%2"}), "%2"); // an argument is never read as a pattern
  EXPECT_EQ(FillArguments("100% и %3 и %", {"x"}), "100% и %3 и %");
  EXPECT_EQ(FillArguments("%1%1", {"7"}), "77");
  TText text{"TFPolTrans", "Позиция %1", {"12"}};
  EXPECT_EQ(text.Text(), "Позиция 12");
  EXPECT_FALSE(text.IsEmpty());
  EXPECT_TRUE(TText{}.IsEmpty());
}

// A text the engine draws goes through the installed shower, and in Russian without one.
TEST(EngineText, DrawnTextsGoThroughTheInstalledShower) {
  const TText text{"Pictures", "голова %1", {"5"}};
  EXPECT_EQ(DSTRUCT::ShownText(text), "голова 5");
  DSTRUCT::SetTextShower(
      [](const TText& shown) { return FillArguments(std::string("head %1"), shown.Args); });
  EXPECT_EQ(DSTRUCT::ShownText(text), "head 5");
  DSTRUCT::SetTextShower(nullptr);
  EXPECT_EQ(DSTRUCT::ShownText(text), "голова 5");
}
