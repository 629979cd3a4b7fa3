#pragma once
// TMeshBuilder: builds an implicit mesh off the user-interface thread. Start copies the
// polynomial and runs TImplicitMesh::Build on a worker thread; Progress and Finished arrive
// on the thread the builder lives in. A new Start cancels the build still running, whose
// result is then dropped; Cancel stops it and reports Finished(false). A Start with the inputs
// of the mesh that stands builds nothing and returns false.

#include <QObject>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "surface/TImplicitMesh.h"
#include "core/TPolinom.h"

class TMeshBuilder : public QObject {
  Q_OBJECT
public:
  explicit TMeshBuilder(QObject* parent = nullptr);
  ~TMeshBuilder() override;

  bool Start(const LISTSTRUCT::TPolinom& pol, float c, const TRANSSTRUCT::TViewRegion& region,
             int cells);
  void Cancel();
  bool IsBuilding() const { return Building; }
  // The mesh of the last build that completed (empty after a cancelled one).
  const TRANSSTRUCT::TImplicitMesh& GetMesh() const { return Mesh; }

signals:
  void Progress(int done, int total);
  void Finished(bool completed);

private:
  void StopWorker();

  // What the standing mesh was built from; empty text while no completed mesh stands.
  struct TMeshInputs {
    std::string PolText;
    float C = 0.0f;
    TRANSSTRUCT::TViewRegion Region;
    int Cells = 0;
    bool operator==(const TMeshInputs&) const = default;
  };

  TRANSSTRUCT::TImplicitMesh Mesh;
  TMeshInputs MeshInputs;
  std::thread Worker;
  std::shared_ptr<std::atomic<bool>> CancelFlag;
  unsigned Generation = 0; // of the build whose result is wanted
  bool Building = false;
};
