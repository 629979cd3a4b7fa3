#pragma once
// What the step-by-step pages of the list and the translator share: the picture of the step
// in a scroll box, the lines of the algorithm beside it with the current one marked, the line
// that explains the step, and the controls that walk the steps — to the start, back, forward,
// to the end, and a show at a chosen speed (also with the arrow keys and the space bar). The
// page records the steps and draws each one; the show only says which step to draw.

#include <QPixmap>
#include <QStringList>
#include <QWidget>

#include <initializer_list>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollArea;
class QSlider;
class QSplitter;
class QTimer;

// A label that names buddy: its text less "&" and ":" is buddy's name for assistive technology.
QLabel* StepLabel(const QString& text, QWidget* buddy, QWidget* parent);
// A button of the step pages with its object name and hint, never the default button.
QPushButton* StepButton(const QString& text, const char* name, const QString& hint,
                        QWidget* parent);

class TStepShow : public QWidget {
  Q_OBJECT
public:
  // The arrow keys and the space bar walk the steps anywhere on page (the show's parent).
  explicit TStepShow(QWidget* page);

  // Starts a new recording of count steps at its first one (emits StepChanged).
  void SetCount(int count);
  int GetCount() const { return Count; }
  int GetStep() const { return Step; }
  // Goes to step (held within the recording) and emits StepChanged.
  void GoTo(int step);
  void Stop();

  // What the page draws for the step: the picture and the part of it to keep in view.
  void ShowPicture(const QPixmap& picture, const QRect& focus);
  // The explanation line; a failure shows in the message colours.
  void ShowText(const QString& text, bool failure);
  // The lines of the algorithm, and the one the step carries out (-1 none).
  void SetLines(const QStringList& lines);
  void MarkLine(int line);
  // The controls of the page that keep their own arrow and space keys.
  void KeepKeys(std::initializer_list<QWidget*> controls);
  // The width the picture has in view.
  int PictureWidth() const;

signals:
  void StepChanged(int step);
  // The picture's view changed its width (a picture may lay itself out for it).
  void PictureWidthChanged(int width);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QSplitter* Splitter;
  QScrollArea* SBStepPicture;
  QLabel* ImgStep;
  QListWidget* LBStepLines;
  QLineEdit* EdStepText;
  QPushButton* BBtnStepFirst;
  QPushButton* BBtnStepBack;
  QPushButton* BBtnStepNext;
  QPushButton* BBtnStepPlay;
  QPushButton* BBtnStepLast;
  QSlider* TrBStepSpeed;
  QLabel* LStepSpeedValue;
  QLabel* LStepNumber;
  QTimer* PlayTimer;
  int Count = 0;
  int Step = 0;
  // Ctrl+wheel over the picture zooms it between half and twice its size; the last picture
  // and its focus are kept to be shown again at another zoom.
  double PictureZoom = 1.0;
  QPixmap Picture;
  QRect PictureFocus;
  void ZoomPicture(double factor);
  void ShowZoomedPicture();

  void BuildPicture();
  void BuildPlayer();
  void LayOut();
  void Connect(QWidget* page);
  void BBtnStepPlayClick();
  void PlayTick();
  void TrBStepSpeedChange();
};
