#pragma once
#include <QDialog>
#include <QPixmap>

class QLabel;

// The opening splash window: a borderless picture. The first click on the picture turns
// the logo into the tutorial picture, the second closes the window.
class TForm11 : public QDialog {
  Q_OBJECT
public:
  explicit TForm11(QWidget* parent = nullptr);

  // Loads a picture by its path relative to the current directory (in the English interface
  // the English picture of that name, see LocalizedPath); when the file is missing or
  // unreadable the copy built into the program is used. Returns whether a picture was loaded.
  bool LoadPicture(const QString& relativePath);
  // The path of the picture shown now (as asked for, e.g. "Images/logo.bmp").
  QString PicturePath() const { return ShownPath; }
  // Whether the picture shown now came from the file in the current directory.
  bool PictureFromFile() const { return FromFile; }

public slots:
  void ImSplashClick();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  QLabel* ImSplash;
  // Clicks on the picture so far: the first shows the tutorial picture, the second closes.
  int SplashClicks = 0;

  void FitToPicture();
  QString ShownPath;
  bool FromFile = false;
};
