#pragma once
// TStructureView: the box of the overview window's structure picture (SBForImg) with the
// picture itself (ImgStruct). By default the picture is the one row of boxes as high as the box,
// scrolling sideways; «Переносить строки» in the context menu wraps the boxes into rows as wide
// as the box, scrolling down. Ctrl+wheel, Ctrl++ and Ctrl+- zoom the picture's font. Over a box
// the tooltip tells what its index means («60300 = x⁶y³»). Saved and printed, the picture is the
// sheet wrapped for the paper under a title (StructureSheetExport.h).

#include <QPixmap>
#include <QScrollArea>

#include <memory>

#include "core/TPolinom.h"

class QAction;
class QLabel;

namespace LISTSTRUCT {
class TStructureSheet;
}

class TStructureView : public QScrollArea {
  Q_OBJECT
public:
  static constexpr double ZoomStep = 1.25;
  static constexpr double MinZoom = 0.5;
  static constexpr double MaxZoom = 4.0;

  explicit TStructureView(QWidget* parent = nullptr);
  ~TStructureView() override;

  QLabel* Picture() const { return ImgStruct; }
  const QPixmap& Bitmap() const { return StructBitmap; }

  // The polynomial shown, with the name and formula of its title on paper; Clear shows the
  // background alone.
  void Show(const LISTSTRUCT::TPolinom& pol, const QString& name, const QString& formula);
  void Clear();
  // The font size that the box's height asks for, before the zoom.
  void SetBaseFontSize(int pointSize);
  void SetWrapping(bool on);
  bool IsWrapping() const { return Wrapping; }
  // Multiplies the zoom by factor, within MinZoom .. MaxZoom.
  void Zoom(double factor);
  double GetZoom() const { return ZoomFactor; }
  // The tooltip over the picture at pos: what the index of the box there means; empty off the
  // boxes.
  QString BoxTip(const QPoint& pos) const;

protected:
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QLabel* ImgStruct;
  QPixmap StructBitmap;
  QAction* ActWrap;
  LISTSTRUCT::TPolinom Pol;
  QString Name, Formula;
  bool Chosen = false;
  bool Wrapping = false;
  int BaseFontSize = 10;
  double ZoomFactor = 1.0;
  std::unique_ptr<LISTSTRUCT::TStructureSheet> Sheet; // as drawn, to find the box under a point

  void BuildActions();
  void Redraw();
  QFont DrawingFont() const;
};
