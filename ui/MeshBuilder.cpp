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

bool TMeshBuilder::Start(const LISTSTRUCT::TPolinom& pol, float c, const TViewRegion& region,
                         int cells) {
  auto polinom = std::make_shared<LISTSTRUCT::TPolinom>(pol);
  TMeshInputs inputs{polinom->GetText(), c, region, cells};
  if (!Building && !MeshInputs.PolText.empty() && inputs == MeshInputs) return false;
  MeshInputs = TMeshInputs();
  StopWorker();
  const unsigned generation = ++Generation;
  Building = true;
  auto cancel = std::make_shared<std::atomic<bool>>(false);
  CancelFlag = cancel;
  Worker = std::thread(
      [this, polinom, c, region, cells, cancel, generation, inputs = std::move(inputs)] {
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
            [this, mesh, completed, generation, inputs] {
              if (generation != Generation) return; // a later build replaced this one
              Mesh = std::move(*mesh);
              if (completed) MeshInputs = inputs;
              Building = false;
              emit Finished(completed);
            },
            Qt::QueuedConnection);
      });
  return true;
}

void TMeshBuilder::Cancel() {
  if (!Building) return;
  StopWorker();
  ++Generation; // whatever the worker posted is no longer wanted
  Mesh.Clear();
  MeshInputs = TMeshInputs();
  Building = false;
  emit Finished(false);
}
