// The same scripted work on all three organisations, checked against a std::map model, and
// the copy between organisations.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <set>

#include "TableTestUtil.h"
#include "tables/CopyTab.h"
#include "tables/TPolHashTab.h"
#include "tables/TPolScanTab.h"
#include "tables/TPolSortTab.h"

using namespace TABLESTRUCT;
using tabletest::Keys;
using tabletest::Pol;
using tabletest::Text;

namespace {

std::unique_ptr<TBasePTab> Make(int org) {
  switch (org) {
  case 0:
    return std::make_unique<TPolScanTab>("");
  case 1:
    return std::make_unique<TPolSortTab>("");
  default:
    return std::make_unique<TPolHashTab>(7, "");
  }
}

class EveryOrganisation : public ::testing::TestWithParam<int> {};

// Every record the table iterates over, with its polynomial's text.
std::map<std::string, std::string> Content(TBasePTab& t) {
  std::map<std::string, std::string> content;
  for (t.Reset(); !t.IsTabEnded(); t.GoNext()) {
    auto [it, fresh] = content.emplace(t.GetKey(-1), Text(t.GetPolinom(-1)));
    EXPECT_TRUE(fresh) << "key visited twice: " << it->first;
  }
  return content;
}

TEST_P(EveryOrganisation, ScriptedSequenceMatchesMapModel) {
  auto t = Make(GetParam());
  std::map<std::string, std::string> model;
  std::mt19937 rng(12345);
  const char* polys[] = {"x", "2*y", "z^3 - 1", "x*y*z", "5", "x^2 + y^2"};
  auto key = [&] { return "K" + std::to_string(rng() % 40); };
  for (int step = 0; step < 3000; ++step) {
    std::string k = key();
    std::string p = polys[rng() % 6];
    std::string expected = Pol(p).GetText();
    LISTSTRUCT::TPolinom out = Pol("7");
    switch (rng() % 4) {
    case 0: {
      int pos = t->InsRecord(k, Pol(p));
      ASSERT_GE(pos, 0);
      EXPECT_EQ(t->GetKey(pos), k) << step;
      model[k] = expected;
      break;
    }
    case 1: {
      int pos = t->FindRecord(k, out);
      if (model.count(k)) {
        ASSERT_GE(pos, 0) << step;
        EXPECT_EQ(out.GetText(), model[k]);
      } else {
        EXPECT_EQ(pos, TabNoRec);
        EXPECT_EQ(out.GetText(), "7");
      }
      break;
    }
    case 2:
      t->DelRecord(k);
      EXPECT_EQ(t->GetRetCode(), model.empty()    ? TabEmpty
                                 : model.count(k) ? TabOK
                                                  : TabNoRec)
          << step;
      model.erase(k);
      break;
    default: {
      std::string nk = key();
      t->ChangeRecord(k, nk, Pol(p));
      int code = t->GetRetCode();
      if (!model.count(k)) {
        EXPECT_EQ(code, TabNoRec) << step;
      } else if (nk != k && model.count(nk)) {
        EXPECT_EQ(code, TabKeyUsed) << step;
      } else {
        EXPECT_EQ(code, TabOK) << step;
        model.erase(k);
        model[nk] = expected;
      }
    }
    }
    ASSERT_EQ(t->GetDataCount(), static_cast<int>(model.size())) << step;
    if (step % 100 == 0) {
      ASSERT_EQ(Content(*t), model) << step;
    }
  }
  EXPECT_EQ(Content(*t), model);
}

TEST_P(EveryOrganisation, CommonRulesOnEmptyAndOutOfRange) {
  auto t = Make(GetParam());
  LISTSTRUCT::TPolinom out = Pol("x");
  EXPECT_EQ(t->FindRecord("P", out), TabNoRec);
  EXPECT_EQ(out.GetText(), "X");
  EXPECT_EQ(t->GetEfficiency(), 0);
  t->DelRecord("P");
  EXPECT_EQ(t->GetRetCode(), TabEmpty);
  for (const char* k : {"P1", "P2", "P3"})
    t->InsRecord(k, Pol("1"));
  EXPECT_EQ(t->GetKey(5000), "");
  EXPECT_EQ(t->GetRetCode(), TabNoPos);
  ASSERT_NE(t->GetPolinom(5000), nullptr);
  EXPECT_TRUE(t->GetPolinom(5000)->IsEmpty());
  t->InsRecord("P2", Pol("y"));
  EXPECT_EQ(t->GetDataCount(), 3);
  EXPECT_EQ(Content(*t)["P2"], "Y");
}

TEST_P(EveryOrganisation, CopyTabToEveryOtherOrganisation) {
  auto src = Make(GetParam());
  for (int i = 0; i < 30; ++i)
    src->InsRecord("N" + std::to_string(i * 7 % 30), Pol(std::to_string(i)));
  auto content = Content(*src);
  std::vector<std::string> order = Keys(*src);
  for (int org = 0; org < 3; ++org) {
    auto dst = Make(org);
    dst->InsRecord("stale", Pol("1"));
    CopyTab(dst.get(), src.get());
    EXPECT_EQ(Content(*dst), content) << org;
    if (org == 0) {
      EXPECT_EQ(Keys(*dst), order); // the scan table keeps the source's order
    }
  }
  CopyTab(src.get(), src.get()); // onto itself: nothing lost
  EXPECT_EQ(Content(*src), content);
}

// A copy into a table that cannot hold every record is refused before anything changes:
// neither table loses a record.
TEST(CopyTabCapacity, RefusedWhenTheTargetCannotHoldEveryRecord) {
  TPolHashTab big(100, "");
  for (int i = 0; i <= MaxSortRecords; ++i)
    big.InsRecord("N" + std::to_string(i), Pol("x"));
  TPolSortTab sorted("");
  sorted.InsRecord("Old", Pol("y"));
  EXPECT_EQ(CopyTab(&sorted, &big), TabNoMem);
  EXPECT_EQ(Keys(sorted), std::vector<std::string>{"Old"});
  EXPECT_EQ(big.GetDataCount(), MaxSortRecords + 1);
  TPolScanTab scan("");
  EXPECT_EQ(CopyTab(&scan, &big), TabOK);
  EXPECT_EQ(scan.GetDataCount(), MaxSortRecords + 1);
  big.DelRecord("N17");
  EXPECT_EQ(CopyTab(&sorted, &big), TabOK);
  EXPECT_EQ(sorted.GetDataCount(), MaxSortRecords);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, EveryOrganisation, ::testing::Values(0, 1, 2), [](const auto& info) {
      return std::string(info.param == 0 ? "Scan" : info.param == 1 ? "Sort" : "Hash");
    });

} // namespace
