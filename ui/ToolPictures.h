#pragma once
#include <QPixmap>
#include <QString>
#include <vector>

// A picture list: the pictures of one tool bar, addressed by index.
class TImageList {
public:
  void Add(const QPixmap& picture) { Pictures.push_back(picture); }
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

// Fills the four picture lists of the main window's tool bars in their fixed index order.
void FillToolPictureLists(TImageList& list1, TImageList& list2, TImageList& list3,
                          TImageList& list4, qreal devicePixelRatio = 1.0);
