#include "ui/RegionFitter.h"

#include <QMetaObject>

TRegionFitter::TRegionFitter(QObject* parent) : QObject(parent) {}

TRegionFitter::~TRegionFitter() {
  StopWorker();
}

void TRegionFitter::StopWorker() {
  if (StopFlag) StopFlag->store(true);
  if (Worker.joinable()) Worker.join();
}

void TRegionFitter::Cancel() {
  // The worker is joined by the next Start or by the fitter's end, not here: the window does not
  // wait for the sampling under way.
  if (StopFlag) StopFlag->store(true);
  ++Generation;
  Searching = false;
}

void TRegionFitter::Start(const LISTSTRUCT::TPolinom& pol, float c,
                          const TRANSSTRUCT::TViewRegion& current,
                          const TRANSSTRUCT::TRegionFitLimits& limits) {
  StopWorker();
  const unsigned generation = ++Generation;
  Searching = true;
  auto stop = std::make_shared<std::atomic<bool>>(false);
  StopFlag = stop;
  auto polinom = std::make_shared<LISTSTRUCT::TPolinom>(pol);
  Worker = std::thread([this, polinom, c, current, limits, stop, generation] {
    const TRANSSTRUCT::TRegionFit fit =
        TRANSSTRUCT::FitRegion(*polinom, c, current, limits, [stop] { return !stop->load(); });
    QMetaObject::invokeMethod(
        this,
        [this, fit, generation] {
          if (generation != Generation) return; // a later search replaced this one
          Searching = false;
          emit Finished(fit);
        },
        Qt::QueuedConnection);
  });
}
