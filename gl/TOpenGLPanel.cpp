#include "gl/TOpenGLPanel.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QImage>
#include <QMessageBox>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QPainter>
#include <QPointer>
#include <QResizeEvent>
#include <QShowEvent>
#include <QSurfaceFormat>

#include <GL/gl.h>

#include <algorithm>
#include <vector>

namespace {

TOpenGLPanel::TMessageSink& MessageSink() {
  static TOpenGLPanel::TMessageSink sink;
  return sink;
}

const char* const ContextCreateFailed = "Open GL Context Create Failed";
const char* const MakeCurrentFailed = "wglMakeCurrent:";

} // namespace

TOpenGLPanel::TOpenGLPanel(QWidget* parent) : QOpenGLWidget(parent) {
  // The picture is redrawn completely on every paint, so the panel never erases itself.
  setAttribute(Qt::WA_OpaquePaintEvent);
  ApplyPixelFormat();
}

TOpenGLPanel::~TOpenGLPanel() {
  // The base class destroys the context after this destructor has run; the display lists
  // must go while this object still exists.
  disconnect(FContextConnection);
  if (FContextReady) {
    makeCurrent();
    DeleteFonts();
    doneCurrent();
  }
}

void TOpenGLPanel::SetPFDFlags(unsigned flags) {
  const unsigned gdi = f_PFD_SUPPORT_GDI;
  const unsigned dbl = f_PFD_DOUBLEBUFFER;
  const bool hadDouble = (FPFDFlags & dbl) != 0;
  if ((flags & gdi) && (flags & dbl)) {
    // Both given: the newly added one wins.
    flags &= hadDouble ? ~dbl : ~gdi;
  } else if (!(flags & gdi) && !(flags & dbl)) {
    // Neither given: the one that was not set before is set.
    flags |= hadDouble ? gdi : dbl;
  }
  FPFDFlags = flags;
  ApplyPixelFormat();
}

void TOpenGLPanel::SetColorBits(int bits) {
  FColorBits = bits;
  ApplyPixelFormat();
}

void TOpenGLPanel::SetDepthBits(int bits) {
  FDepthBits = bits;
  ApplyPixelFormat();
}

namespace {

// Immediate-mode drawing needs the fixed-function pipeline.
void AskFixedPipeline(QSurfaceFormat& f) {
  f.setRenderableType(QSurfaceFormat::OpenGL);
  f.setProfile(QSurfaceFormat::CompatibilityProfile);
  f.setVersion(2, 1);
}

bool HasFixedPipeline(const QSurfaceFormat& f) {
  return f.renderableType() != QSurfaceFormat::OpenGLES &&
         f.profile() != QSurfaceFormat::CoreProfile;
}

} // namespace

QSurfaceFormat TOpenGLPanel::PanelFormat() {
  QSurfaceFormat f = QSurfaceFormat::defaultFormat();
  AskFixedPipeline(f);
  return f;
}

bool TOpenGLPanel::IsOpenGLAvailable() {
  static const bool available = [] {
    QOpenGLContext ctx;
    ctx.setFormat(PanelFormat());
    if (!ctx.create() || !HasFixedPipeline(ctx.format())) return false;
    QOffscreenSurface surface;
    surface.setFormat(ctx.format());
    surface.create();
    if (!surface.isValid() || !ctx.makeCurrent(&surface)) return false;
    ctx.doneCurrent();
    return true;
  }();
  return available;
}

void TOpenGLPanel::ReportContextCreateFailed() {
  ShowPanelMessage(QString::fromLatin1(ContextCreateFailed));
}

void TOpenGLPanel::ApplyPixelFormat() {
  QSurfaceFormat f = format();
  AskFixedPipeline(f);
  const int channel = FColorBits >= 24 ? 8 : (FColorBits >= 15 ? 5 : 4);
  f.setRedBufferSize(channel);
  f.setGreenBufferSize(channel);
  f.setBlueBufferSize(channel);
  // The usual drivers offer at most 24 depth bits; more is asked as the most there is.
  f.setDepthBufferSize(std::min(FDepthBits, 24));
  FDoubleBuffered = (FPFDFlags & f_PFD_DOUBLEBUFFER) != 0;
  f.setSwapBehavior(FDoubleBuffered ? QSurfaceFormat::DoubleBuffer : QSurfaceFormat::SingleBuffer);
  f.setStereo((FPFDFlags & f_PFD_STEREO) != 0);
  setFormat(f);
}

void TOpenGLPanel::SetMessageSink(TMessageSink sink) {
  MessageSink() = std::move(sink);
}

void TOpenGLPanel::ShowPanelMessage(const QString& text) {
  if (MessageSink()) {
    MessageSink()(text);
    return;
  }
  // The failures arise inside paint and resize handling; the box opens once that is over.
  QMetaObject::invokeMethod(
      qApp, [text] { QMessageBox::critical(nullptr, QApplication::applicationName(), text); },
      Qt::QueuedConnection);
}

void TOpenGLPanel::RaisePreInit() {
  if (FPreInitRaised) return;
  FPreInitRaised = true;
  if (OnPreInit) OnPreInit(*this);
}

bool TOpenGLPanel::event(QEvent* e) {
  switch (e->type()) {
  case QEvent::Polish:
  case QEvent::Resize:
  case QEvent::Show:
    // The first of these comes before the context is made.
    RaisePreInit();
    break;
  default:
    break;
  }
  return QOpenGLWidget::event(e);
}

void TOpenGLPanel::resizeEvent(QResizeEvent* e) {
  QOpenGLWidget::resizeEvent(e);
  if (!e->size().isEmpty()) CheckContextCreated();
}

void TOpenGLPanel::showEvent(QShowEvent* e) {
  QOpenGLWidget::showEvent(e);
  if (!size().isEmpty()) CheckContextCreated();
}

void TOpenGLPanel::CheckContextCreated() {
  // The base class makes the context on the first resize of a visible panel; when that
  // did not happen there is no usable OpenGL here.
  if (FContextReady || FContextFailed || isValid()) return;
  FContextFailed = true;
  ReportContextCreateFailed();
}

void TOpenGLPanel::initializeGL() {
  RaisePreInit();
  QOpenGLContext* ctx = context();
  // A core-profile or embedded context has no fixed-function pipeline to draw with.
  if (!HasFixedPipeline(ctx->format())) {
    FContextReady = false;
    if (!FContextFailed) {
      FContextFailed = true;
      ReportContextCreateFailed();
    }
    return;
  }
  // A new context (after a change of top-level window) gets its fonts anew.
  disconnect(FContextConnection);
  FContextConnection = connect(ctx, &QOpenGLContext::aboutToBeDestroyed, this,
                               &TOpenGLPanel::ContextAboutToBeDestroyed, Qt::DirectConnection);
  FContextReady = true;
  FContextFailed = false;
  if (FFont2D.Enabled) CreateFont2D();
  if (OnInit) OnInit(*this);
}

void TOpenGLPanel::ContextAboutToBeDestroyed() {
  makeCurrent();
  DeleteFonts();
  doneCurrent();
  FContextReady = false;
}

void TOpenGLPanel::resizeGL(int, int) {
  if (FContextReady && OnResize) OnResize(*this);
}

void TOpenGLPanel::paintGL() {
  if (FContextReady && OnPaint) OnPaint(*this);
}

bool TOpenGLPanel::MakeOpenGLPanelCurrent() {
  if (!FContextReady) return false; // the failure to create was reported already
  makeCurrent();
  if (QOpenGLContext::currentContext() != context()) {
    // This context layer has no error number of its own to add.
    ShowPanelMessage(QString::fromLatin1(MakeCurrentFailed) + QLatin1Char('0'));
    return false;
  }
  return true;
}

void TOpenGLPanel::MakeOpenGLPanelNotCurrent() {
  if (FContextReady) doneCurrent();
}

int TOpenGLPanel::PixelWidth() const {
  return qRound(width() * devicePixelRatioF());
}

int TOpenGLPanel::PixelHeight() const {
  return qRound(height() * devicePixelRatioF());
}

void TOpenGLPanel::CreateFont2D() {
  DeleteFonts();
  if (FFont2D.Count <= 0 || FFont2D.First < 0) return;
  QFont font(FFont2D.Family);
  font.setPixelSize(std::max(1, std::abs(FFont2D.Height)));
  // Bitmap glyphs are one bit deep.
  font.setStyleStrategy(QFont::NoAntialias);
  const QFontMetrics fm(font);
  const GLuint base = glGenLists(FFont2D.Count);
  if (base == 0) return;

  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  const int ascent = fm.ascent();
  const int height = std::max(1, fm.ascent() + fm.descent());
  std::vector<GLubyte> bits;
  for (int k = 0; k < FFont2D.Count; ++k) {
    const QString glyph(QChar(char16_t(FFont2D.First + k)));
    const int advance = fm.horizontalAdvance(glyph);
    const QRect box = fm.boundingRect(glyph);
    const int left = std::min(0, box.left());
    const int width = std::max(1, std::max(advance, box.right() + 1) - left);
    QImage img(width, height, QImage::Format_Grayscale8);
    img.fill(0);
    {
      QPainter p(&img);
      p.setFont(font);
      p.setPen(Qt::white);
      p.drawText(-left, ascent, glyph);
    }
    // Rows go bottom to top, most significant bit leftmost.
    const int rowBytes = (width + 7) / 8;
    bits.assign(std::size_t(rowBytes) * std::size_t(height), 0);
    for (int r = 0; r < height; ++r) {
      const uchar* line = img.constScanLine(height - 1 - r);
      for (int x = 0; x < width; ++x)
        if (line[x] >= 128) bits[std::size_t(r * rowBytes + x / 8)] |= GLubyte(0x80 >> (x % 8));
    }
    glNewList(base + GLuint(k), GL_COMPILE);
    glBitmap(width, height, GLfloat(-left), GLfloat(fm.descent()), GLfloat(advance), 0.0f,
             bits.data());
    glEndList();
  }
  glPopClientAttrib();
  FFont2DBase = base;
  FFont2DFirst = FFont2D.First;
  FFont2DCount = FFont2D.Count;
}

void TOpenGLPanel::DeleteFonts() {
  if (FFont2DBase != 0) glDeleteLists(FFont2DBase, FFont2DCount);
  FFont2DBase = 0;
  FFont2DCount = 0;
}

void TOpenGLPanel::Draw2DText(const QString& text) {
  if (FFont2DBase == 0 || text.isEmpty()) return;
  std::vector<GLushort> codes;
  codes.reserve(std::size_t(text.size()));
  for (const QChar ch : text) {
    const int offset = int(ch.unicode()) - FFont2DFirst;
    if (offset < 0 || offset >= FFont2DCount) return;
    codes.push_back(GLushort(offset));
  }
  glPushAttrib(GL_LIST_BIT);
  glListBase(FFont2DBase);
  glCallLists(GLsizei(codes.size()), GL_UNSIGNED_SHORT, codes.data());
  glPopAttrib();
}
