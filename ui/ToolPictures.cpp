#include "ui/ToolPictures.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

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

void FillToolPictureLists(TImageList& list1, TImageList& list2, TImageList& list3,
                          TImageList& list4, qreal dpr) {
  TArtwork art;
  const auto on = TPictureState::On;
  const auto off = TPictureState::Off;
  const auto single = TPictureState::Single;
  struct TEntry {
    const char* Symbol;
    bool Hot;
    TPictureState State;
  };
  // Tool bar 1: table window, new, change, delete, save mode.
  const TEntry bar1[] = {
      {"store", true, on},      {"store", true, off},      {"new", true, single},
      {"change", true, single}, {"delete", true, single},  {"savlod", true, on},
      {"savlod", true, off},    {"store", false, on},      {"store", false, off},
      {"new", false, single},   {"change", false, single}, {"delete", false, single},
      {"savlod", false, on},    {"savlod", false, off}};
  // Tool bar 2: calculation window, evaluate, load formula, save formula.
  const TEntry bar2[] = {{"pols", true, on},      {"pols", true, off},     {"calc", true, single},
                         {"loadf", true, single}, {"savef", true, single}, {"pols", false, on},
                         {"pols", false, off},    {"calc", false, single}, {"loadf", false, single},
                         {"savef", false, single}};
  // Tool bar 3: overview window and its four pages.
  const TEntry bar3[] = {
      {"view", true, on},        {"view", true, off},          {"view", false, on},
      {"view", false, off},      {"formula", true, single},    {"struct", true, single},
      {"surface", true, single}, {"efficiency", true, single}, {"formula", false, single},
      {"struct", false, single}, {"surface", false, single},   {"efficiency", false, single}};
  // Tool bar 4: help and About.
  const TEntry bar4[] = {{"help", true, single},
                         {"about", true, single},
                         {"help", false, single},
                         {"about", false, single}};
  for (const auto& e : bar1)
    list1.Add(Render(art, e.Symbol, e.Hot, e.State, dpr));
  for (const auto& e : bar2)
    list2.Add(Render(art, e.Symbol, e.Hot, e.State, dpr));
  for (const auto& e : bar3)
    list3.Add(Render(art, e.Symbol, e.Hot, e.State, dpr));
  for (const auto& e : bar4)
    list4.Add(Render(art, e.Symbol, e.Hot, e.State, dpr));
}
