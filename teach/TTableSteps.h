#pragma once
// One search, insertion or deletion on a table turned into a list of steps: the table
// reports every comparison, move and bucket computation to an observer, and each report
// becomes a step with its explanation line, the running operation count (which ends at what
// the operation added to the table's Efficiency) and what its picture needs. The keys of the
// table before the operation are kept, and the keys at any step are rebuilt from them, so a
// step looks the same whether it is reached forwards or backwards.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/TPolinom.h"
#include "core/TText.h"
#include "tables/TTableKinds.h"
#include "tables/TTableObserver.h"
#include "teach/TEfficiencyTest.h"

namespace TABLESTRUCT {

class TBasePTab;

// The keys of a table slot by slot: one list per bucket of the hash table, one list for the
// scan and sorted tables. An empty text is an empty slot (the sorted table empties a slot
// while it shifts its records); empty slots at the end of a list are not kept.
using TTableLayout = std::vector<std::vector<std::string>>;

// A step's explanation line is a marked pattern; its arguments are keys and numbers, and the
// phrases set into the first and last lines (the organisation, the outcome) are marked texts
// of their own, translated with the line when it is shown.
struct TTableStep {
  TTableEvent Event;   // what happened in this step
  DSTRUCT::TText Text; // the explanation line
  int Operations = 0;  // the operations counted from the start up to this step
  int Line = 0;        // the line of the recording's algorithm this step carries out
  int Bucket = -1;     // hash table: the key's bucket, once computed
  int Current = -1;    // scan table or chain: the link compared last (the current link)
  int Lo = -1;         // sorted table: the search bounds and the probed slot shown
  int Mid = -1;
  int Hi = -1;
  bool Searching = false; // sorted table: the bounds are those of a running search
};

struct TStepRecording {
  TTableKind Kind = TTableKind::Scan;
  TestOperation Operation = TestOperation::Search;
  std::string Key;
  int TabSize = 1;                // buckets of the hash table; 1 for the other organisations
  TTableLayout Initial;           // the keys before the operation
  std::vector<const char*> Lines; // the organisation's algorithm, one marked text per line
  std::vector<TTableStep> Steps;  // first the Start step, last the Finish step
  int Result = 0;                 // what the operation returned (InsRecord, FindRecord) or its code
  int Code = 0;                   // the table's return code after the operation

  // The keys as they stand after step (0 .. Steps.size() - 1).
  TTableLayout LayoutAt(int step) const;
  // For each bucket the most slots it shows at any step.
  std::vector<int> MostSlots() const;
};

// The keys of a table as they stand, read by its iteration.
TTableLayout ReadLayout(TBasePTab& table);

// Runs the operation with key on table (insertion stores a copy of pol) and returns its
// steps. The table changes exactly as it does without the recording and its counter grows
// by the same amount; its observer is the same afterwards.
TStepRecording RecordOperation(TBasePTab& table, TestOperation operation, const std::string& key,
                               const LISTSTRUCT::TPolinom& pol = LISTSTRUCT::TPolinom());

// The table as it stands, without an operation: one Start step and no key.
TStepRecording RecordLayout(TBasePTab& table);

// The key of the operation on a table of keys: the typed one when the table holds it, else the
// middle one in key order, so that a search finds something (the typed one for no keys).
std::string StepKey(std::vector<std::string> keys, const std::string& typed);
// count different keys "P" followed by a number below 5 x count, drawn from random.
std::vector<std::string> RandomStepKeys(int count, const std::function<unsigned()>& random);

} // namespace TABLESTRUCT
