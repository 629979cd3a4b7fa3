// Shared helpers of the translator tests: a scan table with a few named polynomials and a
// translator on it, and a view of a polynomial as its list of (coefficient, index) pairs.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "calc/TFPolTrans.h"
#include "core/TPolinom.h"
#include "tables/TPolScanTab.h"

namespace calctest {

using LISTSTRUCT::TPolinom;
using Monoms = std::vector<std::pair<float, int>>;

// The monomials of p in list order.
inline Monoms MonomsOf(const TPolinom& p) {
  TPolinom copy(p);
  Monoms out;
  for (copy.ResetList(); !copy.IsListEnded(); copy.GoNextLink())
    out.emplace_back(copy.GetMonom()->GetCoeff(), copy.GetMonom()->GetIndex());
  return out;
}

inline TPolinom PolOf(const std::string& text) {
  TPolinom p;
  p.SetText(text);
  EXPECT_EQ(p.GetRetCode(), 0) << "test polynomial text rejected: " << text;
  return p;
}

class TransTest : public ::testing::Test {
protected:
  TABLESTRUCT::TPolScanTab Tab{""}; // a table without a file
  TRANSSTRUCT::TFPolTrans Trans{&Tab};

  void Put(const std::string& key, const std::string& text) { Tab.InsRecord(key, PolOf(text)); }

  // Sets the formula and returns the translator's code (which reading clears).
  int Set(const std::string& formula) {
    Trans.SetFormula(formula);
    return Trans.GetRetCode();
  }

  std::vector<std::string> LeksNames() {
    std::vector<std::string> names;
    for (auto l = Trans.GetFirstLeks(); !Trans.IsLeksEnd(); l = Trans.GetNextLeks())
      names.push_back(l.Name);
    return names;
  }

  // Evaluates a formula that must be accepted; the evaluation code goes to *code.
  TPolinom Eval(const std::string& formula, int* code = nullptr) {
    EXPECT_EQ(Set(formula), 0) << formula << ": " << Trans.GetMessage();
    TPolinom r = Trans.Calculate();
    const int c = Trans.GetRetCode();
    if (code != nullptr)
      *code = c;
    else
      EXPECT_EQ(c, 0) << formula << ": " << Trans.GetMessage();
    return r;
  }
};

} // namespace calctest
