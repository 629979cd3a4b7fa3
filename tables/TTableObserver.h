#pragma once
// What a table tells an observer while it searches, inserts or deletes: each key comparison,
// each record moved, the bucket computed for a key, each record placed or removed. A table
// has no observer unless one is set; then it only tests a pointer. The events carry what the
// step-by-step pictures need, and each says how much it adds to the table's Efficiency.

#include <string>

namespace TABLESTRUCT {

enum class TTableEventKind {
  Start,   // the step recorder's own first step: the table before the operation
  Compare, // scan table or bucket chain: the record at Position compared with the key
  Probe,   // sorted table: Recs[Position] (mid) compared with the key, bounds Lo and Hi
  Move,    // the record (or empty slot) of Position goes to Target
  Place,   // a new record with Key is put at Position
  Replace, // the record at Position, which has the key, gets the new polynomial
  Remove,  // the record with Key at Position is released; its slot becomes empty
  Bucket,  // hash table: Key's code sum CodeSum gives bucket Target
  Finish,  // the step recorder's own last step: the outcome
};

struct TTableEvent {
  TTableEventKind Kind = TTableEventKind::Start;
  int Position = -1; // record or slot index (in the bucket's chain in the hash table)
  int Target = -1;   // Move: the slot the record goes to; Bucket: the bucket index
  int Lo = -1;       // Probe: the search bounds before the probe
  int Hi = -1;
  // Compare and Probe: 0 when the keys are equal; otherwise the sign of the searched key
  // against the record's key (a scan only tells equal from unequal and gives 1).
  int Comparison = 0;
  int Cost = 0;                   // what the event adds to the table's Efficiency
  unsigned long long CodeSum = 0; // Bucket: the sum of the key's byte codes
  std::string Key;                // the record's key (Compare, Probe, Move, Place, Replace, Remove)
};

// An event of the kind at position about the record with key; the other fields at their start.
inline TTableEvent TableEvent(TTableEventKind kind, int position, const std::string& key) {
  TTableEvent event;
  event.Kind = kind;
  event.Position = position;
  event.Key = key;
  return event;
}

class TTableObserver {
public:
  virtual ~TTableObserver() = default;
  virtual void Notice(const TTableEvent& event) = 0;
};

} // namespace TABLESTRUCT
