#include "ui/ExportHelpers.h"
#include "ui/QtCanvas.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QSaveFile>
#include <QScreen>
#include <QSvgGenerator>

namespace {
int ScreenDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? qRound(screen->logicalDotsPerInchY()) : 96;
}
} // namespace

QByteArray CanvasSvg(QSize size, const QFont& font, const TCanvasDrawing& draw,
                     const QString& title) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setResolution(ScreenDpi());
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  if (!title.isEmpty()) svg.setTitle(title);
  QPainter painter;
  if (!painter.begin(&svg)) return {};
  TQtCanvas canvas(painter, size.width(), size.height(), font);
  draw(canvas);
  painter.end();
  return buffer.data();
}

bool SaveFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    if (error) *error = file.errorString();
    return false;
  }
  return true;
}
