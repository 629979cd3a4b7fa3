#pragma once
// The structure picture of a polynomial on paper and in files: the ring wrapped into rows that
// fit the page (1600 pixels for a PNG, 270 mm for an SVG), under a title with the polynomial's
// name, the start of its formula and the date.

#include "core/TPolinom.h"

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;

struct TStructurePaper {
  LISTSTRUCT::TPolinom Pol;
  QStringList Title; // StructureTitle
  QFont Font;        // the boxes' texts; the window's picture font at its opening size
};

// «Полином P1, 2025-02-01» and «Формула: …».
QStringList StructureTitle(const QString& name, const QString& formula);

QImage StructureSheetImage(const TStructurePaper& paper, int width = 1600);
QByteArray StructureSheetSvg(const TStructurePaper& paper, double widthMm = 270.0);
// Paints the sheet on the pages of device (a printer or a PDF writer), as many as its rows
// need, at the size the font has on the screen; the paper's background stays white.
bool PaintStructurePages(const TStructurePaper& paper, QPagedPaintDevice& device);
