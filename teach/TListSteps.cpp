#include "teach/TListSteps.h"

#include <algorithm>
#include <string>
#include <utility>

namespace LISTSTRUCT {

namespace {

using DSTRUCT::TText;
using Kind = TListStepKind;

constexpr const char* Context = "TListSteps";

// The lines of AddMonom, shown after the operation's own lines; the step kinds of its walk
// point into them.
constexpr int AddWalkLine = 1;
constexpr int AddInsertLine = 2;
constexpr int AddRemoveLine = 4;
constexpr int AddMergeLine = 5;
const char* const AddMonomLines[] = {
    TERMIX_TEXT("TListSteps", "AddMonom(r, m):"),
    TERMIX_TEXT("TListSteps", "  ResetList; пока индекс m < индекса текущего звена: GoNextLink"),
    TERMIX_TEXT("TListSteps",
                "  если индекс текущего звена ≠ индексу m: InsCurrent(m), вставка перед ним"),
    TERMIX_TEXT("TListSteps", "  иначе s := коэффициент текущего звена + коэффициент m:"),
    TERMIX_TEXT("TListSteps", "    если s = 0: DelCurrent, текущее звено удаляется"),
    TERMIX_TEXT("TListSteps", "    иначе коэффициент текущего звена := s"),
};

const char* const ReadingLines[] = {
    TERMIX_TEXT("TListSteps", "Чтение текста полинома:"),
    TERMIX_TEXT("TListSteps", "  r := пустой полином"),
    TERMIX_TEXT("TListSteps", "  для каждого монома текста по порядку:"),
    TERMIX_TEXT("TListSteps", "    прочитать коэффициент и степени: m := (коэффициент; индекс)"),
    TERMIX_TEXT("TListSteps", "    если коэффициент m не 0: AddMonom(r, m)"),
    TERMIX_TEXT("TListSteps", "  результат: r"),
};
const char* const SumLines[] = {
    TERMIX_TEXT("TListSteps", "Сумма p + q:"),
    TERMIX_TEXT("TListSteps", "  r := копия p"),
    TERMIX_TEXT("TListSteps", "  для каждого звена a полинома q по порядку:"),
    TERMIX_TEXT("TListSteps", "    m := a; AddMonom(r, m)"),
    TERMIX_TEXT("TListSteps", "  результат: r"),
};
const char* const DifferenceLines[] = {
    TERMIX_TEXT("TListSteps", "Разность p − q:"),
    TERMIX_TEXT("TListSteps", "  r := копия p"),
    TERMIX_TEXT("TListSteps", "  для каждого звена a полинома q по порядку:"),
    TERMIX_TEXT("TListSteps", "    m := (−коэффициент a; индекс a); AddMonom(r, m)"),
    TERMIX_TEXT("TListSteps", "  результат: r"),
};
const char* const ProductLines[] = {
    TERMIX_TEXT("TListSteps", "Произведение p · q:"),
    TERMIX_TEXT("TListSteps", "  r := пустой полином"),
    TERMIX_TEXT("TListSteps", "  для каждого звена a полинома q по порядку:"),
    TERMIX_TEXT("TListSteps", "    для каждого звена t полинома p по порядку:"),
    TERMIX_TEXT("TListSteps",
                "      m := (коэффициент t · коэффициент a; степени t + степени a, не выше 99)"),
    TERMIX_TEXT("TListSteps", "      если коэффициент m не 0: AddMonom(r, m)"),
    TERMIX_TEXT("TListSteps", "  результат: r"),
};
const char* const DerivativeLines[] = {
    TERMIX_TEXT("TListSteps", "Производная от p по v:"),
    TERMIX_TEXT("TListSteps", "  r := пустой полином"),
    TERMIX_TEXT("TListSteps", "  для каждого звена t полинома p по порядку:"),
    TERMIX_TEXT("TListSteps", "    k := степень v в t; m := (коэффициент t · k; степень v: k − 1)"),
    TERMIX_TEXT("TListSteps", "    если k > 0 и коэффициент m не 0: AddMonom(r, m)"),
    TERMIX_TEXT("TListSteps", "  результат: r"),
};
const char* const IntegralLines[] = {
    TERMIX_TEXT("TListSteps", "Интеграл от p по v:"),
    TERMIX_TEXT("TListSteps", "  r := пустой полином"),
    TERMIX_TEXT("TListSteps", "  для каждого звена t полинома p по порядку:"),
    TERMIX_TEXT("TListSteps", "    k := степень v в t"),
    TERMIX_TEXT("TListSteps", "    если k < 99: m := (коэффициент t / (k + 1); степень v: k + 1)"),
    TERMIX_TEXT("TListSteps", "    иначе m := (коэффициент t / 99; степень v: 99), переполнение"),
    TERMIX_TEXT("TListSteps", "    если коэффициент m не 0: AddMonom(r, m)"),
    TERMIX_TEXT("TListSteps", "  результат: r"),
};

// An operation's own lines and the lines its own steps carry out.
struct TAlgorithm {
  std::vector<const char*> Lines;
  int Start = 1;
  int Factor = 0;
  int Take = 0;
  int TakeAtLimit = 0; // the integral of a power at its limit
  int Skip = 0;
};

template <std::size_t N> std::vector<const char*> LinesOf(const char* const (&lines)[N]) {
  return {std::begin(lines), std::end(lines)};
}

TAlgorithm AlgorithmOf(TListOperation operation) {
  switch (operation) {
  case TListOperation::Reading:
    return {LinesOf(ReadingLines), 1, 0, 3, 3, 4};
  case TListOperation::Sum:
    return {LinesOf(SumLines), 1, 0, 3, 3, 3};
  case TListOperation::Difference:
    return {LinesOf(DifferenceLines), 1, 0, 3, 3, 3};
  case TListOperation::Product:
    return {LinesOf(ProductLines), 1, 2, 4, 4, 5};
  case TListOperation::Derivative:
    return {LinesOf(DerivativeLines), 1, 0, 3, 3, 4};
  case TListOperation::Integral:
    break;
  }
  return {LinesOf(IntegralLines), 1, 0, 4, 5, 6};
}

std::string Num(long long value) {
  return std::to_string(value);
}

// A monomial as its box shows it: (coefficient; index).
std::string PairText(TMonomPair m) {
  return "(" + TPolinom::SignedCoeffText(m.Coeff) + "; " + Num(m.Index) + ")";
}

std::string CoeffText(float c) {
  return TPolinom::SignedCoeffText(c);
}

// A coefficient added to another: in brackets when it is negative, "1 + (-1)".
std::string AddendText(float c) {
  return c < 0.0f ? "(" + CoeffText(c) + ")" : CoeffText(c);
}

std::vector<TMonomPair> PairsOf(const TPolinom& p) {
  TPolinom copy(p); // a walk moves the current position, which p keeps
  std::vector<TMonomPair> pairs;
  for (copy.ResetList(); !copy.IsListEnded(); copy.GoNextLink())
    pairs.push_back({copy.GetMonom()->GetCoeff(), copy.GetMonom()->GetIndex()});
  return pairs;
}

// The change a step makes to the result ring.
void ApplyStep(std::vector<TMonomPair>& ring, const TListStep& step) {
  const auto at = static_cast<std::size_t>(std::max(step.Current, 0));
  switch (step.Kind) {
  case Kind::Insert:
    if (at <= ring.size()) ring.insert(ring.begin() + static_cast<std::ptrdiff_t>(at), step.Monom);
    break;
  case Kind::Merge:
    if (at < ring.size()) ring[at].Coeff = step.Sum;
    break;
  case Kind::Remove:
    if (at < ring.size()) ring.erase(ring.begin() + static_cast<std::ptrdiff_t>(at));
    break;
  default:
    break;
  }
}

// Watches AddMonom on the result and makes a step of each report; the operation's own steps
// are made by Push. The state of a new step (current links, the monomial added, the visits
// so far) is that of the step before it.
class TListRecorder : public TListObserver {
public:
  TListRecorder(TListRecording& recording, const TAlgorithm& algorithm)
      : Recording(recording), Ring(recording.Initial),
        AddLine(static_cast<int>(algorithm.Lines.size())) {
    Recording.Lines = algorithm.Lines;
    Recording.Lines.insert(Recording.Lines.end(), std::begin(AddMonomLines),
                           std::end(AddMonomLines));
  }

  void Notice(const TListEvent& event) override {
    if (Full) return;
    TListStep& step = Push(Kind::Visit, {}, AddLine + AddWalkLine);
    // An empty ring has no position; its current link is the head, at the ring's length.
    const int position = event.Position < 0 ? static_cast<int>(Ring.size()) : event.Position;
    step.Current = position;
    switch (event.Kind) {
    case TListEventKind::Visit:
      step.Visits = ++Visits;
      step.Text = VisitText(event);
      break;
    case TListEventKind::Insert:
      step.Kind = Kind::Insert;
      step.Line = AddLine + AddInsertLine;
      step.Text = {Context,
                   TERMIX_TEXT("TListSteps", "Звено %1 вставлено в позицию %2"),
                   {PairText(step.Monom), Num(position)}};
      break;
    case TListEventKind::Merge:
    case TListEventKind::Remove:
      MergeText(step, event, position);
      break;
    }
    ApplyStep(Ring, step);
  }

  // A new step in the state of the last one; a full recording takes no more.
  TListStep& Push(Kind kind, TText text, int line) {
    TListStep step = Recording.Steps.empty() ? TListStep() : Recording.Steps.back();
    step.Kind = kind;
    step.Text = std::move(text);
    step.Line = line;
    step.Sum = 0.0f;
    if (kind != Kind::Visit) {
      step.Current = -1;
      step.Monom = {0.0f, -1};
    }
    if (static_cast<int>(Recording.Steps.size()) >= MaxListSteps) {
      Full = true;
      Spare = step;
      return Spare;
    }
    Recording.Steps.push_back(std::move(step));
    return Recording.Steps.back();
  }

  // Adds m to r with AddMonom, watching it.
  void Add(TPolinom& r, TMonomPair m) {
    if (Full) return; // the recording is refused anyway
    r.SetObserver(this);
    TPolinom::AddMonom(r, TMonom(m.Coeff, m.Index));
    r.SetObserver(nullptr);
  }

  bool IsFull() const { return Full; }

private:
  TListRecording& Recording;
  std::vector<TMonomPair> Ring; // the result as it stands before the next report
  int AddLine;                  // the first line of AddMonom in the recording's lines
  int Visits = 0;
  bool Full = false;
  TListStep Spare; // takes the steps a full recording has no room for

  TText VisitText(const TListEvent& event) const {
    const std::string added = Num(Recording.Steps.back().Monom.Index);
    if (event.Index < 0)
      return {Context,
              TERMIX_TEXT("TListSteps",
                          "Головное звено, индекс -1 < %1: вставка перед ним, в конец кольца"),
              {added}};
    const std::string current = Num(event.Index);
    const int addedIndex = Recording.Steps.back().Monom.Index;
    if (addedIndex < event.Index)
      return {Context,
              TERMIX_TEXT("TListSteps", "Индекс %1 < %2: переход к следующему звену"),
              {added, current}};
    if (addedIndex > event.Index)
      return {Context,
              TERMIX_TEXT("TListSteps", "Индекс %1 > %2: вставка перед текущим звеном"),
              {added, current}};
    return {Context,
            TERMIX_TEXT("TListSteps", "Индекс %1 = %2: коэффициенты складываются"),
            {added, current}};
  }

  void MergeText(TListStep& step, const TListEvent& event, int position) {
    const auto at = static_cast<std::size_t>(position);
    const std::string before = at < Ring.size() ? CoeffText(Ring[at].Coeff) : std::string("?");
    step.Sum = event.Coeff;
    if (event.Kind == TListEventKind::Remove) {
      step.Kind = Kind::Remove;
      step.Line = AddLine + AddRemoveLine;
      step.Text = {Context,
                   TERMIX_TEXT("TListSteps", "%1 + %2 = 0: звено с индексом %3 удаляется"),
                   {before, AddendText(step.Monom.Coeff), Num(event.Index)}};
      return;
    }
    step.Kind = Kind::Merge;
    step.Line = AddLine + AddMergeLine;
    step.Text = {Context,
                 TERMIX_TEXT("TListSteps", "%1 + %2 = %3: новый коэффициент звена с индексом %4"),
                 {before, AddendText(step.Monom.Coeff), CoeffText(event.Coeff), Num(event.Index)}};
  }
};

} // namespace

std::vector<TMonomPair> TListRecording::RingAt(int step) const {
  std::vector<TMonomPair> ring = Initial;
  const int last = std::min(step, static_cast<int>(Steps.size()) - 1);
  for (int i = 0; i <= last; ++i)
    ApplyStep(ring, Steps[static_cast<std::size_t>(i)]);
  return ring;
}

int TListRecording::MostLinks() const {
  std::vector<TMonomPair> ring = Initial;
  std::size_t most = ring.size();
  for (const TListStep& step : Steps) {
    ApplyStep(ring, step);
    most = std::max(most, ring.size());
  }
  return static_cast<int>(most);
}

namespace {

TListRecording Refused(TListRecording recording, TText reason) {
  recording.Steps.clear();
  TListStep step;
  step.Kind = Kind::Refused;
  step.Text = std::move(reason);
  recording.Steps.push_back(std::move(step));
  return recording;
}

TListRecording Finished(const TListRecorder& recorder, TListRecording recording, int links) {
  if (recorder.IsFull())
    return Refused(
        std::move(recording),
        {Context,
         TERMIX_TEXT("TListSteps", "Операции нужно больше %1 шагов: возьмите полиномы короче"),
         {Num(MaxListSteps)}});
  TListStep finish = recording.Steps.back();
  finish.Kind = Kind::Finish;
  finish.Line = static_cast<int>(recording.Lines.size() - std::size(AddMonomLines)) - 1;
  finish.PCurrent = finish.QCurrent = finish.Current = -1;
  finish.Monom = {0.0f, -1};
  finish.Sum = 0.0f;
  finish.Text = {
      Context,
      recording.Overflow
          ? TERMIX_TEXT("TListSteps", "Готово: звеньев в r: %1, просмотрено звеньев: "
                                      "%2; степень ограничена 99, переполнение")
          : TERMIX_TEXT("TListSteps", "Готово: звеньев в r: %1, просмотрено звеньев: %2"),
      {Num(links), Num(finish.Visits)}};
  recording.Steps.push_back(std::move(finish));
  return recording;
}

// The monomial texts of a polynomial text in reading order, without spaces, each with its
// sign: a "+" or "-" ends a monomial, and a "-" belongs to the monomial after it.
std::vector<std::string> MonomTexts(const std::string& text) {
  std::string work;
  for (char c : text)
    if (c != ' ') work += c;
  std::vector<std::string> pieces;
  std::size_t from = 0;
  bool negative = false;
  if (!work.empty() && (work[0] == '+' || work[0] == '-')) {
    negative = work[0] == '-';
    from = 1;
  }
  for (;;) {
    const std::size_t sep = work.find_first_of("+-", from);
    const std::string piece =
        work.substr(from, sep == std::string::npos ? std::string::npos : sep - from);
    pieces.push_back(negative ? "-" + piece : piece);
    if (sep == std::string::npos) return pieces;
    negative = work[sep] == '-';
    from = sep + 1;
  }
}

TText TooManyMonoms(const char* name, std::size_t count) {
  return {Context,
          TERMIX_TEXT("TListSteps", "В полиноме %1 мономов: %2; пошаговый показ строится не "
                                    "более чем для %3"),
          {name, Num(static_cast<long long>(count)), Num(MaxStepMonoms)}};
}

// The power of var ('x', 'y' or 'z') in index, and the index step of one power of it.
int PowerOf(char var, int index) {
  return var == 'x' ? TMonom::PowX(index) : var == 'y' ? TMonom::PowY(index) : TMonom::PowZ(index);
}
int UnitOf(char var) {
  return var == 'x' ? 10000 : var == 'y' ? 100 : 1;
}

void RecordSum(TListRecorder& recorder, const TListRecording& recording,
               const TAlgorithm& algorithm, TPolinom& r) {
  const bool negate = recording.Operation == TListOperation::Difference;
  recorder.Push(
      Kind::Start,
      {Context,
       TERMIX_TEXT("TListSteps", "r — копия p (звеньев: %1); звенья q добавляются к r по одному"),
       {Num(static_cast<long long>(recording.P.size()))}},
      algorithm.Start);
  for (std::size_t j = 0; j < recording.Q.size(); ++j) {
    const TMonomPair a = recording.Q[j];
    const TMonomPair m{negate ? -a.Coeff : a.Coeff, a.Index};
    TText text = negate ? TText{Context,
                                TERMIX_TEXT("TListSteps", "Звено %1 полинома q: a = %2; m = %3"),
                                {Num(static_cast<long long>(j)), PairText(a), PairText(m)}}
                        : TText{Context,
                                TERMIX_TEXT("TListSteps", "Звено %1 полинома q: m = %2"),
                                {Num(static_cast<long long>(j)), PairText(m)}};
    TListStep& step = recorder.Push(Kind::Take, std::move(text), algorithm.Take);
    step.QCurrent = static_cast<int>(j);
    step.Monom = m;
    recorder.Add(r, m);
  }
}

// One term of the product: t · a with its powers held at the limit; clamped tells of a hold.
TMonomPair TermProduct(TMonomPair t, TMonomPair a, bool& clamped) {
  const int sx = TMonom::PowX(t.Index) + TMonom::PowX(a.Index);
  const int sy = TMonom::PowY(t.Index) + TMonom::PowY(a.Index);
  const int sz = TMonom::PowZ(t.Index) + TMonom::PowZ(a.Index);
  clamped = sx > MaxPower || sy > MaxPower || sz > MaxPower;
  return {t.Coeff * a.Coeff, TMonom::MakeIndex(std::min(sx, MaxPower), std::min(sy, MaxPower),
                                               std::min(sz, MaxPower))};
}

void RecordProduct(TListRecorder& recorder, TListRecording& recording, const TAlgorithm& algorithm,
                   TPolinom& r) {
  recorder.Push(Kind::Start,
                {Context,
                 TERMIX_TEXT("TListSteps", "r — пустой полином; каждое звено q "
                                           "умножается на каждое звено p"),
                 {}},
                algorithm.Start);
  for (std::size_t j = 0; j < recording.Q.size(); ++j) {
    const TMonomPair a = recording.Q[j];
    TListStep& factor =
        recorder.Push(Kind::Factor,
                      {Context,
                       TERMIX_TEXT("TListSteps", "Звено %1 полинома q: a = %2; на a умножается "
                                                 "каждое звено p"),
                       {Num(static_cast<long long>(j)), PairText(a)}},
                      algorithm.Factor);
    factor.QCurrent = static_cast<int>(j);
    factor.PCurrent = -1;
    for (std::size_t i = 0; i < recording.P.size(); ++i) {
      const TMonomPair t = recording.P[i];
      bool clamped = false;
      const TMonomPair m = TermProduct(t, a, clamped);
      recording.Overflow = recording.Overflow || clamped;
      const bool zero = m.Coeff == 0.0f;
      const char* pattern =
          zero ? TERMIX_TEXT("TListSteps", "%1 · %2: коэффициент 0, моном не добавляется")
          : clamped ? TERMIX_TEXT("TListSteps", "%1 · %2 = %3: степень выше 99 ограничена")
                    : TERMIX_TEXT("TListSteps", "%1 · %2 = %3");
      TListStep& step = recorder.Push(zero ? Kind::Skip : Kind::Take,
                                      {Context, pattern, {PairText(t), PairText(a), PairText(m)}},
                                      zero ? algorithm.Skip : algorithm.Take);
      step.PCurrent = static_cast<int>(i);
      if (zero) continue;
      step.Monom = m;
      recorder.Add(r, m);
    }
  }
}

// The monomial m the derivative or the integral by var makes of t, whose power of var is k;
// atLimit tells of an integral that keeps a power at the limit.
TMonomPair TermOf(bool derivative, char var, TMonomPair t, int k, bool& atLimit) {
  atLimit = !derivative && k >= MaxPower;
  if (derivative) return {t.Coeff * static_cast<float>(k), t.Index - UnitOf(var)};
  if (atLimit) return {t.Coeff / static_cast<float>(MaxPower), t.Index};
  return {t.Coeff / static_cast<float>(k + 1), t.Index + UnitOf(var)};
}

// The explanation of m made of link i of p, t.
TText TermText(std::size_t i, TMonomPair t, char var, int k, TMonomPair m, bool atLimit) {
  const std::string where = Num(static_cast<long long>(i)), varText(1, var);
  if (m.Coeff == 0.0f)
    return {Context,
            TERMIX_TEXT("TListSteps", "Звено %1 полинома p: %2; m = %3, коэффициент "
                                      "0, моном не добавляется"),
            {where, PairText(t), PairText(m)}};
  if (atLimit)
    return {Context,
            TERMIX_TEXT("TListSteps", "Звено %1 полинома p: %2, степень %3 равна 99 "
                                      "и остаётся: m = %4, переполнение"),
            {where, PairText(t), varText, PairText(m)}};
  return {Context,
          TERMIX_TEXT("TListSteps", "Звено %1 полинома p: %2, степень %3 равна %4: m = %5"),
          {where, PairText(t), varText, Num(k), PairText(m)}};
}

// The derivative or the integral: each monomial of p becomes one monomial m.
void RecordTermByTerm(TListRecorder& recorder, TListRecording& recording,
                      const TAlgorithm& algorithm, TPolinom& r) {
  const bool derivative = recording.Operation == TListOperation::Derivative;
  const char var = recording.Variable;
  recorder.Push(
      Kind::Start,
      {Context,
       TERMIX_TEXT("TListSteps", "r — пустой полином; звенья p переводятся в r по одному"),
       {}},
      algorithm.Start);
  for (std::size_t i = 0; i < recording.P.size(); ++i) {
    const TMonomPair t = recording.P[i];
    const int k = PowerOf(var, t.Index);
    if (derivative && k == 0) {
      recorder
          .Push(Kind::Skip,
                {Context,
                 TERMIX_TEXT("TListSteps", "Звено %1 полинома p: %2 не содержит %3, моном "
                                           "исчезает"),
                 {Num(static_cast<long long>(i)), PairText(t), std::string(1, var)}},
                algorithm.Skip)
          .PCurrent = static_cast<int>(i);
      continue;
    }
    bool atLimit = false;
    const TMonomPair m = TermOf(derivative, var, t, k, atLimit);
    recording.Overflow = recording.Overflow || atLimit;
    const bool zero = m.Coeff == 0.0f;
    TListStep& step =
        recorder.Push(zero ? Kind::Skip : Kind::Take, TermText(i, t, var, k, m, atLimit),
                      zero      ? algorithm.Skip
                      : atLimit ? algorithm.TakeAtLimit
                                : algorithm.Take);
    step.PCurrent = static_cast<int>(i);
    if (zero) continue;
    step.Monom = m;
    recorder.Add(r, m);
  }
}

} // namespace

TListRecording RecordReading(const std::string& text) {
  TListRecording recording;
  recording.Operation = TListOperation::Reading;
  recording.Text = text;
  const TAlgorithm algorithm = AlgorithmOf(TListOperation::Reading);
  TListRecorder recorder(recording, algorithm);
  TPolinom whole;
  whole.SetText(text);
  if (whole.GetRetCode() != DataOK)
    return Refused(
        std::move(recording),
        {Context, TERMIX_TEXT("TListSteps", "Текст не прочитан: %1"), {}, {whole.GetErrMessage()}});
  const std::vector<std::string> pieces = MonomTexts(text);
  if (pieces.size() > static_cast<std::size_t>(MaxStepMonoms))
    return Refused(std::move(recording),
                   {Context,
                    TERMIX_TEXT("TListSteps", "В тексте мономов: %1; пошаговый показ строится не "
                                              "более чем для %2"),
                    {Num(static_cast<long long>(pieces.size())), Num(MaxStepMonoms)}});
  recorder.Push(Kind::Start,
                {Context,
                 TERMIX_TEXT("TListSteps", "Текст «%1»: мономов %2; r — пустой полином"),
                 {text, Num(static_cast<long long>(pieces.size()))}},
                algorithm.Start);
  TPolinom r;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    // Each monomial of an accepted text reads alone as it reads in the text.
    TPolinom one;
    one.SetText(pieces[i]);
    const std::string number = Num(static_cast<long long>(i) + 1);
    if (one.IsEmpty()) {
      recorder.Push(Kind::Skip,
                    {Context,
                     TERMIX_TEXT("TListSteps", "Моном %1, «%2»: коэффициент 0, он не "
                                               "добавляется"),
                     {number, pieces[i]}},
                    algorithm.Skip);
      continue;
    }
    one.ResetList();
    const TMonomPair m{one.GetMonom()->GetCoeff(), one.GetMonom()->GetIndex()};
    recorder
        .Push(Kind::Take,
              {Context,
               TERMIX_TEXT("TListSteps", "Моном %1, «%2»: m = %3"),
               {number, pieces[i], PairText(m)}},
              algorithm.Take)
        .Monom = m;
    recorder.Add(r, m);
  }
  return Finished(recorder, std::move(recording), r.GetListLength());
}

TListRecording RecordListOperation(TListOperation operation, const TPolinom& p, const TPolinom& q,
                                   char var) {
  if (operation == TListOperation::Reading) {
    TPolinom copy(p);
    return RecordReading(copy.GetText());
  }
  TListRecording recording;
  recording.Operation = operation;
  recording.Variable = static_cast<char>(var >= 'A' && var <= 'Z' ? var - 'A' + 'a' : var);
  recording.P = PairsOf(p);
  const bool twoOperands = operation == TListOperation::Sum ||
                           operation == TListOperation::Difference ||
                           operation == TListOperation::Product;
  if (twoOperands) recording.Q = PairsOf(q);
  if (operation == TListOperation::Sum || operation == TListOperation::Difference)
    recording.Initial = recording.P;
  const TAlgorithm algorithm = AlgorithmOf(operation);
  TListRecorder recorder(recording, algorithm);
  if (recording.P.size() > static_cast<std::size_t>(MaxStepMonoms))
    return Refused(std::move(recording), TooManyMonoms("p", recording.P.size()));
  if (recording.Q.size() > static_cast<std::size_t>(MaxStepMonoms))
    return Refused(std::move(recording), TooManyMonoms("q", recording.Q.size()));
  if (!twoOperands && recording.Variable != 'x' && recording.Variable != 'y' &&
      recording.Variable != 'z')
    return Refused(
        std::move(recording),
        {Context, TERMIX_TEXT("TListSteps", "Нет переменной %1"), {std::string(1, var)}});
  TPolinom r(recording.Initial.data(), static_cast<int>(recording.Initial.size()));
  if (operation == TListOperation::Product)
    RecordProduct(recorder, recording, algorithm, r);
  else if (twoOperands)
    RecordSum(recorder, recording, algorithm, r);
  else
    RecordTermByTerm(recorder, recording, algorithm, r);
  return Finished(recorder, std::move(recording), r.GetListLength());
}

DSTRUCT::TText ListOperationName(TListOperation operation, char var) {
  switch (operation) {
  case TListOperation::Reading:
    return {Context, TERMIX_TEXT("TListSteps", "Чтение текста"), {}};
  case TListOperation::Sum:
    return {Context, TERMIX_TEXT("TListSteps", "Сумма p + q"), {}};
  case TListOperation::Difference:
    return {Context, TERMIX_TEXT("TListSteps", "Разность p − q"), {}};
  case TListOperation::Product:
    return {Context, TERMIX_TEXT("TListSteps", "Произведение p · q"), {}};
  case TListOperation::Derivative:
    return {Context, TERMIX_TEXT("TListSteps", "Производная от p по %1"), {std::string(1, var)}};
  case TListOperation::Integral:
    break;
  }
  return {Context, TERMIX_TEXT("TListSteps", "Интеграл от p по %1"), {std::string(1, var)}};
}

} // namespace LISTSTRUCT
