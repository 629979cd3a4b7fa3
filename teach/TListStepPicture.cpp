#include "teach/TListStepPicture.h"

#include <algorithm>

#include "core/TStructureSheet.h"

namespace LISTSTRUCT {

namespace {

const TStructureColors StructureColors{};

constexpr int Margin = 10;
constexpr int LinkWide = 16;  // the link cell of a box
constexpr int ArrowLong = 20; // the arrow beyond a link cell, the gap to the next box
constexpr int FrameGap = 4;   // a frame stands this far outside its box
constexpr int FramePen = 3;

constexpr TCanvasColor Read{0, 70, 220};       // the link the walk reads; p's and q's current
constexpr TCanvasColor Inserted{0, 140, 0};    // the link just inserted; m while it is made
constexpr TCanvasColor Merged{235, 120, 0};    // the link whose coefficient just changed
constexpr TCanvasColor Struck{220, 0, 0};      // the link being deleted
constexpr TCanvasColor Skipped{150, 150, 150}; // m, made but not added

const char* const HeadMark = TERMIX_TEXT("TListStepPicture", "голова");
const char* const CurrentMark = TERMIX_TEXT("TListStepPicture", "текущее");
const char* const PreviousMark = TERMIX_TEXT("TListStepPicture", "предыдущее");

// A caption as the windows show it, in their language.
std::string Shown(const DSTRUCT::TText& text) {
  return DSTRUCT::ShownText(text);
}
std::string Shown(const char* marked) {
  return Shown(DSTRUCT::TText{"TListStepPicture", marked, {}});
}

void Frame(TCanvas& canvas, int x1, int y1, int x2, int y2, TCanvasColor color) {
  canvas.Line(x1, y1, x2, y1, color, FramePen);
  canvas.Line(x2, y1, x2, y2, color, FramePen);
  canvas.Line(x2, y2, x1, y2, color, FramePen);
  canvas.Line(x1, y2, x1, y1, color, FramePen);
}

bool ShowsP(TListOperation operation) {
  return operation != TListOperation::Reading;
}

bool ShowsQ(TListOperation operation) {
  return operation == TListOperation::Sum || operation == TListOperation::Difference ||
         operation == TListOperation::Product;
}

} // namespace

TListStepPicture::TListStepPicture(const TListRecording& recording, TCanvas& measure)
    : Recording(recording) {
  TextHigh = measure.TextHeight("Pg");
  HeadWide = measure.TextWidth("000");
  BoxWide = measure.TextWidth("00000000");
  RowHigh = measure.TextHeight("00000000") + 4;
  LabelWide = measure.TextWidth("m") + 2 * Margin;
  HeaderHigh = Margin / 2 + 2 * (TextHigh + 4) + 6;
  // A ring row: the boxes, the return line under them and two lines of names.
  RingPitch = 5 * RowHigh / 2 + 2 * (TextHigh + 2) + 14;
  RingsTop = HeaderHigh + 2 * RowHigh + 2 * FrameGap + 12;
  RingCount = 1 + (ShowsP(recording.Operation) ? 1 : 0) + (ShowsQ(recording.Operation) ? 1 : 0);
  Height = RingsTop + RingCount * RingPitch + Margin;

  const int most = std::max({recording.MostLinks(), static_cast<int>(recording.P.size()),
                             static_cast<int>(recording.Q.size())});
  Width = BoxRight(most - 1) + ArrowLong + FrameGap + Margin;
  Width =
      std::max(Width, 2 * Margin + measure.TextWidth(Shown(ListOperationName(recording.Operation,
                                                                             recording.Variable)) +
                                                     " «" + recording.Text + "»"));
  // Measured as they are drawn, in the interface language.
  for (const TListStep& step : recording.Steps)
    Width = std::max(Width, 2 * Margin + measure.TextWidth(Shown(step.Text)));
}

std::string TListStepPicture::Title() const {
  const std::string name = Shown(ListOperationName(Recording.Operation, Recording.Variable));
  return Recording.Operation == TListOperation::Reading ? name + " «" + Recording.Text + "»" : name;
}

int TListStepPicture::BoxLeft(int i) const {
  const int head = LabelWide + ArrowLong;
  if (i < 0) return head;
  return head + HeadWide + LinkWide + ArrowLong + i * (BoxWide + LinkWide + ArrowLong);
}

int TListStepPicture::BoxRight(int i) const {
  return BoxLeft(i) + (i < 0 ? HeadWide : BoxWide) + LinkWide;
}

std::vector<TListStepPicture::TRingView> TListStepPicture::RingsOf(const TListStep& step,
                                                                   int stepIndex) const {
  std::vector<TRingView> rings;
  const TListOperation operation = Recording.Operation;
  if (ShowsP(operation))
    rings.push_back({"p", Recording.P, step.PCurrent, "t", false, Read, false});
  if (ShowsQ(operation))
    rings.push_back({"q", Recording.Q, step.QCurrent, "a", false, Read, false});
  // A deleted link is struck out where it stood, in the ring as it was before the step.
  const bool remove = step.Kind == TListStepKind::Remove;
  TRingView result{"r",
                   Recording.RingAt(remove ? stepIndex - 1 : stepIndex),
                   step.Current,
                   CurrentMark,
                   step.Current >= 0,
                   Read,
                   remove};
  if (step.Kind == TListStepKind::Insert) result.Frame = Inserted;
  if (step.Kind == TListStepKind::Merge) result.Frame = Merged;
  rings.push_back(std::move(result));
  return rings;
}

TCanvasBox TListStepPicture::Draw(int step, TCanvas& canvas) const {
  const TCanvasColor background = StructureColors.Background;
  canvas.Rectangle(0, 0, canvas.GetWidth(), canvas.GetHeight(), background, background, 1);
  if (Recording.Steps.empty()) return {};
  step = std::clamp(step, 0, static_cast<int>(Recording.Steps.size()) - 1);
  const TListStep& current = Recording.Steps[static_cast<std::size_t>(step)];
  canvas.TextOut(Margin, Margin / 2, Title(), background);
  canvas.TextOut(Margin, Margin / 2 + TextHigh + 4, Shown(current.Text), background);

  TCanvasBox focus = DrawAdded(current, canvas);
  int top = RingsTop;
  for (const TRingView& ring : RingsOf(current, step)) {
    const TCanvasBox box = DrawRing(ring, top, canvas);
    if (ring.Current >= 0 && (focus.X2 == 0 || ring.Name[0] == 'r')) focus = box;
    top += RingPitch;
  }
  if (focus.X2 == 0) focus = {0, 0, Width, HeaderHigh};
  return focus;
}

TCanvasBox TListStepPicture::DrawAdded(const TListStep& step, TCanvas& canvas) const {
  if (step.Monom.Index < 0) return {};
  const TCanvasColor background = StructureColors.Background;
  const int top = HeaderHigh + FrameGap + 4;
  canvas.TextOut(Margin, top + RowHigh / 2, "m", background);
  const int left = BoxLeft(0);
  const TStructureColors& c = StructureColors;
  TPolinom::DrawMonomBox(TMonom(step.Monom.Coeff, step.Monom.Index), left, top, BoxWide, RowHigh,
                         LinkWide, canvas, c.MonCoeff, c.MonIndex, c.MonLink);
  const TCanvasColor frame = step.Kind == TListStepKind::Skip ? Skipped : Inserted;
  const TCanvasBox box{left - FrameGap, top - FrameGap, BoxRight(0) + FrameGap,
                       top + 2 * RowHigh + FrameGap};
  Frame(canvas, box.X1, box.Y1, box.X2, box.Y2, frame);
  return box;
}

TCanvasBox TListStepPicture::DrawRing(const TRingView& ring, int top, TCanvas& canvas) const {
  const TStructureColors& c = StructureColors;
  const int y0 = top + FrameGap + 2;
  canvas.TextOut(Margin, y0 + RowHigh / 2, ring.Name, c.Background);
  // The head link holds the sentinel monomial (0, -1).
  TPolinom::DrawMonomBox(TMonom(0.0f, -1), BoxLeft(-1), y0, HeadWide, RowHigh, LinkWide, canvas,
                         c.HeadCoeff, c.HeadIndex, c.HeadLink);
  const int count = static_cast<int>(ring.Monoms.size());
  for (int i = 0; i < count; ++i) {
    const TMonomPair m = ring.Monoms[static_cast<std::size_t>(i)];
    TPolinom::DrawMonomBox(TMonom(m.Coeff, m.Index), BoxLeft(i), y0, BoxWide, RowHigh, LinkWide,
                           canvas, c.MonCoeff, c.MonIndex, c.MonLink);
  }
  TPolinom::DrawReturnLine(canvas, LabelWide, y0, RowHigh, BoxRight(count - 1) + ArrowLong);
  DrawMarks(ring, top, canvas);
  if (ring.Current < 0) return {};
  // The current link: its position, or the head at the end of the ring.
  const int at = ring.Current >= count ? -1 : ring.Current;
  const TCanvasBox box{BoxLeft(at) - FrameGap, y0 - FrameGap, BoxRight(at) + FrameGap,
                       y0 + 2 * RowHigh + FrameGap};
  if (ring.Struck) {
    canvas.Line(box.X1, box.Y1, box.X2, box.Y2, Struck, FramePen);
    canvas.Line(box.X1, box.Y2, box.X2, box.Y1, Struck, FramePen);
  }
  Frame(canvas, box.X1, box.Y1, box.X2, box.Y2, ring.Struck ? Struck : ring.Frame);
  return box;
}

void TListStepPicture::DrawMarks(const TRingView& ring, int top, TCanvas& canvas) const {
  const int count = static_cast<int>(ring.Monoms.size());
  const int y = top + FrameGap + 2 + 5 * RowHigh / 2 + 4;
  // Up to two names under a box, one line each: the head is named first.
  std::vector<std::vector<const char*>> marks(static_cast<std::size_t>(count) + 1);
  const auto mark = [&](int i, const char* text) {
    marks[static_cast<std::size_t>(i < 0 || i >= count ? 0 : i + 1)].push_back(text);
  };
  mark(-1, HeadMark);
  if (ring.Current >= 0) {
    mark(ring.Current, ring.CurrentMark);
    if (ring.MarkPrevious) mark(ring.Current - 1, PreviousMark);
  }
  for (int i = -1; i < count; ++i) {
    const auto& names = marks[static_cast<std::size_t>(i + 1)];
    for (std::size_t k = 0; k < names.size() && k < 2; ++k)
      canvas.TextOut(BoxLeft(i), y + static_cast<int>(k) * (TextHigh + 2), Shown(names[k]),
                     StructureColors.Background);
  }
}

} // namespace LISTSTRUCT
