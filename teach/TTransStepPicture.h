#pragma once
// The picture of one step of a formula's way through the translator, drawn through the canvas
// interface with the boxes and stacks of the table steps' pictures. Stage 1 shows the working
// copy of the formula character by character with the characters of the step marked, the
// lexemes made so far and the infix sequence growing; stage 2 the infix sequence with the code
// read, the operator stack with each operation's priority and the output growing; stage 3 the
// postfix sequence with the code read and the stack of values. The picture of a step depends
// on the recording, the step and the text measures only.

#include <string>
#include <vector>

#include "core/TCanvas.h"
#include "teach/TTableStepPicture.h"
#include "teach/TTransSteps.h"

namespace TRANSSTRUCT {

using TABLESTRUCT::TCanvasBox;

class TTransStepPicture {
public:
  // Lays the pictures of recording out, measuring texts on measure. The recording must outlive
  // the picture.
  TTransStepPicture(const TTransRecording& recording, LISTSTRUCT::TCanvas& measure);

  int GetWidth() const { return Width; }
  int GetHeight() const { return Height; }

  // Draws step on canvas (at least GetWidth x GetHeight, canvas font as measured); returns the
  // box of what the step is about, to scroll it into view.
  TCanvasBox Draw(int step, LISTSTRUCT::TCanvas& canvas) const;

private:
  // A row of boxes: its texts, and the boxes [MarkFrom, MarkTo) drawn marked.
  struct TCells {
    std::vector<std::string> Texts;
    int MarkFrom = 0;
    int MarkTo = 0;
  };

  const TTransRecording& Recording;
  int Width = 0;
  int Height = 0;
  int TextHigh = 0;
  int BoxHigh = 0;
  int CellWide = 0;  // the least width of a box in a row
  int LabelWide = 0; // room for the rows' names
  int HeaderHigh = 0;
  int MostOperators = 0; // the deepest operator stack of any step
  int MostValues = 0;    // the deepest value stack
  int ValueWide = 0;     // the width of a value box

  int CellWidth(const std::string& text, LISTSTRUCT::TCanvas& canvas) const;
  int RowWidth(const std::vector<std::string>& texts, LISTSTRUCT::TCanvas& canvas) const;
  // Draws a named row of boxes at top; returns the box around the marked boxes (empty: none).
  TCanvasBox DrawCells(const char* name, const TCells& cells, int top,
                       LISTSTRUCT::TCanvas& canvas) const;
  // Draws a stack of texts (bottom first) whose bottom box stands at bottom; the top is marked.
  TCanvasBox DrawStack(const char* name, const std::vector<std::string>& texts, int left,
                       int bottom, int wide, bool markTop, LISTSTRUCT::TCanvas& canvas) const;
  std::vector<std::string> CodeTexts(const std::vector<std::int32_t>& codes, int count) const;
  TCanvasBox DrawLexemes(const TTransStep& step, LISTSTRUCT::TCanvas& canvas) const;
  TCanvasBox DrawPostfix(const TTransStep& step, LISTSTRUCT::TCanvas& canvas) const;
  TCanvasBox DrawEvaluation(const TTransStep& step, LISTSTRUCT::TCanvas& canvas) const;
};

} // namespace TRANSSTRUCT
