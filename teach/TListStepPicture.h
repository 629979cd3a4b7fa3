#pragma once
// The picture of one step of a recorded polynomial operation, drawn through the canvas
// interface like the structure diagram: each ring (p, q and the result r) as its head box and
// monomial boxes in one row, with the same boxes, colours, arrows and return line. Above the
// rings stands m, the monomial being added. The step's links are framed: the link AddMonom's
// walk reads, the link just inserted or merged, p's and q's current links; a deleted link is
// struck out, and the head, current and previous links of r are named under their boxes. The
// picture of a step depends on the recording, the step and the text measures only.

#include <string>
#include <vector>

#include "core/TCanvas.h"
#include "teach/TListSteps.h"
#include "teach/TTableStepPicture.h"

namespace LISTSTRUCT {

using TABLESTRUCT::TCanvasBox;

class TListStepPicture {
public:
  // Lays the pictures of recording out, measuring texts on measure. The recording must outlive
  // the picture.
  TListStepPicture(const TListRecording& recording, TCanvas& measure);

  // The size every step's picture needs (the same for all steps).
  int GetWidth() const { return Width; }
  int GetHeight() const { return Height; }

  // Draws step on canvas (at least GetWidth x GetHeight, canvas font as measured); returns the
  // box of what the step is about, to scroll it into view.
  TCanvasBox Draw(int step, TCanvas& canvas) const;

private:
  // One ring of the picture: its name, its monomials, the current link the step marks (its
  // position; the length for the head) and what the step does there.
  struct TRingView {
    const char* Name = "";
    std::vector<TMonomPair> Monoms;
    int Current = -1;
    const char* CurrentMark = ""; // the name under the current link
    bool MarkPrevious = false;    // the link before the current one is named too
    TCanvasColor Frame{};         // the frame of the current link
    bool Struck = false;          // the current link is being deleted
  };

  const TListRecording& Recording;
  int Width = 0;
  int Height = 0;
  int TextHigh = 0; // height of a text line
  int HeadWide = 0; // text width of the head box (w3 of the diagram)
  int BoxWide = 0;  // text width of a monomial box (w8)
  int RowHigh = 0;  // height of one cell row of a box (h)
  int LabelWide = 0;
  int HeaderHigh = 0;
  int RingPitch = 0; // the height a ring row takes with its marks
  int RingsTop = 0;  // top of the first ring row
  int RingCount = 0;

  // The first line: the operation, and the text read.
  std::string Title() const;
  std::vector<TRingView> RingsOf(const TListStep& step, int stepIndex) const;
  // Left edge of box i of a ring (-1 the head box) and its right edge with the link cell.
  int BoxLeft(int i) const;
  int BoxRight(int i) const;
  TCanvasBox DrawRing(const TRingView& ring, int top, TCanvas& canvas) const;
  void DrawMarks(const TRingView& ring, int top, TCanvas& canvas) const;
  TCanvasBox DrawAdded(const TListStep& step, TCanvas& canvas) const;
};

} // namespace LISTSTRUCT
