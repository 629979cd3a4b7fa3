#include "teach/TTableStepPicture.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/TText.h"
#include "tables/TPolHashTab.h"

namespace TABLESTRUCT {

using LISTSTRUCT::TCanvas;
using LISTSTRUCT::TCanvasColor;
using Kind = TTableEventKind;

namespace {

constexpr int Margin = 10;
constexpr int LinkWide = 16;  // the link cell of a record box
constexpr int ArrowLong = 20; // the arrow beyond a link cell, the gap to the next box
constexpr int Lane = 20;      // room left of the rows for the lines between them
constexpr int Pen = 2;

constexpr TCanvasColor Background{255, 255, 245};
constexpr TCanvasColor Black{0, 0, 0};
constexpr TCanvasColor RecordFill{230, 240, 255};
constexpr TCanvasColor LinkFill{255, 205, 160};
constexpr TCanvasColor HeadFill{240, 230, 5};
constexpr TCanvasColor BucketFill{225, 225, 240};
constexpr TCanvasColor BucketChosen{200, 160, 255}; // the bucket HashFunc computed
constexpr TCanvasColor Passed{215, 215, 215};       // compared without a match, or outside lo..hi
constexpr TCanvasColor Unequal{255, 170, 90};       // compared now: no match
constexpr TCanvasColor Equal{120, 220, 120};        // compared now: the keys match; found; placed
constexpr TCanvasColor Replaced{185, 240, 160};
constexpr TCanvasColor MovedTo{140, 200, 255};
constexpr TCanvasColor MovedFrom{0, 90, 200}; // outline of the slot a record left
constexpr TCanvasColor Ghost{235, 235, 235};  // a record being released
constexpr TCanvasColor Cross{220, 0, 0};
constexpr TCanvasColor LoFill{170, 210, 255};
constexpr TCanvasColor MidFill{255, 235, 120};
constexpr TCanvasColor HiFill{255, 190, 210};
constexpr TCanvasColor EmptySlot{250, 250, 250};

// The marks under the current link of the scan table.
const char* const Context = "TTableStepPicture";
const char* const HeadMark = TERMIX_TEXT("TTableStepPicture", "голова");
const char* const CurrentMark = TERMIX_TEXT("TTableStepPicture", "текущее");
const char* const CurrentMarkEqual = TERMIX_TEXT("TTableStepPicture", "текущее =");
const char* const CurrentMarkUnequal = TERMIX_TEXT("TTableStepPicture", "текущее ≠");

// A caption as the windows show it, in their language.
std::string Shown(const char* pattern, std::vector<std::string> args = {}) {
  return DSTRUCT::ShownText(DSTRUCT::TText{Context, pattern, std::move(args)});
}

std::string Num(long long value) {
  return std::to_string(value);
}

void ArrowHead(TCanvas& canvas, int x, int y) {
  canvas.Line(x, y, x - 5, y - 4, Black, Pen);
  canvas.Line(x, y, x - 5, y + 4, Black, Pen);
}

void LinkDot(TCanvas& canvas, int cx, int cy) {
  canvas.Ellipse(cx - 4, cy - 4, cx + 4, cy + 4, Black, Black, 1);
}

// A link cell that points nowhere: crossed by a diagonal.
void NullLink(TCanvas& canvas, int x1, int y1, int x2, int y2) {
  canvas.Line(x1 + 2, y2 - 2, x2 - 2, y1 + 2, Black, Pen);
}

// A record being released, crossed out where it stood.
void CrossedBox(TCanvas& canvas, int x1, int y1, int x2, int y2, const std::string& key) {
  canvas.Rectangle(x1, y1, x2, y2, Ghost, Cross, Pen);
  canvas.TextOut(x1 + 6, y1 + 4, key, Ghost);
  canvas.Line(x1, y1, x2, y2, Cross, Pen);
  canvas.Line(x1, y2, x2, y1, Cross, Pen);
}

void CentredText(TCanvas& canvas, int x1, int x2, int y, const std::string& text,
                 TCanvasColor background) {
  canvas.TextOut(x1 + (x2 - x1 - canvas.TextWidth(text)) / 2, y, text, background);
}

// How a record slot shows in a step: its fill and whether it is the slot a record left.
struct TSlotLook {
  TCanvasColor Fill = RecordFill;
  bool Left = false;
  bool Focus = false; // the step is about this slot
};

bool IsSuccess(const TStepRecording& recording) {
  return recording.Operation != TestOperation::Deletion && recording.Result >= 0;
}

// The look of slot of the chain or array the step is about (not for other hash buckets).
TSlotLook LookOf(const TStepRecording& recording, const TTableStep& step, int slot) {
  TSlotLook look;
  const TTableEvent& event = step.Event;
  const bool sorted = recording.Kind == TTableKind::Sorted;
  if (sorted && step.Searching && (slot < step.Lo || slot > step.Hi)) look.Fill = Passed;
  switch (event.Kind) {
  case Kind::Compare:
    if (slot < event.Position) look.Fill = Passed;
    if (slot == event.Position) look = {event.Comparison == 0 ? Equal : Unequal, false, true};
    break;
  case Kind::Probe:
    if (slot == event.Position) look = {event.Comparison == 0 ? Equal : Unequal, false, true};
    break;
  case Kind::Move:
    if (slot == event.Target) look = {MovedTo, false, true};
    if (slot == event.Position) look.Left = true;
    break;
  case Kind::Place:
    if (slot == event.Position) look = {Equal, false, true};
    break;
  case Kind::Replace:
    if (slot == event.Position) look = {Replaced, false, true};
    break;
  case Kind::Finish:
    if (IsSuccess(recording) && slot == step.Current) look = {Equal, false, true};
    break;
  default:
    break;
  }
  return look;
}

} // namespace

TTableStepPicture::TTableStepPicture(const TStepRecording& recording, TCanvas& measure, int width)
    : Recording(recording), MostSlots(recording.MostSlots()) {
  TextHigh = measure.TextHeight("Pg");
  BoxHigh = TextHigh + 8;
  KeyWide = measure.TextWidth("P000");
  auto widen = [&](const std::string& key) { KeyWide = std::max(KeyWide, measure.TextWidth(key)); };
  widen(recording.Key);
  for (const auto& bucket : recording.Initial)
    for (const auto& key : bucket)
      widen(key);
  for (const auto& step : recording.Steps)
    widen(step.Event.Key);
  KeyWide += 12;
  if (recording.Kind == TTableKind::Scan) // the mark of the current link fits under its box
    KeyWide = std::max(KeyWide, measure.TextWidth(Shown(CurrentMarkUnequal)) + 4 - LinkWide);
  BucketWide =
      std::max(measure.TextWidth("00"), measure.TextWidth(Num(recording.TabSize - 1))) + 12;
  HeaderHigh = Margin / 2 + 2 * (TextHigh + 4) + 8;

  Width = std::max(width, 2 * Margin + Lane + KeyWide + LinkWide + ArrowLong);
  for (const TTableStep& step : recording.Steps)
    for (const std::string& line : HeaderLines(step))
      Width = std::max(Width, 2 * Margin + measure.TextWidth(line));
  const int most = MostSlots.empty() ? 0 : *std::max_element(MostSlots.begin(), MostSlots.end());
  switch (recording.Kind) {
  case TTableKind::Scan: {
    const int pitch = KeyWide + LinkWide + ArrowLong;
    PerRow = std::max(1, (Width - 2 * Margin - Lane - 10 + ArrowLong) / pitch);
    RowPitch = (TextHigh + 2) + BoxHigh + (TextHigh + 4) + 16;
    const int items = 1 + most; // the head link and the records
    Height = HeaderHigh + (items + PerRow - 1) / PerRow * RowPitch + Margin;
    break;
  }
  case TTableKind::Sorted: {
    // Every row leaves one cell free on its left: the place of slot -1 in the first row.
    PerRow = std::max(1, (Width - 2 * Margin) / KeyWide - 1);
    RowPitch = (TextHigh + 2) + BoxHigh + 3 * (TextHigh + 4) + 10;
    const int slots = most + 1; // with the empty slot after the records
    Height = HeaderHigh + (slots + PerRow - 1) / PerRow * RowPitch + Margin;
    break;
  }
  case TTableKind::Hash: {
    RowPitch = BoxHigh + 8;
    const int chainStart = Margin + BucketWide + LinkWide + ArrowLong;
    Width = std::max(Width, chainStart + most * (KeyWide + LinkWide + ArrowLong) + Margin);
    Height = HeaderHigh + recording.TabSize * RowPitch + Margin;
    break;
  }
  }
}

int TTableStepPicture::ItemX(int item) const {
  if (Recording.Kind == TTableKind::Sorted)
    return item == 0 ? Margin : Margin + KeyWide + (item - 1) % PerRow * KeyWide;
  return Margin + Lane + item % PerRow * (KeyWide + LinkWide + ArrowLong);
}

int TTableStepPicture::ItemY(int item) const {
  const int row =
      Recording.Kind == TTableKind::Sorted ? std::max(0, item - 1) / PerRow : item / PerRow;
  return HeaderHigh + row * RowPitch + TextHigh + 2;
}

TCanvasBox TTableStepPicture::Draw(int step, TCanvas& canvas) const {
  canvas.Rectangle(0, 0, canvas.GetWidth(), canvas.GetHeight(), Background, Background, 1);
  if (Recording.Steps.empty()) return {};
  step = std::clamp(step, 0, static_cast<int>(Recording.Steps.size()) - 1);
  const TTableStep& current = Recording.Steps[step];
  DrawHeader(current, canvas);
  const TTableLayout layout = Recording.LayoutAt(step);
  switch (Recording.Kind) {
  case TTableKind::Scan:
    return DrawScan(current, layout, canvas);
  case TTableKind::Sorted:
    return DrawSorted(current, layout, canvas);
  case TTableKind::Hash:
    break;
  }
  return DrawHash(current, layout, canvas);
}

std::array<std::string, 2> TTableStepPicture::HeaderLines(const TTableStep& step) const {
  static const char* const operations[] = {
      "", TERMIX_TEXT("TTableStepPicture", "%1: поиск ключа %2; операций: %3"),
      TERMIX_TEXT("TTableStepPicture", "%1: вставка ключа %2; операций: %3"),
      TERMIX_TEXT("TTableStepPicture", "%1: удаление ключа %2; операций: %3")};
  std::array<std::string, 2> lines;
  const std::string name =
      DSTRUCT::ShownText({"TableKinds", TableKindInfo(Recording.Kind).Name, {}});
  lines[0] = Recording.Key.empty() ? name
                                   : Shown(operations[static_cast<int>(Recording.Operation)],
                                           {name, Recording.Key, Num(step.Operations)});
  switch (Recording.Kind) {
  case TTableKind::Scan:
    lines[1] = step.Current >= 0
                   ? Shown(TERMIX_TEXT("TTableStepPicture", "Текущее звено: позиция %1"),
                           {Num(step.Current)})
                   : Shown(TERMIX_TEXT("TTableStepPicture", "Кольцо записей от головного звена"));
    break;
  case TTableKind::Sorted:
    lines[1] =
        step.Searching
            ? "lo = " + Num(step.Lo) + ", hi = " + Num(step.Hi) +
                  (step.Mid >= 0 ? ", mid = " + Num(step.Mid) : std::string())
            : Shown(TERMIX_TEXT("TTableStepPicture", "Массив записей по возрастанию ключей"));
    break;
  case TTableKind::Hash:
    lines[1] =
        step.Bucket >= 0
            ? "HashFunc(" + Recording.Key +
                  ") = " + Num(static_cast<long long>(TPolHashTab::CodeSum(Recording.Key))) +
                  " mod " + Num(Recording.TabSize) + " = " + Num(step.Bucket)
            : Shown(TERMIX_TEXT("TTableStepPicture", "Корзин: %1"), {Num(Recording.TabSize)});
    break;
  }
  return lines;
}

void TTableStepPicture::DrawHeader(const TTableStep& step, TCanvas& canvas) const {
  const auto lines = HeaderLines(step);
  const int y = Margin / 2;
  canvas.TextOut(Margin, y, lines[0], Background);
  const bool bucketKnown = Recording.Kind == TTableKind::Hash && step.Bucket >= 0;
  canvas.TextOut(Margin, y + TextHigh + 4, lines[1], bucketKnown ? BucketChosen : Background);
}

TCanvasBox TTableStepPicture::DrawScan(const TTableStep& step, const TTableLayout& layout,
                                       TCanvas& canvas) const {
  const std::vector<std::string>& records = layout[0];
  const int count = static_cast<int>(records.size());
  const int items = 1 + count;
  TCanvasBox focus{0, 0, Width, HeaderHigh};

  auto box = [&](int item, const std::string& text, TCanvasColor fill, TCanvasColor pen,
                 int penWidth) {
    const int x = ItemX(item), y = ItemY(item);
    canvas.Rectangle(x, y, x + KeyWide, y + BoxHigh, fill, pen, penWidth);
    canvas.Rectangle(x + KeyWide, y, x + KeyWide + LinkWide, y + BoxHigh, LinkFill, Black, Pen);
    canvas.TextOut(x + 6, y + 4, text, fill);
    LinkDot(canvas, x + KeyWide + LinkWide / 2, y + BoxHigh / 2);
  };

  for (int item = 0; item < items; ++item) {
    const int x = ItemX(item), y = ItemY(item);
    if (item == 0) {
      canvas.TextOut(x, y - TextHigh - 2, Shown(HeadMark), Background);
      box(0, "!!!", HeadFill, Black, Pen);
    } else {
      const int slot = item - 1;
      const TSlotLook look = LookOf(Recording, step, slot);
      canvas.TextOut(x, y - TextHigh - 2, Num(slot), Background);
      box(item, records[slot], look.Fill, look.Left ? MovedFrom : Black, look.Left ? 4 : Pen);
      if (look.Focus) focus = {x, y, x + KeyWide + LinkWide, y + BoxHigh};
      if (slot == step.Current) {
        const std::string mark =
            Shown(step.Event.Kind == Kind::Compare
                      ? (step.Event.Comparison == 0 ? CurrentMarkEqual : CurrentMarkUnequal)
                      : CurrentMark);
        canvas.Line(x + KeyWide / 2, y + BoxHigh + 1, x + KeyWide / 2, y + BoxHigh + 5, Black, Pen);
        canvas.TextOut(x, y + BoxHigh + 4, mark, look.Fill);
      }
    }
    DrawRingLink(item, items, canvas);
  }

  if (step.Event.Kind == Kind::Remove) {
    const int item = step.Event.Position + 1;
    const int x = ItemX(item), y = ItemY(item);
    CrossedBox(canvas, x, y, x + KeyWide + LinkWide, y + BoxHigh, step.Event.Key);
    focus = {x, y, x + KeyWide + LinkWide, y + BoxHigh};
  }
  return focus;
}

void TTableStepPicture::DrawRingLink(int item, int items, TCanvas& canvas) const {
  const int x = ItemX(item), y = ItemY(item);
  const int cy = y + BoxHigh / 2;
  const int dot = x + KeyWide + LinkWide / 2;
  const int lane = y + BoxHigh + TextHigh + 12;
  if (item + 1 < items && (item + 1) % PerRow != 0) {
    canvas.Line(dot, cy, ItemX(item + 1), cy, Black, Pen);
    ArrowHead(canvas, ItemX(item + 1), cy);
  } else if (item + 1 < items) {
    // Down to the lane under the row, back to the left and into the next row.
    const int turn = x + KeyWide + LinkWide + 8;
    const int nextY = ItemY(item + 1) + BoxHigh / 2;
    canvas.Line(dot, cy, turn, cy, Black, Pen);
    canvas.Line(turn, cy, turn, lane, Black, Pen);
    canvas.Line(turn, lane, Margin + 12, lane, Black, Pen);
    canvas.Line(Margin + 12, lane, Margin + 12, nextY, Black, Pen);
    canvas.Line(Margin + 12, nextY, ItemX(item + 1), nextY, Black, Pen);
    ArrowHead(canvas, ItemX(item + 1), nextY);
  } else {
    // The last link closes the ring back to the head.
    const int turn = x + KeyWide + LinkWide + 8;
    const int headY = ItemY(0) + BoxHigh / 2;
    canvas.Line(dot, cy, turn, cy, Black, Pen);
    canvas.Line(turn, cy, turn, lane, Black, Pen);
    canvas.Line(turn, lane, Margin + 4, lane, Black, Pen);
    canvas.Line(Margin + 4, lane, Margin + 4, headY, Black, Pen);
    canvas.Line(Margin + 4, headY, ItemX(0), headY, Black, Pen);
    ArrowHead(canvas, ItemX(0), headY);
  }
}

TCanvasBox TTableStepPicture::DrawSorted(const TTableStep& step, const TTableLayout& layout,
                                         TCanvas& canvas) const {
  const std::vector<std::string>& slots = layout[0];
  const int shown = static_cast<int>(slots.size()) + 1; // with the empty slot after them
  TCanvasBox focus{0, 0, Width, HeaderHigh};
  const bool removing = step.Event.Kind == Kind::Remove;

  for (int slot = 0; slot < shown; ++slot) {
    const int item = slot + 1;
    const int x = ItemX(item), y = ItemY(item);
    const std::string& key = slot < static_cast<int>(slots.size()) ? slots[slot] : std::string();
    TSlotLook look = LookOf(Recording, step, slot);
    if (key.empty() && !look.Focus) look.Fill = EmptySlot;
    canvas.TextOut(x + 2, y - TextHigh - 2, Num(slot), Background);
    if (removing && slot == step.Event.Position) {
      CrossedBox(canvas, x, y, x + KeyWide, y + BoxHigh, step.Event.Key);
      focus = {x, y, x + KeyWide, y + BoxHigh};
      continue;
    }
    canvas.Rectangle(x, y, x + KeyWide, y + BoxHigh, look.Fill, look.Left ? MovedFrom : Black,
                     look.Left ? 4 : Pen);
    if (!key.empty()) canvas.TextOut(x + 6, y + 4, key, look.Fill);
    if (look.Focus) focus = {x, y, x + KeyWide, y + BoxHigh};
  }

  if (step.Searching) {
    // One line for each bound, so that coinciding bounds stay readable.
    const std::string sign = step.Event.Kind == Kind::Probe ? (step.Event.Comparison < 0   ? " <"
                                                               : step.Event.Comparison > 0 ? " >"
                                                                                           : " =")
                                                            : std::string();
    const struct {
      int Slot;
      std::string Text;
      TCanvasColor Fill;
    } marks[] = {
        {step.Lo, "lo", LoFill}, {step.Mid, "mid" + sign, MidFill}, {step.Hi, "hi", HiFill}};
    for (int line = 0; line < 3; ++line) {
      const int slot = marks[line].Slot;
      if (slot < -1 || slot >= shown || (line == 1 && slot < 0)) continue;
      const int x = ItemX(slot + 1), y = ItemY(slot + 1) + BoxHigh + 2 + line * (TextHigh + 4);
      CentredText(canvas, x, x + KeyWide, y, marks[line].Text, marks[line].Fill);
    }
  }
  return focus;
}

TCanvasBox TTableStepPicture::DrawHash(const TTableStep& step, const TTableLayout& layout,
                                       TCanvas& canvas) const {
  const int pitch = KeyWide + LinkWide + ArrowLong;
  const int chainStart = Margin + BucketWide + LinkWide + ArrowLong;
  TCanvasBox focus{0, 0, Width, HeaderHigh};

  for (int bucket = 0; bucket < static_cast<int>(layout.size()); ++bucket) {
    const std::vector<std::string>& chain = layout[bucket];
    const int y = HeaderHigh + bucket * RowPitch;
    const int cy = y + BoxHigh / 2;
    const bool chosen = bucket == step.Bucket;
    const TCanvasColor fill = chosen ? BucketChosen : BucketFill;
    canvas.Rectangle(Margin, y, Margin + BucketWide, y + BoxHigh, fill, Black, Pen);
    CentredText(canvas, Margin, Margin + BucketWide, y + 4, Num(bucket), fill);
    const int linkX = Margin + BucketWide;
    canvas.Rectangle(linkX, y, linkX + LinkWide, y + BoxHigh, LinkFill, Black, Pen);
    if (chosen) focus = {Margin, y, Margin + BucketWide + LinkWide, y + BoxHigh};
    if (chain.empty()) {
      NullLink(canvas, linkX, y, linkX + LinkWide, y + BoxHigh);
    } else {
      LinkDot(canvas, linkX + LinkWide / 2, cy);
      canvas.Line(linkX + LinkWide / 2, cy, chainStart, cy, Black, Pen);
      ArrowHead(canvas, chainStart, cy);
    }
    for (int slot = 0; slot < static_cast<int>(chain.size()); ++slot) {
      const int x = chainStart + slot * pitch;
      const TSlotLook look = chosen ? LookOf(Recording, step, slot) : TSlotLook();
      canvas.Rectangle(x, y, x + KeyWide, y + BoxHigh, look.Fill, look.Left ? MovedFrom : Black,
                       look.Left ? 4 : Pen);
      canvas.TextOut(x + 6, y + 4, chain[slot], look.Fill);
      canvas.Rectangle(x + KeyWide, y, x + KeyWide + LinkWide, y + BoxHigh, LinkFill, Black, Pen);
      if (look.Focus) focus = {x, y, x + KeyWide + LinkWide, y + BoxHigh};
      if (slot + 1 < static_cast<int>(chain.size())) {
        LinkDot(canvas, x + KeyWide + LinkWide / 2, cy);
        canvas.Line(x + KeyWide + LinkWide / 2, cy, x + pitch, cy, Black, Pen);
        ArrowHead(canvas, x + pitch, cy);
      } else {
        NullLink(canvas, x + KeyWide, y, x + KeyWide + LinkWide, y + BoxHigh);
      }
    }
    if (chosen && step.Event.Kind == Kind::Remove) {
      const int x = chainStart + step.Event.Position * pitch;
      CrossedBox(canvas, x, y, x + KeyWide + LinkWide, y + BoxHigh, step.Event.Key);
      focus = {x, y, x + KeyWide + LinkWide, y + BoxHigh};
    }
  }
  return focus;
}

} // namespace TABLESTRUCT
