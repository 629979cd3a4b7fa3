#include "ui/ToolPictures.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

void TImageList::Put(int index, const QPixmap& picture) {
  if (index < 0) return;
  if (index >= Count()) Pictures.resize(static_cast<size_t>(index) + 1);
  Pictures[static_cast<size_t>(index)] = picture;
}

QPixmap TImageList::Get(int index) const {
  if (index < 0 || index >= Count()) return {};
  return Pictures[static_cast<size_t>(index)];
}

namespace {

// Loaded vector pictures, kept while one set of picture lists is drawn.
class TArtwork {
public:
  QSvgRenderer& Get(const QString& name) {
    auto it = Renderers.find(name);
    if (it == Renderers.end())
      it = Renderers.insert(name, new QSvgRenderer(QStringLiteral(":/pictures/%1.svg").arg(name)));
    return **it;
  }
  ~TArtwork() { qDeleteAll(Renderers); }

private:
  QHash<QString, QSvgRenderer*> Renderers;
};

// The symbol sits in this box of the 50 x 60 picture; the lamp of a two-state button
// overlaps its lower right corner.
const QRectF SymbolBox(3, 4, 44, 50);
const QRectF LampBox(35, 46, 12, 12);

QPixmap Render(TArtwork& art, const QString& symbol, bool hot, TPictureState state, qreal dpr) {
  QPixmap picture(qRound(ToolPictureWidth * dpr), qRound(ToolPictureHeight * dpr));
  picture.setDevicePixelRatio(dpr);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  art.Get(hot ? "tile_hot" : "tile_normal")
      .render(&painter, QRectF(0, 0, ToolPictureWidth, ToolPictureHeight));
  QRectF box = SymbolBox;
  if (hot) box = box.adjusted(-1.5, -1.5, 1.5, 1.5); // the hot symbol comes forward
  painter.save();
  if (state == TPictureState::Off) painter.setOpacity(0.42);
  art.Get(symbol).render(&painter, box);
  painter.restore();
  if (state != TPictureState::Single)
    art.Get(state == TPictureState::On ? "lamp_on" : "lamp_off").render(&painter, LampBox);
  return picture;
}

} // namespace

QPixmap RenderToolPicture(const QString& symbol, bool hot, TPictureState state,
                          qreal devicePixelRatio) {
  TArtwork art;
  return Render(art, symbol, hot, state, devicePixelRatio);
}

void FillToolPictureLists(std::span<const TToolPictureRow> rows,
                          const std::array<TImageList*, 4>& lists, qreal dpr) {
  TArtwork art;
  for (const TToolPictureRow& row : rows) {
    TImageList& list = *lists[static_cast<size_t>(row.Bar)];
    const bool twoStates = row.HasTwoStates();
    const TPictureState on = twoStates ? TPictureState::On : TPictureState::Single;
    const TPictureState off = twoStates ? TPictureState::Off : TPictureState::Single;
    list.Put(row.HotOn, Render(art, row.Symbol, true, on, dpr));
    list.Put(row.HotOff, Render(art, row.Symbol, true, off, dpr));
    list.Put(row.NormalOn, Render(art, row.Symbol, false, on, dpr));
    list.Put(row.NormalOff, Render(art, row.Symbol, false, off, dpr));
  }
}
