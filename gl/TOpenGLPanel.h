#pragma once
// TOpenGLPanel: a widget that owns an OpenGL rendering context (compatibility profile, so
// immediate-mode OpenGL 1.1 and GLU work) and lets its owner draw through four events:
//
//   OnPreInit  once, before the context exists (no context current);
//   OnInit     once the context exists, with the context current;
//   OnResize   after every size change, with the context current;
//   OnPaint    on every paint, with the context current; the picture drawn becomes
//              visible when the paint is over (the widget composes its buffer afterwards).
//
// The events always come in that order. If the context cannot be made, the panel shows
// "Open GL Context Create Failed" once and raises no further events.
//
// On a machine without any usable OpenGL the widget toolkit cannot even show a window that
// holds such a panel. An owner therefore asks IsOpenGLAvailable() first and, when it is
// false, shows the message (ReportContextCreateFailed) and makes no panel; the rest of the
// program keeps working.
//
// Between events the owner may make the context current itself around single state changes
// (MakeOpenGLPanelCurrent / MakeOpenGLPanelNotCurrent).
//
// Bitmap text: when the 2D font is enabled before the context is made, one display list per
// glyph (glyphs First2D .. First2D + Count2D - 1) is built at initialisation and Draw2DText
// draws a text at the current raster position with them.

#include <QOpenGLWidget>
#include <QString>
#include <QSurfaceFormat>

#include <functional>

class TOpenGLPanel : public QOpenGLWidget {
  Q_OBJECT
public:
  using TPanelEvent = std::function<void(TOpenGLPanel& sender)>;
  using TMessageSink = std::function<void(const QString& text)>;

  // Pixel-format flags. Support for GDI and double buffering exclude each other.
  enum TPFDFlag : unsigned {
    f_PFD_DRAW_TO_WINDOW = 1u << 0,
    f_PFD_DRAW_TO_BITMAP = 1u << 1,
    f_PFD_SUPPORT_GDI = 1u << 2,
    f_PFD_SUPPORT_OPENGL = 1u << 3,
    f_PFD_GENERIC_ACCELERATED = 1u << 4,
    f_PFD_GENERIC_FORMAT = 1u << 5,
    f_PFD_NEED_PALETTE = 1u << 6,
    f_PFD_NEED_SYSTEM_PALETTE = 1u << 7,
    f_PFD_DOUBLEBUFFER = 1u << 8,
    f_PFD_STEREO = 1u << 9,
    f_PFD_SWAP_LAYER_BUFFERS = 1u << 10,
  };

  // The 2D (bitmap) font record. Height follows the usual convention: a negative height is
  // the character height in pixels.
  struct TFont2D {
    QString Family = QStringLiteral("Arial");
    int Height = -9;
    bool Enabled = false;
    int First = 32;
    int Count = 96;
  };

  explicit TOpenGLPanel(QWidget* parent = nullptr);
  ~TOpenGLPanel() override;

  TPanelEvent OnPreInit;
  TPanelEvent OnInit;
  TPanelEvent OnResize;
  TPanelEvent OnPaint;

  // Pixel format (RGBA only), read when the context is made.
  unsigned GetPFDFlags() const { return FPFDFlags; }
  void SetPFDFlags(unsigned flags);
  int GetColorBits() const { return FColorBits; }
  void SetColorBits(int bits);
  int GetDepthBits() const { return FDepthBits; }
  void SetDepthBits(int bits);

  TFont2D& Font2D() { return FFont2D; }
  const TFont2D& Font2D() const { return FFont2D; }

  // Makes the panel's context current; false (and the message) when it cannot.
  bool MakeOpenGLPanelCurrent();
  // Releases the current context.
  void MakeOpenGLPanelNotCurrent();
  // Draws the text at the current raster position with the 2D font. Nothing is drawn when
  // the font does not exist, the text is empty or a character lies outside the glyph range.
  // Needs the context current.
  void Draw2DText(const QString& text);

  // Size of the drawing buffer in device pixels.
  int PixelWidth() const;
  int PixelHeight() const;

  // True when a context of the panel's kind (with the fixed-function pipeline) can be made
  // here. Asked once, then remembered.
  static bool IsOpenGLAvailable();
  // Shows "Open GL Context Create Failed".
  static void ReportContextCreateFailed();

  // Where the panel's failure texts go; by default a modal message box. Tests replace it.
  static void SetMessageSink(TMessageSink sink);

protected:
  bool event(QEvent* e) override;
  void initializeGL() override;
  void resizeGL(int w, int h) override;
  void paintGL() override;
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;

private:
  // The surface format the panel asks for.
  static QSurfaceFormat PanelFormat();
  static void ShowPanelMessage(const QString& text);

  void RaisePreInit();
  void ApplyPixelFormat();
  void CheckContextCreated();
  void CreateFont2D();
  void DeleteFonts();
  void ContextAboutToBeDestroyed();

  unsigned FPFDFlags = f_PFD_DRAW_TO_WINDOW | f_PFD_SUPPORT_OPENGL | f_PFD_DOUBLEBUFFER;
  int FColorBits = 32;
  int FDepthBits = 32;
  bool FDoubleBuffered = true;
  bool FPreInitRaised = false;
  bool FContextReady = false;
  bool FContextFailed = false;
  TFont2D FFont2D;
  unsigned FFont2DBase = 0; // first display list of the 2D font, 0 when none
  int FFont2DFirst = 0;
  int FFont2DCount = 0;
  QMetaObject::Connection FContextConnection;
};
