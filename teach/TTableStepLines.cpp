#include "teach/TTableStepLines.h"

#include "core/TText.h"

namespace TABLESTRUCT {

namespace {

using Kind = TTableEventKind;

const char* const ScanLines[] = {
    TERMIX_TEXT("TTableSteps", "Поиск ключа в кольце (с него начинают InsRecord и DelRecord):"),
    TERMIX_TEXT("TTableSteps", "  от первого звена, пока звенья не кончились:"),
    TERMIX_TEXT("TTableSteps", "    ключ звена = key: найден, стоп (это сравнение не считается)"),
    TERMIX_TEXT("TTableSteps", "    иначе Efficiency += 1, переход к следующему звену"),
    TERMIX_TEXT("TTableSteps", "InsRecord: найден — полином записи заменяется;"),
    TERMIX_TEXT("TTableSteps", "  не найден — новое звено в конец кольца (InsLast)"),
    TERMIX_TEXT("TTableSteps", "DelRecord: последняя запись переносится на место найденной,"),
    TERMIX_TEXT("TTableSteps", "  последнее звено удаляется, DataCount -= 1"),
    TERMIX_TEXT("TTableSteps", "Итог: позиция записи или код -104"),
};

const char* const SortedLines[] = {
    TERMIX_TEXT("TTableSteps", "Двоичный поиск (SearchPos): lo := 0, hi := DataCount - 1"),
    TERMIX_TEXT("TTableSteps", "  пока lo <= hi: mid := (lo + hi) / 2, Efficiency += 1"),
    TERMIX_TEXT("TTableSteps", "    ключ[mid] = key: найден (это сравнение тоже считается)"),
    TERMIX_TEXT("TTableSteps", "    key < ключ[mid]: hi := mid - 1, иначе lo := mid + 1"),
    TERMIX_TEXT("TTableSteps", "InsRecord: найден — полином записи заменяется;"),
    TERMIX_TEXT("TTableSteps",
                "  иначе записи от lo сдвигаются вправо (Efficiency += 1 за сдвиг), новая — в lo"),
    TERMIX_TEXT("TTableSteps", "DelRecord: найденная запись освобождается,"),
    TERMIX_TEXT("TTableSteps",
                "  следующие сдвигаются влево (Efficiency += 1 за сдвиг), DataCount -= 1"),
    TERMIX_TEXT("TTableSteps", "Итог: позиция записи или код"),
};

const char* const HashLines[] = {
    TERMIX_TEXT("TTableSteps", "HashFunc(key): сумма кодов символов ключа mod TabSize — корзина h"),
    TERMIX_TEXT("TTableSteps", "  пустая корзина: ключа нет (InsRecord создаёт её цепочку)"),
    TERMIX_TEXT("TTableSteps", "  иначе поиск в цепочке корзины, как в просмотровой таблице:"),
    TERMIX_TEXT("TTableSteps", "    ключ звена = key: найден, стоп (это сравнение не считается)"),
    TERMIX_TEXT("TTableSteps", "    иначе Efficiency += 1, переход к следующему звену"),
    TERMIX_TEXT("TTableSteps",
                "InsRecord: найден — полином заменяется; не найден — звено в конец цепочки"),
    TERMIX_TEXT("TTableSteps",
                "DelRecord: последняя запись цепочки — на место найденной, её звено удаляется;"),
    TERMIX_TEXT("TTableSteps", "  опустевшая цепочка освобождается"),
    TERMIX_TEXT("TTableSteps", "Итог: корзина записи или код -104"),
};

// The scan table's lines, and the hash chain's, which are the scan table's two lines later.
int ChainLine(const TTableEvent& event, int slots, bool hash) {
  const int shift = hash ? 1 : 0;
  switch (event.Kind) {
  case Kind::Bucket:
    return slots == 0 ? 1 : 0;
  case Kind::Compare:
    return (event.Comparison == 0 ? 2 : 3) + shift;
  case Kind::Replace:
  case Kind::Place:
    return hash ? 5 : event.Kind == Kind::Replace ? 4 : 5;
  case Kind::Move:
    return 6;
  case Kind::Remove:
    return hash ? (slots <= 1 ? 7 : 6) : 7;
  case Kind::Finish:
    return 8;
  default:
    return 0;
  }
}

int SortedLine(TestOperation operation, const TTableEvent& event) {
  switch (event.Kind) {
  case Kind::Probe:
    return event.Comparison == 0 ? 2 : 3;
  case Kind::Replace:
    return 4;
  case Kind::Place:
    return 5;
  case Kind::Move:
    return operation == TestOperation::Insertion ? 5 : 7;
  case Kind::Remove:
    return 6;
  case Kind::Finish:
    return 8;
  default:
    return 0;
  }
}

} // namespace

std::vector<const char*> TableStepLines(TTableKind kind) {
  switch (kind) {
  case TTableKind::Sorted:
    return {std::begin(SortedLines), std::end(SortedLines)};
  case TTableKind::Hash:
    return {std::begin(HashLines), std::end(HashLines)};
  default:
    return {std::begin(ScanLines), std::end(ScanLines)};
  }
}

int TableStepLine(TTableKind kind, TestOperation operation, const TTableEvent& event, int slots) {
  if (kind == TTableKind::Sorted) return SortedLine(operation, event);
  return ChainLine(event, slots, kind == TTableKind::Hash);
}

} // namespace TABLESTRUCT
