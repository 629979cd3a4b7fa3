#pragma once
// The picture of one step of a recorded table operation, drawn through the canvas interface:
// the scan table as its ring of records from the head link with the current link marked, the
// sorted table as its array of keys with lo, mid and hi, the hash table as its column of
// buckets with their chains. The step's comparison (and its outcome), the moved, placed or
// removed record and the computed bucket are highlighted. The picture of a step depends on
// the recording, the step and the text measures only, so a step always looks the same.

#include <array>
#include <string>
#include <vector>

#include "core/TCanvas.h"
#include "teach/TTableSteps.h"

namespace TABLESTRUCT {

// A box on the canvas from its left-top (X1, Y1) to its right-bottom (X2, Y2) corner.
struct TCanvasBox {
  int X1 = 0;
  int Y1 = 0;
  int X2 = 0;
  int Y2 = 0;
};

class TTableStepPicture {
public:
  // Lays the pictures of recording out for a canvas width wide (rows of the scan and sorted
  // tables wrap to it), measuring texts on measure. The recording must outlive the picture.
  TTableStepPicture(const TStepRecording& recording, LISTSTRUCT::TCanvas& measure, int width);

  // The size every step's picture needs (the same for all steps).
  int GetWidth() const { return Width; }
  int GetHeight() const { return Height; }

  // Draws step on canvas (at least GetWidth x GetHeight, canvas font as measured); returns
  // the box of what the step highlights (the header when nothing is), to scroll it into view.
  TCanvasBox Draw(int step, LISTSTRUCT::TCanvas& canvas) const;

private:
  const TStepRecording& Recording;
  std::vector<int> MostSlots; // per bucket, the most slots any step shows
  int Width = 0;
  int Height = 0;
  int TextHigh = 0;   // height of a text line
  int BoxHigh = 0;    // height of a record box
  int KeyWide = 0;    // width of a key cell
  int BucketWide = 0; // width of a bucket cell (hash table)
  int HeaderHigh = 0;
  int PerRow = 1;   // scan and sorted tables: items in one row
  int RowPitch = 0; // distance of rows

  // Left-top corner of item i of the wrapped rows (scan: item 0 the head link, then the
  // records; sorted: slot i is item i + 1, and item 0 the place of slot -1 left of slot 0).
  int ItemX(int item) const;
  int ItemY(int item) const;

  // The two lines above the picture: organisation, operation, key and count; then the current
  // link, the bounds or the bucket computation.
  std::array<std::string, 2> HeaderLines(const TTableStep& step) const;
  void DrawHeader(const TTableStep& step, LISTSTRUCT::TCanvas& canvas) const;
  TCanvasBox DrawScan(const TTableStep& step, const TTableLayout& layout,
                      LISTSTRUCT::TCanvas& canvas) const;
  // The link of item of the ring to the next item: along its row, down and back into the next
  // row, or from the last record back to the head link.
  void DrawRingLink(int item, int items, LISTSTRUCT::TCanvas& canvas) const;
  TCanvasBox DrawSorted(const TTableStep& step, const TTableLayout& layout,
                        LISTSTRUCT::TCanvas& canvas) const;
  TCanvasBox DrawHash(const TTableStep& step, const TTableLayout& layout,
                      LISTSTRUCT::TCanvas& canvas) const;
};

} // namespace TABLESTRUCT
