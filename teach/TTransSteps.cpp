#include "teach/TTransSteps.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "calc/TFPolTrans.h"

namespace TRANSSTRUCT {

namespace {

using DSTRUCT::TText;
using Kind = TTransStepKind;
using Event = TTransEventKind;

constexpr const char* Context = "TTransSteps";

// The algorithm of the three stages and the lines the steps carry out.
enum Line {
  LineLexemes = 0,
  LineClean,
  LineBrackets,
  LineScan,
  LineOperator,
  LineOperand,
  LineOperandCode,
  LineOperatorCode,
  LineInfixEnd,
  LinePostfix,
  LinePostfixEach,
  LinePostfixOperand,
  LinePostfixPop,
  LinePostfixPush,
  LinePostfixClose,
  LinePostfixEnd,
  LineEvaluation,
  LineEvaluationEach,
  LineEvaluationOperand,
  LineEvaluationTake,
  LineEvaluationApply,
  LineEvaluationEnd,
};

const char* const AlgorithmLines[] = {
    TERMIX_TEXT("TTransSteps", "Этап 1. Лексемы (ParseFormula):"),
    TERMIX_TEXT("TTransSteps", "  удалить пробелы, проверить символы"),
    TERMIX_TEXT("TTransSteps", "  проверить расстановку скобок"),
    TERMIX_TEXT("TTransSteps", "  Infix := «(»; пока в тексте есть операция:"),
    TERMIX_TEXT("TTransSteps", "    найти следующую операцию, проверить её соседей"),
    TERMIX_TEXT("TTransSteps",
                "    текст перед ней — операнд: число, переменная или имя (FindRecord)"),
    TERMIX_TEXT("TTransSteps", "    коды скобок и номер лексемы операнда → Infix"),
    TERMIX_TEXT("TTransSteps", "    код операции → Infix"),
    TERMIX_TEXT("TTransSteps", "  последний операнд → Infix; Infix := Infix + «)»"),
    TERMIX_TEXT("TTransSteps", "Этап 2. Постфиксная запись (MakePostfix):"),
    TERMIX_TEXT("TTransSteps", "  для каждого кода Q из Infix:"),
    TERMIX_TEXT("TTransSteps", "    операнд: в выходную строку"),
    TERMIX_TEXT(
        "TTransSteps",
        "    операция: пока приоритет вершины стека ≥ приоритета Q: вершину в выходную строку"),
    TERMIX_TEXT("TTransSteps", "      затем Q в стек (открывающая скобка — сразу в стек)"),
    TERMIX_TEXT("TTransSteps",
                "    закрывающая скобка: из стека в выходную строку до открывающей скобки"),
    TERMIX_TEXT("TTransSteps", "  стек должен опустеть, запись — сводиться к одному значению"),
    TERMIX_TEXT("TTransSteps", "Этап 3. Вычисление (Calculate):"),
    TERMIX_TEXT("TTransSteps", "  для каждого кода постфиксной записи слева направо:"),
    TERMIX_TEXT("TTransSteps", "    операнд: его полином в стек"),
    TERMIX_TEXT("TTransSteps", "    операция: снять операнды со стека (правый — верхний)"),
    TERMIX_TEXT("TTransSteps", "      выполнить операцию, результат в стек"),
    TERMIX_TEXT("TTransSteps", "  значение формулы — единственное значение в стеке"),
};

std::string Num(long long value) {
  return std::to_string(value);
}

bool IsBinaryCode(std::int32_t code) {
  return code >= CodePower && code <= CodeAdd;
}

// Turns the translator's reports into steps. The state of a new step (working copy, stacks,
// cursors) is that of the step before it.
class TTransRecorder : public TTransObserver {
public:
  TTransRecorder(TTransRecording& recording, const TFPolTrans& trans)
      : Recording(recording), Trans(trans) {}

  void Notice(const TTransEvent& event) override {
    switch (event.Kind) {
    case Event::Cleaned:
      Push(Kind::Cleaned, TTransStage::Lexemes, LineClean,
           {Context,
            TERMIX_TEXT("TTransSteps", "Пробелы удалены, все символы допустимы: «%1»"),
            {std::string(event.Text)}})
          .Work = std::string(event.Text);
      break;
    case Event::Operator:
    case Event::Operand:
    case Event::Appended:
      NoticeLexemes(event);
      break;
    case Event::Read:
    case Event::Output:
    case Event::Push:
    case Event::Drop:
      NoticePostfix(event);
      break;
    case Event::Value:
    case Event::Result:
      NoticeValue(event);
      break;
    }
  }

  // A new step in the state of the last one.
  TTransStep& Push(Kind kind, TTransStage stage, int line, TText text) {
    TTransStep step = Recording.Steps.empty() ? TTransStep() : Recording.Steps.back();
    step.Kind = kind;
    step.Stage = stage;
    step.Line = line;
    step.Text = std::move(text);
    step.MarkFrom = step.MarkLength = 0;
    Recording.Steps.push_back(std::move(step));
    return Recording.Steps.back();
  }

  // The steps that close stage 1 and stage 2 when the translator has passed them.
  void LexemesDone() {
    Recording.Infix = Trans.GetInfix();
    std::string infix;
    for (const std::int32_t code : Recording.Infix)
      infix += (infix.empty() ? "" : " ") + Recording.CodeText(code);
    TTransStep& step = Push(Kind::LexemesDone, TTransStage::Lexemes, LineInfixEnd,
                            {Context, TERMIX_TEXT("TTransSteps", "Инфиксная запись: %1"), {infix}});
    step.InfixLength = static_cast<int>(Recording.Infix.size());
  }

  // The position of the postfix operation whose result left the range, -1 for none.
  int GetFailedAt() const { return FailedAt; }

private:
  TTransRecording& Recording;
  const TFPolTrans& Trans;
  bool BracketsShown = false;
  int OperatorAt = 0;        // the position of the operator found last
  std::int32_t ReadCode = 0; // the infix code read last, and its position
  int ReadAt = -1;
  int FailedAt = -1;

  std::string Oper(std::int32_t code) const { return Recording.CodeText(code); }
  std::string Pref(std::int32_t code) const {
    return code < 0 && code >= CodeIntegrZ
               ? Num(Recording.Prefs[static_cast<std::size_t>(-code - 1)])
               : std::string();
  }

  void NoticeLexemes(const TTransEvent& event);
  void NoticeOperand(const TTransEvent& event);
  void NoticePostfix(const TTransEvent& event);
  void NoticeValue(const TTransEvent& event);
};

void TTransRecorder::NoticeLexemes(const TTransEvent& event) {
  if (!BracketsShown) {
    BracketsShown = true;
    Push(Kind::Brackets, TTransStage::Lexemes, LineBrackets,
         {Context, TERMIX_TEXT("TTransSteps", "Скобки расставлены правильно"), {}})
        .InfixLength = 1;
  }
  if (event.Kind == Event::Operand) {
    NoticeOperand(event);
    return;
  }
  const std::string text = Oper(event.Code);
  if (event.Kind == Event::Operator) {
    OperatorAt = event.Position;
    TTransStep& step = Push(Kind::Operator, TTransStage::Lexemes, LineOperator,
                            {Context,
                             TERMIX_TEXT("TTransSteps", "Операция «%1» в позиции %2"),
                             {text, Num(event.Position)}});
    step.Work = std::string(event.Text);
    step.MarkFrom = event.Position;
    step.MarkLength = static_cast<int>(text.size());
    return;
  }
  TTransStep& step = Push(Kind::Appended, TTransStage::Lexemes, LineOperatorCode,
                          {Context,
                           TERMIX_TEXT("TTransSteps", "Код операции «%1» (%2) → Infix; в "
                                                      "тексте операция заменена знаком #"),
                           {text, Num(event.Code)}});
  // The translator marks a handled operator with one '#' in place of its text.
  const auto at = static_cast<std::size_t>(OperatorAt - 1);
  if (at < step.Work.size()) {
    step.Work.replace(at, std::min(text.size(), step.Work.size() - at), "#");
    step.MarkFrom = OperatorAt;
    step.MarkLength = 1;
  }
  step.InfixLength = event.Count;
}

void TTransRecorder::NoticeOperand(const TTransEvent& event) {
  const std::string name(event.Text);
  const std::string at = Num(event.Position);
  TText text;
  switch (event.Operand) {
  case TOperandKind::Reused:
    text = {Context,
            TERMIX_TEXT("TTransSteps", "Операнд «%1» в позиции %2 уже встречался: лексема %3"),
            {name, at, Num(event.Code)}};
    break;
  case TOperandKind::Number:
    text = {Context,
            TERMIX_TEXT("TTransSteps", "Операнд «%1» в позиции %2 — число: лексема %3"),
            {name, at, Num(event.Code)}};
    break;
  case TOperandKind::Variable:
    text = {Context,
            TERMIX_TEXT("TTransSteps", "Операнд «%1» в позиции %2 — переменная: лексема %3"),
            {name, at, Num(event.Code)}};
    break;
  case TOperandKind::Table:
    text = event.Found >= 0
               ? TText{Context,
                       TERMIX_TEXT("TTransSteps", "Операнд «%1» в позиции %2 — имя: FindRecord "
                                                  "нашёл полином в позиции %3, лексема %4"),
                       {name, at, Num(event.Found), Num(event.Code)}}
               : TText{Context,
                       TERMIX_TEXT("TTransSteps", "Операнд «%1» в позиции %2 — имя: FindRecord "
                                                  "вернул %3, такого полинома в таблице нет"),
                       {name, at, Num(event.Found)}};
    break;
  }
  if (event.Operand != TOperandKind::Reused && event.Code >= 0)
    Recording.Lexemes.push_back({name, event.Operand, event.Found, {}});
  TTransStep& step = Push(Kind::Operand, TTransStage::Lexemes, LineOperand, std::move(text));
  step.MarkFrom = event.Position;
  step.MarkLength = static_cast<int>(name.size());
  step.LexemeCount = static_cast<int>(Recording.Lexemes.size());
  if (event.Code >= 0) step.InfixLength = event.Count;
}

void TTransRecorder::NoticePostfix(const TTransEvent& event) {
  if (event.Kind == Event::Read) {
    if (event.Position == 0) LexemesDone();
    ReadCode = event.Code;
    ReadAt = event.Position;
    return;
  }
  const std::string oper = Oper(event.Code);
  TText text;
  int line = LinePostfixOperand;
  if (event.Kind == Event::Output && event.Code >= 0) {
    text = {Context, TERMIX_TEXT("TTransSteps", "Операнд «%1» → в выходную строку"), {oper}};
  } else if (event.Kind == Event::Output && ReadCode == CodeCloseBracket) {
    line = LinePostfixClose;
    text = {Context,
            TERMIX_TEXT("TTransSteps", "Закрывающая скобка: «%1» из стека в выходную строку"),
            {oper}};
  } else if (event.Kind == Event::Output) {
    line = LinePostfixPop;
    text = {
        Context,
        TERMIX_TEXT("TTransSteps",
                    "Приоритет «%1» (%2) не ниже, чем «%3» (%4): «%1» из стека в выходную строку"),
        {oper, Pref(event.Code), Oper(ReadCode), Pref(ReadCode)}};
  } else if (event.Kind == Event::Drop) {
    line = LinePostfixClose;
    text = {Context, TERMIX_TEXT("TTransSteps", "Закрывающая скобка снимает «(» со стека"), {}};
  } else {
    line = LinePostfixPush;
    const std::vector<std::int32_t>& stack = Recording.Steps.back().Stack;
    if (event.Code == CodeOpenBracket)
      text = {Context, TERMIX_TEXT("TTransSteps", "Открывающая скобка — в стек"), {}};
    else if (stack.empty())
      text = {Context,
              TERMIX_TEXT("TTransSteps", "Стек пуст: «%1» (%2) — в стек"),
              {oper, Pref(event.Code)}};
    else
      text = {Context,
              TERMIX_TEXT("TTransSteps", "Приоритет «%1» (%2) выше, чем «%3» (%4): в стек"),
              {oper, Pref(event.Code), Oper(stack.back()), Pref(stack.back())}};
  }
  TTransStep& step = Push(Kind::Push, TTransStage::Postfix, line, std::move(text));
  step.InfixCursor = ReadAt;
  if (event.Kind == Event::Output) {
    step.Kind = Kind::Output;
    Recording.Postfix.push_back(event.Code);
    if (event.Code < 0 && !step.Stack.empty()) step.Stack.pop_back();
  } else if (event.Kind == Event::Drop) {
    step.Kind = Kind::Drop;
    if (!step.Stack.empty()) step.Stack.pop_back();
  } else {
    step.Stack.push_back(event.Code);
  }
  step.PostfixLength = static_cast<int>(Recording.Postfix.size());
}

void TTransRecorder::NoticeValue(const TTransEvent& event) {
  TTransStep* step = nullptr;
  const std::string value = ShortPolText(*event.Value);
  if (event.Kind == Event::Value) {
    step = &Push(Kind::Value, TTransStage::Evaluation, LineEvaluationOperand,
                 {Context,
                  TERMIX_TEXT("TTransSteps", "Операнд «%1» → в стек: %2"),
                  {Oper(event.Code), value}});
  } else {
    // An operation that fails leaves the stack as it was; the error step tells why.
    if (event.Failed) {
      FailedAt = event.Position;
      return;
    }
    const bool binary = IsBinaryCode(event.Code);
    step = &Push(
        Kind::Result, TTransStage::Evaluation, LineEvaluationApply,
        {Context,
         binary
             ? TERMIX_TEXT("TTransSteps", "«%1» над двумя верхними значениями стека: результат %2")
             : TERMIX_TEXT("TTransSteps", "«%1» над верхним значением стека: результат %2"),
         {Oper(event.Code), value}});
    const std::size_t operands = binary ? 2 : 1;
    step->Values.resize(step->Values.size() - std::min(operands, step->Values.size()));
  }
  step->PostfixCursor = event.Position;
  step->Values.push_back(value);
  Recording.Result = *event.Value;
}

TTransStage StageOf(int code) {
  if (code == TransPostfix) return TTransStage::Postfix;
  if (code == TransRange || code == TransCancelled) return TTransStage::Evaluation;
  return TTransStage::Lexemes;
}

int ErrorLine(TTransStage stage) {
  switch (stage) {
  case TTransStage::Lexemes:
    return LineLexemes;
  case TTransStage::Postfix:
    return LinePostfixEnd;
  case TTransStage::Evaluation:
    break;
  }
  return LineEvaluationApply;
}

// Ends the recording at the translator's error: its message, its place marked.
void Failed(TTransRecording& recording, TTransRecorder& recorder, int code) {
  recording.Code = code;
  const TTransStage stage = StageOf(code);
  TTransStep& step =
      recorder.Push(Kind::Error, stage, ErrorLine(stage),
                    {Context, TERMIX_TEXT("TTransSteps", "Ошибка: %1"), {}, {recording.Message}});
  if (stage == TTransStage::Evaluation) step.PostfixCursor = recorder.GetFailedAt();
  if (stage != TTransStage::Lexemes || recording.ErrPos <= 0) return;
  if (step.Work.empty()) // the check of the characters stops before the working copy is made
    for (char c : recording.Formula)
      if (c != ' ') step.Work += c;
  step.MarkFrom = recording.ErrPos;
  step.MarkLength = 1;
}

void ReadTranslator(TTransRecording& recording, const TFPolTrans& trans) {
  recording.Message = trans.GetMessageText();
  recording.ErrPos = trans.GetErrPos();
  recording.Infix = trans.GetInfix();
}

} // namespace

std::string TTransRecording::CodeText(std::int32_t code) const {
  if (code >= 0)
    return code < static_cast<std::int32_t>(Lexemes.size())
               ? Lexemes[static_cast<std::size_t>(code)].Name
               : Num(code);
  if (code == CodeCloseBracket) return ")";
  const auto index = static_cast<std::size_t>(-code - 1);
  return index < OperTexts.size() ? OperTexts[index] : Num(code);
}

std::string TTransRecording::PostfixText() const {
  std::string text;
  for (const std::int32_t code : Postfix)
    text += (text.empty() ? "" : " ") + CodeText(code);
  return text;
}

std::string ShortPolText(const LISTSTRUCT::TPolinom& p) {
  LISTSTRUCT::TPolinom copy(p);
  std::string text = copy.GetText();
  if (text.empty()) return "0";
  // The text of a polynomial is ASCII, so it may be cut anywhere.
  constexpr std::size_t most = 30;
  if (text.size() > most) text = text.substr(0, most - 2) + "…";
  return text;
}

TTransRecording RecordFormula(TABLESTRUCT::TBasePTab* table, const std::string& formula,
                              DSTRUCT::TWorkControl* control) {
  TTransRecording recording;
  recording.Formula = formula;
  recording.Lines.assign(std::begin(AlgorithmLines), std::end(AlgorithmLines));
  TFPolTrans trans(table);
  for (int i = 0; i < TFPolTrans::OperCount; ++i) {
    recording.OperTexts.push_back(trans.GetOperPref(i).Oper);
    recording.Prefs.push_back(trans.GetOperPref(i).Pref);
  }
  TTransRecorder recorder(recording, trans);
  if (formula.size() > static_cast<std::size_t>(MaxStepFormula)) {
    recorder.Push(Kind::Refused, TTransStage::Lexemes, LineLexemes,
                  {Context,
                   TERMIX_TEXT("TTransSteps", "Формула длиннее %1 символов: пошаговый показ "
                                              "строится только для более коротких"),
                   {Num(MaxStepFormula)}});
    return recording;
  }
  recorder.Push(Kind::Start, TTransStage::Lexemes, LineLexemes,
                {Context, TERMIX_TEXT("TTransSteps", "Формула «%1»"), {formula}});
  trans.SetObserver(&recorder);
  trans.SetFormula(formula);
  const int code = trans.GetRetCode();
  ReadTranslator(recording, trans);
  if (code != 0) {
    Failed(recording, recorder, code);
    return recording;
  }
  std::size_t row = 0;
  for (TPolLeks leks = trans.GetFirstLeks(); !trans.IsLeksEnd(); leks = trans.GetNextLeks(), ++row)
    if (row < recording.Lexemes.size()) recording.Lexemes[row].Value = ShortPolText(leks.Pol);
  recorder
      .Push(Kind::PostfixDone, TTransStage::Postfix, LinePostfixEnd,
            {Context,
             TERMIX_TEXT("TTransSteps", "Постфиксная запись: %1"),
             {recording.PostfixText()}})
      .InfixCursor = -1;

  // The value of the formula is the last one its steps put on the stack.
  trans.Calculate(control);
  const int evaluation = trans.GetRetCode();
  ReadTranslator(recording, trans);
  if (evaluation != 0) {
    Failed(recording, recorder, evaluation);
    return recording;
  }
  recorder
      .Push(Kind::Finish, TTransStage::Evaluation, LineEvaluationEnd,
            {Context,
             TERMIX_TEXT("TTransSteps", "Значение формулы: %1"),
             {ShortPolText(recording.Result)}})
      .PostfixCursor = -1;
  return recording;
}

} // namespace TRANSSTRUCT
