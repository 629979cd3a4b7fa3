#include "GifWriter.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <vector>

namespace {
void Put16(QByteArray& out, int value) {
  out.append(char(value & 0xff));
  out.append(char((value >> 8) & 0xff));
}

// Colours reduced to 5 bits per channel for counting.
int Key(QRgb c) { return ((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3); }

// Packs codes of varying width, least significant bit first.
class TBitSink {
public:
  void Put(uint32_t code, int width) {
    Accumulator |= code << Bits;
    Bits += width;
    while (Bits >= 8) {
      Bytes.push_back(uint8_t(Accumulator & 0xff));
      Accumulator >>= 8;
      Bits -= 8;
    }
  }
  std::vector<uint8_t> Finish() {
    if (Bits > 0) Bytes.push_back(uint8_t(Accumulator & 0xff));
    Bits = 0;
    Accumulator = 0;
    return Bytes;
  }

private:
  uint32_t Accumulator = 0;
  int Bits = 0;
  std::vector<uint8_t> Bytes;
};
} // namespace

QList<QRgb> GifWriter::BuildPalette(const QList<QImage>& frames) {
  QHash<int, qint64> counts;
  QHash<int, std::array<qint64, 3>> sums;
  for (const QImage& frame : frames) {
    const QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
      const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
      for (int x = 0; x < rgb.width(); ++x) {
        const int k = Key(line[x]);
        ++counts[k];
        auto& s = sums[k];
        s[0] += qRed(line[x]);
        s[1] += qGreen(line[x]);
        s[2] += qBlue(line[x]);
      }
    }
  }
  std::vector<std::pair<qint64, int>> order;
  for (auto it = counts.cbegin(); it != counts.cend(); ++it) order.push_back({it.value(), it.key()});
  std::sort(order.begin(), order.end(), std::greater<>());
  QList<QRgb> palette;
  for (size_t i = 0; i < order.size() && palette.size() < 256; ++i) {
    const auto& s = sums[order[i].second];
    const qint64 n = order[i].first;
    palette.push_back(qRgb(int(s[0] / n), int(s[1] / n), int(s[2] / n)));
  }
  while (palette.size() < 256) palette.push_back(qRgb(0, 0, 0));
  return palette;
}

QByteArray GifWriter::Compress(const QImage& indexed) {
  const int minCodeSize = 8;
  const uint32_t clearCode = 1u << minCodeSize;
  std::vector<std::array<uint16_t, 256>> tree(4096);
  for (auto& node : tree) node.fill(0);
  int codeSize = minCodeSize + 1;
  uint32_t maxCode = clearCode + 1;
  TBitSink sink;
  sink.Put(clearCode, codeSize);
  int current = -1;
  for (int y = 0; y < indexed.height(); ++y) {
    const uchar* line = indexed.constScanLine(y);
    for (int x = 0; x < indexed.width(); ++x) {
      const uint8_t value = line[x];
      if (current < 0) {
        current = value;
      } else if (tree[size_t(current)][value]) {
        current = tree[size_t(current)][value];
      } else {
        sink.Put(uint32_t(current), codeSize);
        tree[size_t(current)][value] = uint16_t(++maxCode);
        if (maxCode >= (1u << codeSize)) ++codeSize;
        if (maxCode == 4095) {
          sink.Put(clearCode, codeSize);
          for (auto& node : tree) node.fill(0);
          codeSize = minCodeSize + 1;
          maxCode = clearCode + 1;
        }
        current = value;
      }
    }
  }
  sink.Put(uint32_t(current), codeSize);
  sink.Put(clearCode, codeSize);
  sink.Put(clearCode + 1, minCodeSize + 1);
  const std::vector<uint8_t> data = sink.Finish();
  QByteArray out;
  out.append(char(minCodeSize));
  for (size_t at = 0; at < data.size(); at += 255) {
    const size_t n = std::min<size_t>(255, data.size() - at);
    out.append(char(n));
    out.append(reinterpret_cast<const char*>(data.data() + at), qsizetype(n));
  }
  out.append(char(0));
  return out;
}

QByteArray GifWriter::Encode(const QList<QImage>& frames, int delayHundredths) {
  QByteArray out;
  if (frames.isEmpty()) return out;
  const int w = frames.first().width();
  const int h = frames.first().height();
  const QList<QRgb> palette = BuildPalette(frames);
  out.append("GIF89a");
  Put16(out, w);
  Put16(out, h);
  out.append(char(0xF7)); // global palette of 256 colours, 8 bits per primary
  out.append(char(0));
  out.append(char(0));
  for (QRgb c : palette) {
    out.append(char(qRed(c)));
    out.append(char(qGreen(c)));
    out.append(char(qBlue(c)));
  }
  out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19); // loop for ever
  for (const QImage& frame : frames) {
    const QImage indexed = frame.convertToFormat(QImage::Format_RGB32)
                               .convertToFormat(QImage::Format_Indexed8, palette,
                                                Qt::ThresholdDither | Qt::AvoidDither);
    out.append("\x21\xF9\x04", 3);
    out.append(char(0x04)); // keep the frame; no transparency
    Put16(out, delayHundredths);
    out.append(char(0));
    out.append(char(0));
    out.append(char(0x2C));
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, w);
    Put16(out, h);
    out.append(char(0));
    out.append(Compress(indexed));
  }
  out.append(char(0x3B));
  return out;
}
