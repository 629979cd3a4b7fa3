#include "teach/TTransStepPicture.h"

#include <algorithm>

namespace TRANSSTRUCT {

using LISTSTRUCT::TCanvas;
using LISTSTRUCT::TCanvasColor;

namespace {

constexpr int Margin = 10;
constexpr int Pen = 2;

constexpr TCanvasColor Background{255, 255, 245};
constexpr TCanvasColor Black{0, 0, 0};
constexpr TCanvasColor CellFill{230, 240, 255};
constexpr TCanvasColor Marked{255, 235, 120};  // what the step reads or finds
constexpr TCanvasColor Handled{215, 215, 215}; // an operator already handled: '#'
constexpr TCanvasColor Top{120, 220, 120};     // the top of a stack the step changed
constexpr TCanvasColor ErrorFill{255, 150, 150};

const char* const TextRow = TERMIX_TEXT("TTransStepPicture", "Текст");
const char* const LexemeRow = TERMIX_TEXT("TTransStepPicture", "Лексемы");
const char* const InfixRow = TERMIX_TEXT("TTransStepPicture", "Infix");
const char* const OutputRow = TERMIX_TEXT("TTransStepPicture", "Выход");
const char* const OperatorStack = TERMIX_TEXT("TTransStepPicture", "Стек операций");
const char* const PostfixRow = TERMIX_TEXT("TTransStepPicture", "Postfix");
const char* const ValueStack = TERMIX_TEXT("TTransStepPicture", "Стек значений");

// A caption as the windows show it, in their language.
std::string Shown(const DSTRUCT::TText& text) {
  return DSTRUCT::ShownText(text);
}
std::string Shown(const char* marked) {
  return Shown(DSTRUCT::TText{"TTransStepPicture", marked, {}});
}

const char* StageTitle(TTransStage stage) {
  switch (stage) {
  case TTransStage::Lexemes:
    return TERMIX_TEXT("TTransStepPicture", "Этап 1: лексемы");
  case TTransStage::Postfix:
    return TERMIX_TEXT("TTransStepPicture", "Этап 2: постфиксная запись");
  case TTransStage::Evaluation:
    break;
  }
  return TERMIX_TEXT("TTransStepPicture", "Этап 3: вычисление");
}

// The characters of a UTF-8 text with the byte position (from 1) each begins at.
std::vector<std::pair<std::string, int>> CharactersOf(const std::string& text) {
  std::vector<std::pair<std::string, int>> characters;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t length = 1;
    while (i + length < text.size() &&
           (static_cast<unsigned char>(text[i + length]) & 0xC0) == 0x80)
      ++length;
    characters.emplace_back(text.substr(i, length), static_cast<int>(i) + 1);
    i += length;
  }
  return characters;
}

std::string KindText(const TLexemeRow& row) {
  switch (row.Kind) {
  case TOperandKind::Number:
    return Shown(TERMIX_TEXT("TTransStepPicture", "число"));
  case TOperandKind::Variable:
    return Shown(TERMIX_TEXT("TTransStepPicture", "переменная"));
  case TOperandKind::Table:
  case TOperandKind::Reused:
    break;
  }
  return Shown({"TTransStepPicture",
                TERMIX_TEXT("TTransStepPicture", "полином таблицы, FindRecord: %1"),
                {std::to_string(row.Found)}});
}

std::string LexemeLine(const TLexemeRow& row, std::size_t index) {
  std::string line = std::to_string(index) + ": «" + row.Name + "» — " + KindText(row);
  if (!row.Value.empty()) line += " = " + row.Value;
  return line;
}

TCanvasBox Joined(TCanvasBox a, TCanvasBox b) {
  if (a.X2 == 0) return b;
  if (b.X2 == 0) return a;
  return {std::min(a.X1, b.X1), std::min(a.Y1, b.Y1), std::max(a.X2, b.X2), std::max(a.Y2, b.Y2)};
}

} // namespace

TTransStepPicture::TTransStepPicture(const TTransRecording& recording, TCanvas& measure)
    : Recording(recording) {
  TextHigh = measure.TextHeight("Pg");
  BoxHigh = TextHigh + 8;
  CellWide = measure.TextWidth("000") + 6;
  for (const char* name : {TextRow, LexemeRow, InfixRow, OutputRow, PostfixRow})
    LabelWide = std::max(LabelWide, measure.TextWidth(Shown(name)));
  LabelWide += 2 * Margin;
  HeaderHigh = Margin / 2 + 2 * (TextHigh + 4) + 8;
  const int rowPitch = TextHigh + 2 + BoxHigh + 10;

  Width = 2 * Margin + LabelWide;
  ValueWide = std::max({measure.TextWidth(Shown(ValueStack)),
                        measure.TextWidth(Shown(OperatorStack)), measure.TextWidth("int~dx (4)")}) +
              12;
  for (const TTransStep& step : recording.Steps) {
    Width = std::max(Width, 2 * Margin + measure.TextWidth(Shown(step.Text)));
    Width = std::max(Width, LabelWide + Margin + static_cast<int>(step.Work.size()) * CellWide);
    MostOperators = std::max(MostOperators, static_cast<int>(step.Stack.size()));
    MostValues = std::max(MostValues, static_cast<int>(step.Values.size()));
    for (const std::string& value : step.Values)
      ValueWide = std::max(ValueWide, measure.TextWidth(value) + 12);
  }
  for (std::size_t i = 0; i < recording.Lexemes.size(); ++i)
    Width = std::max(Width,
                     LabelWide + Margin + measure.TextWidth(LexemeLine(recording.Lexemes[i], i)));
  const int sequences = std::max(RowWidth(CodeTexts(recording.Infix, -1), measure),
                                 RowWidth(CodeTexts(recording.Postfix, -1), measure));
  Width = std::max({Width, LabelWide + sequences + Margin, LabelWide + ValueWide + Margin});

  const int lexemes =
      2 * rowPitch + (static_cast<int>(recording.Lexemes.size()) + 1) * (TextHigh + 6);
  const int postfix = 2 * rowPitch + MostOperators * BoxHigh + TextHigh + 16;
  const int evaluation = rowPitch + MostValues * BoxHigh + TextHigh + 16;
  Height = HeaderHigh + std::max({lexemes, postfix, evaluation}) + Margin;
}

int TTransStepPicture::CellWidth(const std::string& text, TCanvas& canvas) const {
  return std::max(CellWide, canvas.TextWidth(text) + 10);
}

int TTransStepPicture::RowWidth(const std::vector<std::string>& texts, TCanvas& canvas) const {
  int width = 0;
  for (const std::string& text : texts)
    width += CellWidth(text, canvas);
  return width;
}

std::vector<std::string> TTransStepPicture::CodeTexts(const std::vector<std::int32_t>& codes,
                                                      int count) const {
  std::vector<std::string> texts;
  const std::size_t n = count < 0 ? codes.size() : std::min(codes.size(), std::size_t(count));
  for (std::size_t i = 0; i < n; ++i)
    texts.push_back(Recording.CodeText(codes[i]));
  return texts;
}

TCanvasBox TTransStepPicture::DrawCells(const char* name, const TCells& cells, int top,
                                        TCanvas& canvas) const {
  const int y = top + TextHigh + 2;
  canvas.TextOut(Margin, y + 4, Shown(name), Background);
  int x = LabelWide;
  TCanvasBox marked;
  for (int i = 0; i < static_cast<int>(cells.Texts.size()); ++i) {
    const std::string& text = cells.Texts[static_cast<std::size_t>(i)];
    const int wide = CellWidth(text, canvas);
    const bool mark = i >= cells.MarkFrom && i < cells.MarkTo;
    const TCanvasColor fill = mark ? Marked : text == "#" ? Handled : CellFill;
    canvas.Rectangle(x, y, x + wide, y + BoxHigh, fill, Black, Pen);
    canvas.TextOut(x + (wide - canvas.TextWidth(text)) / 2, y + 4, text, fill);
    if (mark) marked = Joined(marked, {x - 2, top, x + wide + 2, y + BoxHigh + 2});
    x += wide;
  }
  return marked;
}

TCanvasBox TTransStepPicture::DrawStack(const char* name, const std::vector<std::string>& texts,
                                        int left, int bottom, int wide, bool markTop,
                                        TCanvas& canvas) const {
  canvas.TextOut(left, bottom + 4, Shown(name), Background);
  TCanvasBox top;
  int y = bottom - BoxHigh;
  for (std::size_t i = 0; i < texts.size(); ++i, y -= BoxHigh) {
    const bool last = i + 1 == texts.size();
    const TCanvasColor fill = last && markTop ? Top : CellFill;
    canvas.Rectangle(left, y, left + wide, y + BoxHigh, fill, Black, Pen);
    canvas.TextOut(left + 6, y + 4, texts[i], fill);
    if (last) top = {left - 2, y - 2, left + wide + 2, y + BoxHigh + 2};
  }
  // The stack's floor.
  canvas.Line(left - 6, bottom, left + wide + 6, bottom, Black, Pen);
  return top;
}

TCanvasBox TTransStepPicture::Draw(int step, TCanvas& canvas) const {
  canvas.Rectangle(0, 0, canvas.GetWidth(), canvas.GetHeight(), Background, Background, 1);
  if (Recording.Steps.empty()) return {};
  step = std::clamp(step, 0, static_cast<int>(Recording.Steps.size()) - 1);
  const TTransStep& current = Recording.Steps[static_cast<std::size_t>(step)];
  canvas.TextOut(Margin, Margin / 2, Shown(StageTitle(current.Stage)), Background);
  canvas.TextOut(Margin, Margin / 2 + TextHigh + 4, Shown(current.Text),
                 current.Kind == TTransStepKind::Error ? ErrorFill : Background);
  TCanvasBox focus;
  switch (current.Stage) {
  case TTransStage::Lexemes:
    focus = DrawLexemes(current, canvas);
    break;
  case TTransStage::Postfix:
    focus = DrawPostfix(current, canvas);
    break;
  case TTransStage::Evaluation:
    focus = DrawEvaluation(current, canvas);
    break;
  }
  return focus.X2 == 0 ? TCanvasBox{0, 0, Width, HeaderHigh} : focus;
}

TCanvasBox TTransStepPicture::DrawLexemes(const TTransStep& step, TCanvas& canvas) const {
  const int rowPitch = TextHigh + 2 + BoxHigh + 10;
  TCells text;
  int x = LabelWide;
  for (const auto& [character, position] : CharactersOf(step.Work)) {
    const int index = static_cast<int>(text.Texts.size());
    if (position >= step.MarkFrom && position < step.MarkFrom + step.MarkLength) {
      if (text.MarkTo == 0) text.MarkFrom = index;
      text.MarkTo = index + 1;
    }
    canvas.TextOut(x + 2, HeaderHigh, std::to_string(position), Background);
    x += CellWidth(character, canvas);
    text.Texts.push_back(character);
  }
  TCanvasBox focus = DrawCells(TextRow, text, HeaderHigh, canvas);

  int y = HeaderHigh + rowPitch;
  canvas.TextOut(Margin, y, Shown(LexemeRow), Background);
  const auto shown = std::min(Recording.Lexemes.size(), static_cast<std::size_t>(step.LexemeCount));
  for (std::size_t i = 0; i < shown; ++i) {
    y += TextHigh + 6;
    const bool made = step.Kind == TTransStepKind::Operand && i + 1 == shown;
    canvas.TextOut(LabelWide, y, LexemeLine(Recording.Lexemes[i], i), made ? Marked : Background);
  }
  y = HeaderHigh + rowPitch + (static_cast<int>(Recording.Lexemes.size()) + 1) * (TextHigh + 6);
  const TCells infix{CodeTexts(Recording.Infix, step.InfixLength), 0, 0};
  DrawCells(InfixRow, infix, y, canvas);
  return focus;
}

TCanvasBox TTransStepPicture::DrawPostfix(const TTransStep& step, TCanvas& canvas) const {
  const int rowPitch = TextHigh + 2 + BoxHigh + 10;
  const TCells infix{CodeTexts(Recording.Infix, -1), step.InfixCursor, step.InfixCursor + 1};
  TCanvasBox focus = DrawCells(InfixRow, infix, HeaderHigh, canvas);
  const bool output = step.Kind == TTransStepKind::Output;
  const TCells out{CodeTexts(Recording.Postfix, step.PostfixLength),
                   output ? step.PostfixLength - 1 : 0, output ? step.PostfixLength : 0};
  focus = Joined(focus, DrawCells(OutputRow, out, HeaderHigh + rowPitch, canvas));

  std::vector<std::string> stack;
  for (const std::int32_t code : step.Stack)
    stack.push_back(Recording.CodeText(code) + " (" +
                    std::to_string(Recording.Prefs[static_cast<std::size_t>(-code - 1)]) + ")");
  const int bottom = HeaderHigh + 2 * rowPitch + MostOperators * BoxHigh + 4;
  const TCanvasBox top = DrawStack(OperatorStack, stack, LabelWide, bottom, ValueWide,
                                   step.Kind == TTransStepKind::Push, canvas);
  return step.Kind == TTransStepKind::Push ? Joined(focus, top) : focus;
}

TCanvasBox TTransStepPicture::DrawEvaluation(const TTransStep& step, TCanvas& canvas) const {
  const int rowPitch = TextHigh + 2 + BoxHigh + 10;
  const TCells postfix{CodeTexts(Recording.Postfix, -1), step.PostfixCursor,
                       step.PostfixCursor + 1};
  const TCanvasBox focus = DrawCells(PostfixRow, postfix, HeaderHigh, canvas);
  const int bottom = HeaderHigh + rowPitch + MostValues * BoxHigh + 4;
  const bool changed = step.Kind == TTransStepKind::Value || step.Kind == TTransStepKind::Result;
  return Joined(focus,
                DrawStack(ValueStack, step.Values, LabelWide, bottom, ValueWide, changed, canvas));
}

} // namespace TRANSSTRUCT
