#pragma once
#include <QPixmap>
#include <QString>

#include <array>
#include <span>
#include <vector>

// A picture list: the pictures of one tool bar, addressed by index.
class TImageList {
public:
  // Puts the picture at the index, the list growing as far as it must.
  void Put(int index, const QPixmap& picture);
  int Count() const { return static_cast<int>(Pictures.size()); }
  // The picture at the index, or a null pixmap when the index is outside the list.
  QPixmap Get(int index) const;

private:
  std::vector<QPixmap> Pictures;
};

// How a tool-bar picture is drawn: normal or hot (pointer over the button), and for the
// two-state buttons whether the window or mode it stands for is on or off.
enum class TPictureState { Single, On, Off };

// Width and height of every tool-bar picture, in device-independent pixels.
inline constexpr int ToolPictureWidth = 50;
inline constexpr int ToolPictureHeight = 60;

// Draws one tool-bar picture: the button's symbol ":/pictures/<symbol>.svg" on the tile
// of the look (normal or hot), with the on/off lamp for two-state buttons. The picture is
// rendered for the given device pixel ratio so it stays sharp on dense screens.
QPixmap RenderToolPicture(const QString& symbol, bool hot, TPictureState state,
                          qreal devicePixelRatio = 1.0);

// The pictures of one tool button: its tool bar (0 to 3), its symbol and the indexes of its hot and
// normal pictures in the tool bar's list, each in an on and an off variant. A button without a
// second state has equal on and off indexes.
struct TToolPictureRow {
  int Bar;
  const char* Symbol;
  int HotOn, HotOff, NormalOn, NormalOff;
  bool HasTwoStates() const { return HotOn != HotOff; }
};

// Fills the tool bars' picture lists (*lists[Bar]) from the buttons' rows: every index of a row
// gets its picture.
void FillToolPictureLists(std::span<const TToolPictureRow> rows,
                          const std::array<TImageList*, 4>& lists, qreal devicePixelRatio = 1.0);
