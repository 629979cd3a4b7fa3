#pragma once
// Watching and stopping a long calculation from another thread. The calculation runs on a
// working thread and polls the control now and then; the thread that started it may ask it to
// stop at any time and learns how far it is through the overridable Progress.
//
// The work is counted in steps (polynomial products): whoever plans the work sets the number
// of steps it needs and marks each one done; a product reports how much of the current step
// it has done every few thousand term products.

#include <atomic>
#include <cstdint>

namespace DSTRUCT {

class TWorkControl {
public:
  TWorkControl() = default;
  virtual ~TWorkControl() = default;
  TWorkControl(const TWorkControl&) = delete;
  TWorkControl& operator=(const TWorkControl&) = delete;

  // Any thread: asks the work to stop at its next poll.
  void Cancel() noexcept { Cancelled.store(true, std::memory_order_relaxed); }
  bool IsCancelled() const noexcept { return Cancelled.load(std::memory_order_relaxed); }

  // The working thread: the plan and the steps done so far.
  void SetTotalSteps(std::int64_t total) {
    TotalSteps = total;
    DoneSteps = 0;
    Progress(0.0, TotalSteps);
  }
  void SetDoneSteps(std::int64_t done) {
    DoneSteps = done < TotalSteps ? done : TotalSteps;
    Progress(static_cast<double>(DoneSteps), TotalSteps);
  }
  std::int64_t GetDoneSteps() const { return DoneSteps; }
  std::int64_t GetTotalSteps() const { return TotalSteps; }
  // Part of the current step done, as term products done of those it needs.
  void ReportStepPart(std::int64_t done, std::int64_t total) {
    const double part = total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 0.0;
    const double steps = static_cast<double>(DoneSteps) + (part < 1.0 ? part : 1.0);
    Progress(steps < static_cast<double>(TotalSteps) ? steps : static_cast<double>(TotalSteps),
             TotalSteps);
  }

  // Term products between two polls of a product.
  static constexpr std::int64_t PollTerms = 4096;

protected:
  // Called on the working thread with the steps done (a fraction for the current step) of the
  // total. An exception thrown here leaves the work as one from the work itself would.
  virtual void Progress(double doneSteps, std::int64_t totalSteps) {
    (void)doneSteps;
    (void)totalSteps;
  }

private:
  std::atomic<bool> Cancelled{false};
  std::int64_t TotalSteps = 0;
  std::int64_t DoneSteps = 0;
};

} // namespace DSTRUCT
