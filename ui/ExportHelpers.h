#pragma once
// Taking pictures and data out of the windows: vector pictures drawn through the canvas
// interface, and atomic file writes for what is saved.

#include <QByteArray>
#include <QFont>
#include <QSize>
#include <QString>
#include <functional>

namespace LISTSTRUCT {
class TCanvas;
}

// What draws a picture through the canvas interface (e.g. a polynomial's DrawStructure).
using TCanvasDrawing = std::function<void(LISTSTRUCT::TCanvas&)>;

// The picture as an SVG document of size pixels, drawn in font: its rectangles, ellipses,
// lines and texts become SVG elements. The document's resolution is the screen's, so the
// texts measure as they do in the window.
QByteArray CanvasSvg(QSize size, const QFont& font, const TCanvasDrawing& draw,
                     const QString& title = QString());

// Writes bytes to path through a temporary file in the same folder that replaces the file
// only when all is written; false with the reason in error otherwise.
bool SaveFileAtomically(const QString& path, const QByteArray& bytes, QString* error);
