#pragma once
// TRegionFitter: finds the region that frames a surface F(x, y, z) = c (TRegionFit) off the
// user-interface thread. Finished arrives on the thread the fitter lives in; a new Start or the
// fitter's end stops a search still running, whose result is then dropped.

#include <QObject>

#include <atomic>
#include <memory>
#include <thread>

#include "core/TPolinom.h"
#include "surface/TRegionFit.h"

class TRegionFitter : public QObject {
  Q_OBJECT
public:
  explicit TRegionFitter(QObject* parent = nullptr);
  ~TRegionFitter() override;

  void Start(const LISTSTRUCT::TPolinom& pol, float c, const TRANSSTRUCT::TViewRegion& current,
             const TRANSSTRUCT::TRegionFitLimits& limits);
  bool IsSearching() const { return Searching; }
  // Stops the search at its next sampling and drops its result; Finished does not arrive.
  void Cancel();

signals:
  void Finished(const TRANSSTRUCT::TRegionFit& fit);

private:
  void StopWorker();

  std::thread Worker;
  std::shared_ptr<std::atomic<bool>> StopFlag;
  unsigned Generation = 0; // of the search whose result is wanted
  bool Searching = false;
};
