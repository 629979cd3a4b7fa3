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

std::string OperationName(TestOperation operation) {
  switch (operation) {
  case TestOperation::Search:
    return "Поиск";
  case TestOperation::Insertion:
    return "Вставка";
  case TestOperation::Deletion:
    return "Удаление";
  }
  return {};
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

  // " в позиции p" with the chain of the bucket in the hash table.
  std::string Where(int position, int bucket) const {
    std::string text = " в позиции " + Num(position);
    if (Recording.Kind == TTableKind::Hash) text += " цепочки корзины " + Num(bucket);
    return text;
  }

  std::string Explain(const TTableEvent& event, int bucket, TTableStep& step) {
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
      return "Ключ " + Recording.Key + " уже есть" + Where(event.Position, bucket) +
             ": полином записи заменён";
    case Kind::Remove:
      return ExplainRemove(event, bucket, step);
    case Kind::Start:
    case Kind::Finish:
      break;
    }
    return {};
  }

  // The key's code sum and the bucket it gives.
  std::string ExplainBucket(const TTableEvent& event) const {
    const std::string& key = Recording.Key;
    std::string text = "Сумма кодов символов ключа " + key + ": ";
    if (key.size() <= 6 && key.size() > 1) {
      for (std::size_t i = 0; i < key.size(); ++i)
        text += (i ? " + " : "") + Num(static_cast<unsigned char>(key[i]));
      text += " = ";
    }
    text += Num(static_cast<long long>(event.CodeSum)) + "; " +
            Num(static_cast<long long>(event.CodeSum)) + " mod " + Num(Recording.TabSize) + " = " +
            Num(event.Target) + ": корзина " + Num(event.Target);
    if (SlotCount(event.Target) == 0) text += " (пуста)";
    return text;
  }

  // A comparison along the ring or a bucket's chain.
  std::string ExplainCompare(const TTableEvent& event, int bucket, TTableStep& step) const {
    step.Current = event.Position;
    std::string text = "Сравнение ключа " + Recording.Key + " с ключом " + event.Key +
                       Where(event.Position, bucket) + ": ";
    // The counter takes the comparisons without a match only.
    if (event.Comparison == 0)
      return text + "ключи совпали; это сравнение не считается, операций: " + Num(step.Operations);
    text += "не совпадают, операций: " + Num(step.Operations) + "; ";
    return text + (event.Position + 1 < SlotCount(bucket)
                       ? "переход к звену " + Num(event.Position + 1)
                       : "звеньев больше нет");
  }

  // A probe of the binary search, which narrows its bounds.
  std::string ExplainProbe(const TTableEvent& event, TTableStep& step) {
    step.Lo = event.Lo;
    step.Mid = event.Position;
    step.Hi = event.Hi;
    step.Searching = true;
    NextLo = event.Lo;
    NextHi = event.Hi;
    std::string text = "Сравнение ключа " + Recording.Key + " с ключом " + event.Key +
                       " в позиции " + Num(event.Position) + ": ";
    // The counter takes every probe, the one that finds the key too.
    const std::string counted = "; операций: " + Num(step.Operations);
    if (event.Comparison == 0) {
      NextLo = NextHi = event.Position;
      return text + "ключи совпали; сравнение считается и здесь" + counted;
    }
    if (event.Comparison < 0) {
      NextHi = event.Position - 1;
      return text + "искомый меньше, hi = " + Num(NextHi) + counted;
    }
    NextLo = event.Position + 1;
    return text + "искомый больше, lo = " + Num(NextLo) + counted;
  }

  // A record shifted in the array, or the last link moved into the place of a deleted one.
  std::string ExplainMove(const TTableEvent& event, int bucket, TTableStep& step) const {
    step.Searching = false;
    step.Mid = -1;
    if (Recording.Kind == TTableKind::Sorted) {
      const std::string counted = "; операций: " + Num(step.Operations);
      if (event.Key.empty())
        return "Пустая ячейка " + Num(event.Position) + " сдвигается в позицию " +
               Num(event.Target) + counted;
      return "Запись " + event.Key + " сдвигается из позиции " + Num(event.Position) +
             " в позицию " + Num(event.Target) + counted;
    }
    step.Current = event.Target;
    return "Последняя запись " + event.Key + Where(event.Position, bucket) +
           " переносится на место удаляемой, в позицию " + Num(event.Target);
  }

  // A new record put in its place.
  std::string ExplainPlace(const TTableEvent& event, int bucket, TTableStep& step) const {
    const std::string& key = Recording.Key;
    step.Searching = false;
    step.Mid = -1;
    step.Current = event.Position;
    if (Recording.Kind == TTableKind::Sorted)
      return "Новая запись " + key + " ставится в позицию " + Num(event.Position);
    if (Recording.Kind == TTableKind::Hash && SlotCount(bucket) == 0)
      return "Корзина " + Num(bucket) + " была пуста: для неё создана цепочка, запись " + key +
             " в позиции 0";
    return "Новая запись " + key + " добавляется в конец" +
           (Recording.Kind == TTableKind::Hash ? " цепочки корзины " + Num(bucket) : " кольца") +
           ", позиция " + Num(event.Position);
  }

  // A record released: the array closes up, or the last link goes.
  std::string ExplainRemove(const TTableEvent& event, int bucket, TTableStep& step) const {
    step.Searching = false;
    step.Mid = -1;
    step.Current = -1;
    if (Recording.Kind == TTableKind::Sorted)
      return "Запись " + event.Key + " в позиции " + Num(event.Position) +
             " освобождена; следующие записи сдвигаются на её место";
    std::string text = "Последнее звено" + Where(event.Position, bucket) + " удалено";
    if (Recording.Kind == TTableKind::Hash && SlotCount(bucket) == 1)
      text += "; цепочка корзины " + Num(bucket) + " опустела и освобождена";
    return text;
  }
};

std::string StartText(const TStepRecording& recording, int records) {
  return OperationName(recording.Operation) + " ключа " + recording.Key + " " +
         TableKindInfo(recording.Kind).InName + " (записей: " + Num(records) + ")";
}

std::string FinishText(const TStepRecording& recording, const TTableStep& last) {
  const bool hash = recording.Kind == TTableKind::Hash;
  auto place = [&](int position) {
    if (hash) return " в корзине " + Num(position) + ", позиция " + Num(last.Current) + " цепочки";
    return " в позиции " + Num(position);
  };
  std::string text;
  const std::string& key = recording.Key;
  switch (recording.Operation) {
  case TestOperation::Search:
    if (recording.Result >= 0) {
      text = "Ключ " + key + " найден" + place(recording.Result);
    } else {
      text = "Ключа " + key + " нет в таблице";
      if (recording.Kind == TTableKind::Sorted && last.Searching)
        text += ": lo = " + Num(last.Lo) + " больше hi = " + Num(last.Hi);
    }
    break;
  case TestOperation::Insertion:
    if (recording.Result == TabNoMem)
      text = "Таблица заполнена: запись " + key + " не вставлена";
    else if (recording.Result < 0)
      text = "Запись " + key + " не вставлена";
    else if (last.Event.Kind == Kind::Replace)
      text = "Полином записи " + key + place(recording.Result) + " заменён";
    else
      text = "Запись " + key + " вставлена" + place(recording.Result);
    break;
  case TestOperation::Deletion:
    if (recording.Code == TabEmpty)
      text = "Таблица пуста: удалять нечего";
    else if (recording.Code == TabNoRec)
      text = "Ключа " + key + " нет в таблице: удалять нечего";
    else
      text = "Запись " + key + " удалена";
    break;
  }
  // What the counter takes differs between the organisations, so the count says it.
  text += ". Операций: " + Num(last.Operations);
  if (recording.Kind == TTableKind::Sorted)
    return text + " (считаются все сравнения и сдвиги записей)";
  return text + " (считаются сравнения без совпадения)";
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
  start.Text = std::string(TableKindInfo(recording.Kind).Name) +
               " (записей: " + Num(table.GetDataCount()) + ")";
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
