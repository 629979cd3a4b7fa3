#include "ui/MeshBuilder.h"

#include <QMetaObject>

using TRANSSTRUCT::TImplicitMesh;
using TRANSSTRUCT::TViewRegion;

TMeshBuilder::TMeshBuilder(QObject* parent) : QObject(parent) {}

TMeshBuilder::~TMeshBuilder() {
  StopWorker();
}

void TMeshBuilder::StopWorker() {
  if (CancelFlag) CancelFlag->store(true);
  if (Worker.joinable()) Worker.join();
}

void TMeshBuilder::Start(const LISTSTRUCT::TPolinom& pol, float c, const TViewRegion& region,
                         int cells) {
  StopWorker();
  const unsigned generation = ++Generation;
  Building = true;
  auto cancel = std::make_shared<std::atomic<bool>>(false);
  CancelFlag = cancel;
  auto polinom = std::make_shared<LISTSTRUCT::TPolinom>(pol);
  Worker = std::thread([this, polinom, c, region, cells, cancel, generation] {
    auto mesh = std::make_shared<TImplicitMesh>();
    int shownPercent = -1;
    const bool completed = mesh->Build(*polinom, c, region, cells, [&](int done, int total) {
      const int percent = 100 * done / total;
      if (percent != shownPercent) {
        shownPercent = percent;
        QMetaObject::invokeMethod(
            this,
            [this, done, total, generation] {
              if (generation == Generation) emit Progress(done, total);
            },
            Qt::QueuedConnection);
      }
      return !cancel->load();
    });
    QMetaObject::invokeMethod(
        this,
        [this, mesh, completed, generation] {
          if (generation != Generation) return; // a later build replaced this one
          Mesh = std::move(*mesh);
          Building = false;
          emit Finished(completed);
        },
        Qt::QueuedConnection);
  });
}

void TMeshBuilder::Cancel() {
  if (!Building) return;
  StopWorker();
  ++Generation; // whatever the worker posted is no longer wanted
  Mesh.Clear();
  Building = false;
  emit Finished(false);
}
