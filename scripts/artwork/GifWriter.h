#pragma once
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>

// Writes an endlessly looping animated GIF from frames of equal size. All frames share
// one palette of at most 256 colours built from the frames themselves.
class GifWriter {
public:
  static QByteArray Encode(const QList<QImage>& frames, int delayHundredths);

private:
  static QList<QRgb> BuildPalette(const QList<QImage>& frames);
  static QByteArray Compress(const QImage& indexed);
};
