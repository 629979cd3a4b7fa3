// Randomized checks of the translator: random formula trees evaluated by the translator and by
// a plain double-precision model of the same tree, and random mutations of valid formulas.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "CalcTestSupport.h"

using namespace calctest;
using namespace TRANSSTRUCT;

namespace {

// A polynomial of the model: packed index -> double coefficient, zero terms left out. Over
// tells that a power passed 99 on the way (product or integral), as the translator reports it.
struct ModelPol {
  std::map<int, double> Terms;
  bool Over = false;
};

int Px(int i) {
  return i / 10000;
}
int Py(int i) {
  return i / 100 % 100;
}
int Pz(int i) {
  return i % 100;
}
int Pack(int x, int y, int z) {
  return 10000 * x + 100 * y + z;
}

ModelPol Add(const ModelPol& a, const ModelPol& b, double sign) {
  ModelPol r = a;
  r.Over = a.Over || b.Over;
  for (const auto& [i, c] : b.Terms) {
    double s = r.Terms[i] + sign * c;
    if (s == 0.0)
      r.Terms.erase(i);
    else
      r.Terms[i] = s;
  }
  return r;
}

ModelPol Mul(const ModelPol& a, const ModelPol& b) {
  ModelPol r;
  r.Over = a.Over || b.Over;
  for (const auto& [i, c] : a.Terms)
    for (const auto& [j, d] : b.Terms) {
      int x = Px(i) + Px(j), y = Py(i) + Py(j), z = Pz(i) + Pz(j);
      if (x > 99 || y > 99 || z > 99) r.Over = true;
      r.Terms[Pack(std::min(x, 99), std::min(y, 99), std::min(z, 99))] += c * d;
    }
  std::erase_if(r.Terms, [](const auto& t) { return t.second == 0.0; });
  return r;
}

int PowOf(int index, int var) {
  return var == 0 ? Px(index) : var == 1 ? Py(index) : Pz(index);
}
int Unit(int var) {
  return var == 0 ? 10000 : var == 1 ? 100 : 1;
}

ModelPol Deriv(const ModelPol& a, int var) {
  ModelPol r;
  r.Over = a.Over;
  for (const auto& [i, c] : a.Terms) {
    int k = PowOf(i, var);
    if (k > 0) r.Terms[i - Unit(var)] = c * k;
  }
  return r;
}

ModelPol Integr(const ModelPol& a, int var) {
  ModelPol r;
  r.Over = a.Over;
  for (const auto& [i, c] : a.Terms) {
    int k = PowOf(i, var);
    if (k >= 99) r.Over = true;
    r.Terms[i + Unit(var)] = c / (k + 1);
  }
  return r;
}

double ValueAt(const ModelPol& p, double x, double y, double z) {
  double s = 0.0;
  for (const auto& [i, c] : p.Terms)
    s += c * std::pow(x, Px(i)) * std::pow(y, Py(i)) * std::pow(z, Pz(i));
  return s;
}

// A formula tree. Kinds: a leaf (its text and model value), + - * ^ and the six forms.
struct Node {
  enum Kind { Leaf, Add, Sub, Mul, Pow, Deriv, Integr } K = Leaf;
  std::string Text; // leaf text, or the exponent text of a power
  ModelPol Value;   // leaf value
  int Var = 0;      // variable of a derivative or integral
  int Exponent = 0; // exponent of a power
  std::unique_ptr<Node> L, R;
};

int Prec(const Node& n) {
  switch (n.K) {
  case Node::Add:
  case Node::Sub:
    return 1;
  case Node::Mul:
    return 2;
  case Node::Pow:
    return 3;
  default:
    return 4;
  }
}

class FormulaMaker {
public:
  explicit FormulaMaker(unsigned seed) : Rng(seed) {}

  // A random polynomial with 1 to 4 monomials, small coefficients and powers up to 2.
  ModelPol RandomPol() {
    ModelPol p;
    const int n = Pick(1, 4);
    for (int k = 0; k < n; ++k) {
      double c = Pick(-6, 6) * 0.5;
      if (c == 0.0) c = 1.5;
      p.Terms[Pack(Pick(0, 2), Pick(0, 2), Pick(0, 2))] = c;
    }
    return p;
  }

  // Names and values of the table polynomials the formulas may use.
  std::vector<std::pair<std::string, ModelPol>> Table;

  std::unique_ptr<Node> Tree(int depth) {
    auto n = std::make_unique<Node>();
    const int choice = depth <= 0 ? 0 : Pick(0, 9);
    if (choice <= 2) {
      MakeLeaf(*n);
    } else if (choice <= 7) {
      static const Node::Kind binary[] = {Node::Add, Node::Sub, Node::Mul, Node::Pow, Node::Add};
      n->K = binary[choice - 3];
      n->L = Tree(depth - 1);
      if (n->K == Node::Pow) {
        // Single variables also get large exponents, which pass the power limit in products.
        const bool variable = n->L->K == Node::Leaf && n->L->Value.Terms.size() == 1 &&
                              n->L->Value.Terms.begin()->second == 1.0 &&
                              n->L->Value.Terms.begin()->first != 0;
        n->Exponent = variable && Pick(0, 2) == 0 ? Pick(20, 70) : Pick(0, 3);
        n->Text = std::to_string(n->Exponent);
        if (Pick(0, 3) == 0) n->Text += ".5"; // the fraction is cut off
      } else {
        n->R = Tree(depth - 1);
      }
    } else {
      n->K = choice == 8 ? Node::Deriv : Node::Integr;
      n->Var = Pick(0, 2);
      n->L = Tree(depth - 1);
    }
    return n;
  }

  // A random tree whose result stays small enough to be computed quickly: at most about
  // MaxTerms monomials on the way and a total degree of at most MaxDegree.
  std::unique_ptr<Node> SmallTree(int depth) {
    for (;;) {
      auto t = Tree(depth);
      double terms = 0, degree = 0;
      Bounds(*t, terms, degree);
      if (terms <= 3000 && degree <= 200) return t;
    }
  }

  static void Bounds(const Node& n, double& terms, double& degree) {
    double lt = 0, ld = 0, rt = 0, rd = 0;
    if (n.L) Bounds(*n.L, lt, ld);
    if (n.R) Bounds(*n.R, rt, rd);
    switch (n.K) {
    case Node::Leaf:
      terms = static_cast<double>(n.Value.Terms.size());
      degree = 0;
      for (const auto& t : n.Value.Terms)
        degree = std::max(degree, static_cast<double>(Px(t.first) + Py(t.first) + Pz(t.first)));
      break;
    case Node::Add:
    case Node::Sub:
      terms = lt + rt;
      degree = std::max(ld, rd);
      break;
    case Node::Mul:
      terms = lt * rt;
      degree = ld + rd;
      break;
    case Node::Pow:
      terms = std::pow(std::max(lt, 1.0), n.Exponent);
      degree = ld * n.Exponent;
      break;
    case Node::Deriv:
      terms = lt;
      degree = ld;
      break;
    case Node::Integr:
      terms = lt;
      degree = ld + 1;
      break;
    }
  }

  // The formula text with the brackets the priorities need, some extra ones and spaces.
  std::string Text(const Node& n) {
    switch (n.K) {
    case Node::Leaf:
      return n.Text;
    case Node::Deriv:
      return std::string("d/d") + "xyz"[n.Var] + "(" + Text(*n.L) + ")";
    case Node::Integr:
      return std::string("int~d") + "xyz"[n.Var] + "(" + Text(*n.L) + ")";
    case Node::Pow: {
      // Powers associate to the left, so a power needs no bracket as the left operand.
      std::string base = Text(*n.L);
      if (Prec(*n.L) < 3 || Pick(0, 5) == 0) base = "(" + base + ")";
      return base + "^" + n.Text;
    }
    default: {
      const int p = Prec(n);
      std::string l = Text(*n.L), r = Text(*n.R);
      if (Prec(*n.L) < p || Pick(0, 6) == 0) l = "(" + l + ")";
      if (Prec(*n.R) <= p || Pick(0, 6) == 0) r = "(" + r + ")";
      const char* op = n.K == Node::Add ? "+" : n.K == Node::Sub ? "-" : "*";
      return l + op + r;
    }
    }
  }

  std::string WithSpaces(const std::string& s) {
    std::string out;
    for (char c : s) {
      if (Pick(0, 9) == 0) out += ' ';
      out += c;
    }
    return out;
  }

  static ModelPol Evaluate(const Node& n) {
    switch (n.K) {
    case Node::Leaf:
      return n.Value;
    case Node::Add:
      return Add(Evaluate(*n.L), Evaluate(*n.R), 1.0);
    case Node::Sub:
      return Add(Evaluate(*n.L), Evaluate(*n.R), -1.0);
    case Node::Mul:
      return Mul(Evaluate(*n.L), Evaluate(*n.R));
    case Node::Pow: {
      ModelPol base = Evaluate(*n.L);
      ModelPol r;
      r.Terms[0] = 1.0;
      r.Over = base.Over;
      for (int k = 0; k < n.Exponent && !r.Over; ++k)
        r = Mul(r, base);
      return r;
    }
    case Node::Deriv:
      return Deriv(Evaluate(*n.L), n.Var);
    case Node::Integr:
      return Integr(Evaluate(*n.L), n.Var);
    }
    return {};
  }

  // The same tree with every coefficient and operation made non-negative: its value at
  // (|x|, |y|, |z|) bounds the size of every term met on the way, which scales the tolerance.
  static ModelPol Magnitude(const Node& n) {
    switch (n.K) {
    case Node::Leaf: {
      ModelPol p = n.Value;
      for (auto& t : p.Terms)
        t.second = std::abs(t.second);
      return p;
    }
    case Node::Add:
    case Node::Sub:
      return Add(Magnitude(*n.L), Magnitude(*n.R), 1.0);
    case Node::Mul:
      return Mul(Magnitude(*n.L), Magnitude(*n.R));
    case Node::Pow: {
      ModelPol base = Magnitude(*n.L);
      ModelPol r;
      r.Terms[0] = 1.0;
      for (int k = 0; k < n.Exponent; ++k)
        r = Mul(r, base);
      return r;
    }
    case Node::Deriv:
      return Deriv(Magnitude(*n.L), n.Var);
    case Node::Integr:
      return Integr(Magnitude(*n.L), n.Var);
    }
    return {};
  }

  int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(Rng); }
  double Real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(Rng); }

private:
  void MakeLeaf(Node& n) {
    const int kind = Pick(0, 9);
    if (kind <= 4 && !Table.empty()) {
      const auto& entry = Table[static_cast<size_t>(Pick(0, static_cast<int>(Table.size()) - 1))];
      n.Text = entry.first;
      n.Value = entry.second;
    } else if (kind <= 7) {
      static const char* const vars[] = {"x", "y", "z", "X", "Y", "Z"};
      const int v = Pick(0, 5);
      n.Text = vars[v];
      n.Value.Terms[Unit(v % 3)] = 1.0;
    } else {
      static const char* const numbers[] = {"2", "0.5", "3", "1.25", "10", "2.0", "1e1", "0"};
      static const double values[] = {2, 0.5, 3, 1.25, 10, 2, 10, 0};
      const int k = Pick(0, 7);
      n.Text = numbers[k];
      if (values[k] != 0.0) n.Value.Terms[0] = values[k];
    }
  }

  std::mt19937 Rng;
};

class RandomFormulaTest : public TransTest {
protected:
  FormulaMaker Maker{20240607u};

  void SetUp() override {
    const char* const names[] = {"A", "B", "Pol1", "Q7", "abc"};
    for (const char* name : names) {
      ModelPol p = Maker.RandomPol();
      std::string text;
      for (const auto& [i, c] : p.Terms) {
        text += (c < 0 ? "-" : "+") + std::to_string(std::abs(c)) + "*x^" + std::to_string(Px(i)) +
                "*y^" + std::to_string(Py(i)) + "*z^" + std::to_string(Pz(i));
      }
      Put(name, text);
      Maker.Table.emplace_back(name, p);
    }
  }
};

TEST_F(RandomFormulaTest, EvaluationAgreesWithDirectDoubleEvaluation) {
  int evaluated = 0, outOfRange = 0;
  for (int round = 0; round < 3000; ++round) {
    auto tree = Maker.SmallTree(Maker.Pick(0, 5));
    const std::string formula = Maker.WithSpaces(Maker.Text(*tree));
    SCOPED_TRACE("formula «" + formula + "»");
    ASSERT_EQ(Set(formula), 0) << Trans.GetMessage();
    const ModelPol expected = FormulaMaker::Evaluate(*tree);
    TPolinom r = Trans.Calculate();
    const int code = Trans.GetRetCode();
    if (expected.Over) {
      ASSERT_EQ(code, -108);
      ++outOfRange;
      continue;
    }
    ASSERT_EQ(code, 0) << Trans.GetMessage();
    ++evaluated;
    const ModelPol scale = FormulaMaker::Magnitude(*tree);
    for (int k = 0; k < 3; ++k) {
      const double x = Maker.Real(-1.5, 1.5), y = Maker.Real(-1.5, 1.5), z = Maker.Real(-1.5, 1.5);
      const double want = ValueAt(expected, x, y, z);
      const double bound = ValueAt(scale, std::abs(x), std::abs(y), std::abs(z));
      const double got =
          r.Value(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
      // Float coefficients and points: a relative error of a few float steps per operation.
      ASSERT_NEAR(got, want, 1e-4 * bound + 1e-6) << "at (" << x << ", " << y << ", " << z << ")";
    }
  }
  // Both outcomes must actually have been exercised.
  EXPECT_GT(evaluated, 2000);
  EXPECT_GT(outOfRange, 0);
}

// Checks the report of one formula: either it is accepted, or its code, message and error
// position agree and the position lies inside the formula.
void CheckReport(TFPolTrans& trans, const std::string& formula) {
  SCOPED_TRACE("formula «" + formula + "»");
  trans.SetFormula(formula);
  const int code = trans.GetRetCode();
  const int pos = trans.GetErrPos();
  const std::string message = trans.GetMessage();
  std::string stripped;
  for (char c : formula)
    if (c != ' ') stripped += c;
  if (code == 0) {
    ASSERT_TRUE(trans.GetIsReady());
    ASSERT_EQ(message, "Выражение введено правильно.");
    ASSERT_EQ(pos, 0);
    TPolinom r = trans.Calculate();
    const int calcCode = trans.GetRetCode();
    ASSERT_TRUE(calcCode == 0 || calcCode == -108) << calcCode;
    for (r.ResetList(); !r.IsListEnded(); r.GoNextLink())
      ASSERT_TRUE(std::isfinite(r.GetMonom()->GetCoeff()));
    return;
  }
  ASSERT_FALSE(trans.GetIsReady());
  ASSERT_TRUE(trans.GetIsError());
  switch (code) {
  case -101:
    ASSERT_EQ(pos, 0);
    ASSERT_TRUE(stripped.empty());
    break;
  case -103:
  case -104:
  case -105:
  case -106: {
    ASSERT_GE(pos, 1);
    ASSERT_LE(pos, static_cast<int>(stripped.size()) + (code == -103 ? 1 : 0));
    const std::string tail = "[" + std::to_string(pos) + "]";
    ASSERT_GE(message.size(), tail.size());
    ASSERT_EQ(message.substr(message.size() - tail.size()), tail);
    // Before the operator scan the working copy is the text without spaces.
    if (code == -104) {
      const unsigned char bad = static_cast<unsigned char>(stripped[static_cast<size_t>(pos - 1)]);
      ASSERT_TRUE(bad >= 128 ||
                  !(std::isalnum(bad) ||
                    std::string("()+-*/^~.").find(static_cast<char>(bad)) != std::string::npos));
    }
    if (code == -103 && pos <= static_cast<int>(stripped.size())) {
      ASSERT_EQ(stripped[static_cast<size_t>(pos - 1)], ')');
    }
    break;
  }
  case -107:
    ASSERT_EQ(pos, -1);
    ASSERT_EQ(message, "Ошибки в записи выражения ! [?]");
    break;
  default:
    FAIL() << "unexpected code " << code << " " << message;
  }
}

TEST_F(RandomFormulaTest, MutatedFormulasAreAcceptedOrReportedInsideTheFormula) {
  const std::string pool = "()+-*^/~. dixyzAB0123456789e#,\xD0\x96\t";
  int accepted = 0, rejected = 0;
  for (int round = 0; round < 1500; ++round) {
    auto tree = Maker.SmallTree(Maker.Pick(1, 4));
    std::string formula = Maker.Text(*tree);
    const int edits = Maker.Pick(1, 3);
    for (int e = 0; e < edits && !formula.empty(); ++e) {
      const size_t at = static_cast<size_t>(Maker.Pick(0, static_cast<int>(formula.size()) - 1));
      switch (Maker.Pick(0, 2)) {
      case 0:
        formula.insert(at, 1,
                       pool[static_cast<size_t>(Maker.Pick(0, static_cast<int>(pool.size()) - 1))]);
        break;
      case 1:
        formula.erase(at, 1);
        break;
      default:
        if (at + 1 < formula.size()) std::swap(formula[at], formula[at + 1]);
        break;
      }
    }
    CheckReport(Trans, formula);
    if (::testing::Test::HasFatalFailure()) return;
    (Trans.GetIsReady() ? accepted : rejected)++;
  }
  EXPECT_GT(accepted, 50);
  EXPECT_GT(rejected, 500);
}

} // namespace
