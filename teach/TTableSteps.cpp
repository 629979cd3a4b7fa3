#include "teach/TTableSteps.h"

#include <algorithm>
#include <unordered_set>

#include "tables/TBasePTab.h"
#include "teach/TTableStepLines.h"

namespace TABLESTRUCT {

namespace {

using Kind = TTableEventKind;

std::string Num(long long value) {
  return std::to_string(value);
}

// Puts key into slot of slots (growing the list) and drops the empty slots at the end.
void SetSlot(std::vector<std::string>& slots, int slot, const std::string& key) {
  if (slot < 0) return;
  if (slot >= static_cast<int>(slots.size())) {
    if (key.empty()) return;
    slots.resize(slot + 1);
  }
  slots[slot] = key;
  while (!slots.empty() && slots.back().empty())
    slots.pop_back();
}

// The change an event makes to the keys of its bucket.
void ApplyEvent(TTableLayout& layout, int bucket, const TTableEvent& event) {
  if (bucket < 0 || bucket >= static_cast<int>(layout.size())) return;
  std::vector<std::string>& slots = layout[bucket];
  switch (event.Kind) {
  case Kind::Move: {
    const std::string moved = event.Position >= 0 && event.Position < static_cast<int>(slots.size())
                                  ? slots[event.Position]
                                  : std::string();
    SetSlot(slots, event.Target, moved);
    break;
  }
  case Kind::Place:
    SetSlot(slots, event.Position, event.Key);
    break;
  case Kind::Remove:
    SetSlot(slots, event.Position, std::string());
    break;
  default:
    break;
  }
}

using DSTRUCT::TText;

constexpr const char* Context = "TTableSteps";

// A name of the organisation, a marked text of its own.
TText KindText(const char* name) {
  return {"TableKinds", name, {}};
}

const char* StartPattern(TestOperation operation) {
  switch (operation) {
  case TestOperation::Search:
    return TERMIX_TEXT("TTableSteps", "Поиск ключа %1 %3 (записей: %2)");
  case TestOperation::Insertion:
    return TERMIX_TEXT("TTableSteps", "Вставка ключа %1 %3 (записей: %2)");
  case TestOperation::Deletion:
    break;
  }
  return TERMIX_TEXT("TTableSteps", "Удаление ключа %1 %3 (записей: %2)");
}

// The observer that turns the table's reports into steps.
class TStepRecorder : public TTableObserver {
public:
  explicit TStepRecorder(TStepRecording& recording)
      : Recording(recording), Layout(recording.Initial) {}

  void Notice(const TTableEvent& event) override {
    TTableStep step = Recording.Steps.back();
    step.Event = event;
    Operations += event.Cost;
    step.Operations = Operations;
    const int bucket = Recording.Kind == TTableKind::Hash ? BucketOf(event, step) : 0;
    step.Text = Explain(event, bucket, step);
    step.Line = TableStepLine(Recording.Kind, Recording.Operation, event, SlotCount(bucket));
    ApplyEvent(Layout, bucket, event);
    Recording.Steps.push_back(std::move(step));
  }

  int GetOperations() const { return Operations; }
  int GetNextLo() const { return NextLo; }
  int GetNextHi() const { return NextHi; }

private:
  TStepRecording& Recording;
  TTableLayout Layout; // the keys as they stand before the next event
  int Operations = 0;
  int NextLo = -1; // the sorted table's bounds after the last probe
  int NextHi = -1;

  static int BucketOf(const TTableEvent& event, TTableStep& step) {
    if (event.Kind == Kind::Bucket) step.Bucket = event.Target;
    return step.Bucket;
  }

  int SlotCount(int bucket) const {
    return bucket >= 0 && bucket < static_cast<int>(Layout.size())
               ? static_cast<int>(Layout[bucket].size())
               : 0;
  }

  // A text about a position: in the hash table the position lies in a bucket's chain, and the
  // bucket is the last argument (which the other organisations' pattern leaves out).
  TText AtPosition(const char* inChain, const char* inRing, std::vector<std::string> args,
                   int bucket) const {
    args.push_back(Num(bucket));
    return {Context, Recording.Kind == TTableKind::Hash ? inChain : inRing, std::move(args)};
  }

  TText Explain(const TTableEvent& event, int bucket, TTableStep& step) {
    switch (event.Kind) {
    case Kind::Bucket:
      return ExplainBucket(event);
    case Kind::Compare:
      return ExplainCompare(event, bucket, step);
    case Kind::Probe:
      return ExplainProbe(event, step);
    case Kind::Move:
      return ExplainMove(event, bucket, step);
    case Kind::Place:
      return ExplainPlace(event, bucket, step);
    case Kind::Replace:
      step.Searching = false;
      step.Current = event.Position;
      return AtPosition(
          TERMIX_TEXT("TTableSteps", "Ключ %1 уже есть в позиции %2 цепочки корзины "
                                     "%3: полином записи заменён"),
          TERMIX_TEXT("TTableSteps", "Ключ %1 уже есть в позиции %2: полином записи заменён"),
          {Recording.Key, Num(event.Position)}, bucket);
    case Kind::Remove:
      return ExplainRemove(event, bucket, step);
    case Kind::Start:
    case Kind::Finish:
      break;
    }
    return {};
  }

  // The key's code sum and the bucket it gives.
  TText ExplainBucket(const TTableEvent& event) const {
    const std::string& key = Recording.Key;
    const std::string sum = Num(static_cast<long long>(event.CodeSum));
    std::string codes; // the codes added up, for a short key
    if (key.size() <= 6 && key.size() > 1) {
      for (std::size_t i = 0; i < key.size(); ++i)
        codes += (i ? " + " : "") + Num(static_cast<unsigned char>(key[i]));
      codes += " = ";
    }
    return {Context,
            SlotCount(event.Target) == 0
                ? TERMIX_TEXT("TTableSteps",
                              "Сумма кодов символов ключа %1: %2; %3 mod %4 = %5: корзина %5 "
                              "(пуста)")
                : TERMIX_TEXT("TTableSteps",
                              "Сумма кодов символов ключа %1: %2; %3 mod %4 = %5: корзина %5"),
            {key, codes + sum, sum, Num(Recording.TabSize), Num(event.Target)}};
  }

  // A comparison along the ring or a bucket's chain.
  TText ExplainCompare(const TTableEvent& event, int bucket, TTableStep& step) const {
    step.Current = event.Position;
    std::vector<std::string> args{Recording.Key, event.Key, Num(event.Position),
                                  Num(step.Operations)};
    // The counter takes the comparisons without a match only.
    if (event.Comparison == 0)
      return AtPosition(
          TERMIX_TEXT("TTableSteps", "Сравнение ключа %1 с ключом %2 в позиции %3 цепочки корзины "
                                     "%5: ключи совпали; это сравнение не считается, операций: %4"),
          TERMIX_TEXT("TTableSteps", "Сравнение ключа %1 с ключом %2 в позиции %3: ключи "
                                     "совпали; это сравнение не считается, операций: %4"),
          std::move(args), bucket);
    if (event.Position + 1 >= SlotCount(bucket))
      return AtPosition(
          TERMIX_TEXT("TTableSteps", "Сравнение ключа %1 с ключом %2 в позиции %3 цепочки корзины "
                                     "%5: не совпадают, операций: %4; звеньев больше нет"),
          TERMIX_TEXT("TTableSteps", "Сравнение ключа %1 с ключом %2 в позиции %3: не "
                                     "совпадают, операций: %4; звеньев больше нет"),
          std::move(args), bucket);
    args.push_back(Num(event.Position + 1));
    return AtPosition(
        TERMIX_TEXT("TTableSteps", "Сравнение ключа %1 с ключом %2 в позиции %3 цепочки корзины "
                                   "%6: не совпадают, операций: %4; переход к звену %5"),
        TERMIX_TEXT("TTableSteps", "Сравнение ключа %1 с ключом %2 в позиции %3: не совпадают, "
                                   "операций: %4; переход к звену %5"),
        std::move(args), bucket);
  }

  // A probe of the binary search, which narrows its bounds.
  TText ExplainProbe(const TTableEvent& event, TTableStep& step) {
    step.Lo = event.Lo;
    step.Mid = event.Position;
    step.Hi = event.Hi;
    step.Searching = true;
    NextLo = event.Lo;
    NextHi = event.Hi;
    std::vector<std::string> args{Recording.Key, event.Key, Num(event.Position),
                                  Num(step.Operations)};
    // The counter takes every probe, the one that finds the key too.
    if (event.Comparison == 0) {
      NextLo = NextHi = event.Position;
      return {Context,
              TERMIX_TEXT("TTableSteps", "Сравнение ключа %1 с ключом %2 в позиции %3: ключи "
                                         "совпали; сравнение считается и здесь; операций: %4"),
              std::move(args)};
    }
    if (event.Comparison < 0) {
      NextHi = event.Position - 1;
      args.push_back(Num(NextHi));
      return {Context,
              TERMIX_TEXT("TTableSteps", "Сравнение ключа %1 с ключом %2 в позиции %3: искомый "
                                         "меньше, hi = %5; операций: %4"),
              std::move(args)};
    }
    NextLo = event.Position + 1;
    args.push_back(Num(NextLo));
    return {Context,
            TERMIX_TEXT("TTableSteps", "Сравнение ключа %1 с ключом %2 в позиции %3: искомый "
                                       "больше, lo = %5; операций: %4"),
            std::move(args)};
  }

  // A record shifted in the array, or the last link moved into the place of a deleted one.
  TText ExplainMove(const TTableEvent& event, int bucket, TTableStep& step) const {
    step.Searching = false;
    step.Mid = -1;
    if (Recording.Kind == TTableKind::Sorted) {
      if (event.Key.empty())
        return {
            Context,
            TERMIX_TEXT("TTableSteps", "Пустая ячейка %1 сдвигается в позицию %2; операций: %3"),
            {Num(event.Position), Num(event.Target), Num(step.Operations)}};
      return {Context,
              TERMIX_TEXT("TTableSteps",
                          "Запись %1 сдвигается из позиции %2 в позицию %3; операций: %4"),
              {event.Key, Num(event.Position), Num(event.Target), Num(step.Operations)}};
    }
    step.Current = event.Target;
    return AtPosition(TERMIX_TEXT("TTableSteps", "Последняя запись %1 в позиции %2 цепочки корзины "
                                                 "%4 переносится на место удаляемой, в позицию %3"),
                      TERMIX_TEXT("TTableSteps", "Последняя запись %1 в позиции %2 переносится на "
                                                 "место удаляемой, в позицию %3"),
                      {event.Key, Num(event.Position), Num(event.Target)}, bucket);
  }

  // A new record put in its place.
  TText ExplainPlace(const TTableEvent& event, int bucket, TTableStep& step) const {
    const std::string& key = Recording.Key;
    step.Searching = false;
    step.Mid = -1;
    step.Current = event.Position;
    if (Recording.Kind == TTableKind::Sorted)
      return {Context,
              TERMIX_TEXT("TTableSteps", "Новая запись %1 ставится в позицию %2"),
              {key, Num(event.Position)}};
    if (Recording.Kind == TTableKind::Hash && SlotCount(bucket) == 0)
      return {Context,
              TERMIX_TEXT("TTableSteps", "Корзина %2 была пуста: для неё создана цепочка, "
                                         "запись %1 в позиции %3"),
              {key, Num(bucket), Num(event.Position)}};
    return AtPosition(
        TERMIX_TEXT("TTableSteps", "Новая запись %1 добавляется в конец цепочки "
                                   "корзины %3, позиция %2"),
        TERMIX_TEXT("TTableSteps", "Новая запись %1 добавляется в конец кольца, позиция %2"),
        {key, Num(event.Position)}, bucket);
  }

  // A record released: the array closes up, or the last link goes.
  TText ExplainRemove(const TTableEvent& event, int bucket, TTableStep& step) const {
    step.Searching = false;
    step.Mid = -1;
    step.Current = -1;
    if (Recording.Kind == TTableKind::Sorted)
      return {Context,
              TERMIX_TEXT("TTableSteps", "Запись %1 в позиции %2 освобождена; следующие записи "
                                         "сдвигаются на её место"),
              {event.Key, Num(event.Position)}};
    if (Recording.Kind == TTableKind::Hash && SlotCount(bucket) == 1)
      return {Context,
              TERMIX_TEXT("TTableSteps", "Последнее звено в позиции %1 цепочки корзины %2 "
                                         "удалено; цепочка корзины %2 опустела и освобождена"),
              {Num(event.Position), Num(bucket)}};
    return AtPosition(
        TERMIX_TEXT("TTableSteps", "Последнее звено в позиции %1 цепочки корзины %2 удалено"),
        TERMIX_TEXT("TTableSteps", "Последнее звено в позиции %1 удалено"), {Num(event.Position)},
        bucket);
  }
};

TText StartText(const TStepRecording& recording, int records) {
  return {Context,
          StartPattern(recording.Operation),
          {recording.Key, Num(records)},
          {KindText(TableKindInfo(recording.Kind).InName)}};
}

// What the operation came to, told on its last step (the recording's steps end with the one
// before it). Its arguments: the key, then the record's position (the bucket and the position
// in its chain in the hash table).
TText OutcomeText(const TStepRecording& recording, const TTableStep& last) {
  const bool hash = recording.Kind == TTableKind::Hash;
  auto placed = [&](const char* inBucket, const char* atPosition) {
    return TText{Context,
                 hash ? inBucket : atPosition,
                 {recording.Key, Num(recording.Result), Num(last.Current)}};
  };
  auto about = [&](const char* pattern) { return TText{Context, pattern, {recording.Key}}; };
  switch (recording.Operation) {
  case TestOperation::Search:
    if (recording.Result >= 0)
      return placed(TERMIX_TEXT("TTableSteps", "Ключ %1 найден в корзине %2, позиция %3 цепочки"),
                    TERMIX_TEXT("TTableSteps", "Ключ %1 найден в позиции %2"));
    if (recording.Kind == TTableKind::Sorted && last.Searching)
      return {Context,
              TERMIX_TEXT("TTableSteps", "Ключа %1 нет в таблице: lo = %2 больше hi = %3"),
              {recording.Key, Num(last.Lo), Num(last.Hi)}};
    return about(TERMIX_TEXT("TTableSteps", "Ключа %1 нет в таблице"));
  case TestOperation::Insertion:
    if (recording.Result == TabNoMem)
      return about(TERMIX_TEXT("TTableSteps", "Таблица заполнена: запись %1 не вставлена"));
    if (recording.Result < 0) return about(TERMIX_TEXT("TTableSteps", "Запись %1 не вставлена"));
    if (!recording.Steps.empty() && recording.Steps.back().Event.Kind == Kind::Replace)
      return placed(
          TERMIX_TEXT("TTableSteps", "Полином записи %1 в корзине %2, позиция %3 цепочки заменён"),
          TERMIX_TEXT("TTableSteps", "Полином записи %1 в позиции %2 заменён"));
    return placed(
        TERMIX_TEXT("TTableSteps", "Запись %1 вставлена в корзине %2, позиция %3 цепочки"),
        TERMIX_TEXT("TTableSteps", "Запись %1 вставлена в позиции %2"));
  case TestOperation::Deletion:
    break;
  }
  if (recording.Code == TabEmpty)
    return about(TERMIX_TEXT("TTableSteps", "Таблица пуста: удалять нечего"));
  if (recording.Code == TabNoRec)
    return about(TERMIX_TEXT("TTableSteps", "Ключа %1 нет в таблице: удалять нечего"));
  return about(TERMIX_TEXT("TTableSteps", "Запись %1 удалена"));
}

// The outcome as it is shown, then the count: what the counter takes differs between the
// organisations, so the count says it.
TText FinishText(const TStepRecording& recording, const TTableStep& last) {
  return {Context,
          recording.Kind == TTableKind::Sorted
              ? TERMIX_TEXT("TTableSteps",
                            "%2. Операций: %1 (считаются все сравнения и сдвиги записей)")
              : TERMIX_TEXT("TTableSteps", "%2. Операций: %1 (считаются сравнения без совпадения)"),
          {Num(last.Operations)},
          {OutcomeText(recording, last)}};
}

} // namespace

TTableLayout TStepRecording::LayoutAt(int step) const {
  TTableLayout layout = Initial;
  const int last = std::min(step, static_cast<int>(Steps.size()) - 1);
  for (int i = 0; i <= last; ++i)
    ApplyEvent(layout, Kind == TTableKind::Hash ? Steps[i].Bucket : 0, Steps[i].Event);
  return layout;
}

std::vector<int> TStepRecording::MostSlots() const {
  TTableLayout layout = Initial;
  std::vector<int> most(layout.size(), 0);
  auto note = [&] {
    for (std::size_t b = 0; b < layout.size(); ++b)
      most[b] = std::max(most[b], static_cast<int>(layout[b].size()));
  };
  note();
  for (const TTableStep& step : Steps) {
    ApplyEvent(layout, Kind == TTableKind::Hash ? step.Bucket : 0, step.Event);
    note();
  }
  return most;
}

TTableLayout ReadLayout(TBasePTab& table) {
  const bool buckets = TableKindInfo(KindOf(table)).HasBuckets;
  TTableLayout layout(BucketCount(table));
  for (table.Reset(); !table.IsTabEnded(); table.GoNext())
    layout[buckets ? table.GetCurrPos() : 0].push_back(table.GetKey(-1));
  table.GetRetCode(); // the hash table's iteration ends with a code
  return layout;
}

TStepRecording RecordOperation(TBasePTab& table, TestOperation operation, const std::string& key,
                               const LISTSTRUCT::TPolinom& pol) {
  TStepRecording recording = RecordLayout(table);
  recording.Operation = operation;
  recording.Key = key;
  recording.Steps[0].Text = StartText(recording, table.GetDataCount());

  TStepRecorder recorder(recording);
  TTableObserver* saved = table.GetObserver();
  table.SetObserver(&recorder);
  LISTSTRUCT::TPolinom out;
  switch (operation) {
  case TestOperation::Search:
    recording.Result = table.FindRecord(key, out);
    break;
  case TestOperation::Insertion:
    recording.Result = table.InsRecord(key, pol);
    break;
  case TestOperation::Deletion:
    table.DelRecord(key);
    break;
  }
  table.SetObserver(saved);
  recording.Code = table.GetRetCode();
  if (operation == TestOperation::Deletion) recording.Result = recording.Code;

  TTableStep finish = recording.Steps.back();
  finish.Event = TTableEvent();
  finish.Event.Kind = Kind::Finish;
  if (recording.Kind == TTableKind::Sorted && recording.Steps.back().Event.Kind == Kind::Probe) {
    // The search ended: show where its bounds came to rest.
    finish.Lo = recorder.GetNextLo();
    finish.Hi = recorder.GetNextHi();
    finish.Mid = recording.Result >= 0 && operation == TestOperation::Search ? finish.Lo : -1;
    finish.Searching = true;
    if (finish.Mid >= 0) finish.Current = finish.Mid;
  }
  finish.Text = FinishText(recording, finish);
  finish.Line = TableStepLine(recording.Kind, operation, finish.Event, 0);
  recording.Steps.push_back(std::move(finish));
  return recording;
}

TStepRecording RecordLayout(TBasePTab& table) {
  TStepRecording recording;
  recording.Kind = KindOf(table);
  recording.TabSize = BucketCount(table);
  recording.Initial = ReadLayout(table);
  recording.Lines = TableStepLines(recording.Kind);
  TTableStep start;
  start.Event.Kind = Kind::Start;
  start.Text = {Context,
                TERMIX_TEXT("TTableSteps", "%2 (записей: %1)"),
                {Num(table.GetDataCount())},
                {KindText(TableKindInfo(recording.Kind).Name)}};
  recording.Steps.push_back(std::move(start));
  return recording;
}

std::string StepKey(std::vector<std::string> keys, const std::string& typed) {
  if (keys.empty() || std::find(keys.begin(), keys.end(), typed) != keys.end()) return typed;
  std::sort(keys.begin(), keys.end());
  return keys[keys.size() / 2];
}

std::vector<std::string> RandomStepKeys(int count, const std::function<unsigned()>& random) {
  std::vector<std::string> keys;
  if (count <= 0) return keys;
  const unsigned range = 5u * static_cast<unsigned>(count);
  std::unordered_set<std::string> drawn;
  while (static_cast<int>(keys.size()) < count) {
    std::string key = "P" + Num(random() % range);
    if (drawn.insert(key).second) keys.push_back(std::move(key));
  }
  return keys;
}

} // namespace TABLESTRUCT
