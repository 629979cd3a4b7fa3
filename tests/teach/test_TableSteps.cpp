// The steps of a table operation: what the observer sees (probes with their bounds, the
// bucket and every chain comparison), that the counted steps add up to the table's counter,
// that an observed table ends exactly as an unobserved one, that replaying the steps rebuilds
// the table, the explanation lines and their translatable patterns, and the pictures of the steps.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "CallCanvas.h"
#include "TableTestUtil.h"
#include "core/TCanvas.h"
#include "core/TText.h"
#include "tables/TPolHashTab.h"
#include "tables/TPolSortTab.h"
#include "teach/TTableStepPicture.h"
#include "teach/TTableSteps.h"

using namespace TABLESTRUCT;
using tabletest::Pol;

namespace {

using Kind = TTableEventKind;

std::vector<TTableEvent> EventsOf(const TStepRecording& recording, Kind kind) {
  std::vector<TTableEvent> events;
  for (const TTableStep& step : recording.Steps)
    if (step.Event.Kind == kind) events.push_back(step.Event);
  return events;
}

// Records the operation and checks that its last step counts what the table's counter grew.
TStepRecording Recorded(TBasePTab& table, TestOperation operation, const std::string& key) {
  const int before = table.GetEfficiency();
  TStepRecording recording = RecordOperation(table, operation, key, Pol("x"));
  EXPECT_EQ(recording.Steps.back().Operations, table.GetEfficiency() - before) << key;
  int sum = 0;
  for (const TTableStep& step : recording.Steps) {
    sum += step.Event.Cost;
    EXPECT_EQ(step.Operations, sum);
  }
  return recording;
}

// Everything a table holds that a user can see: keys with their polynomials in iteration
// order with positions, the record count and the counter.
std::string Contents(TBasePTab& table) {
  std::ostringstream text;
  for (int pos = table.Reset(); !table.IsTabEnded(); pos = table.GoNext())
    text << pos << "." << table.GetChainPos() << " " << table.GetKey(-1) << "="
         << table.GetPolinom(-1)->GetText() << "; ";
  table.GetRetCode();
  text << "count " << table.GetDataCount() << " ops " << table.GetEfficiency();
  return text.str();
}

// An observer that only adds up what the events cost.
struct CostSum : TTableObserver {
  int Sum = 0;
  void Notice(const TTableEvent& event) override { Sum += event.Cost; }
};

// Whether the algorithm line a step points at is the one that does what the step did.
bool LineTellsStep(const TStepRecording& recording, const TTableStep& step) {
  if (step.Line < 0 || step.Line >= static_cast<int>(recording.Lines.size())) return false;
  const std::string line = recording.Lines[static_cast<std::size_t>(step.Line)];
  const bool sorted = recording.Kind == TTableKind::Sorted;
  auto says = [&line](const char* word) { return line.find(word) != std::string::npos; };
  switch (step.Event.Kind) {
  case Kind::Compare:
  case Kind::Probe:
    if (step.Event.Comparison == 0) return says("найден");
    return says(sorted ? "mid - 1" : "Efficiency += 1");
  case Kind::Move:
    if (!sorted) return says("на место");
    return says(recording.Operation == TestOperation::Insertion ? "вправо" : "влево");
  case Kind::Place:
    return says(sorted ? "новая — в lo" : "в конец");
  case Kind::Replace:
    return says("заменяется");
  case Kind::Remove:
    return says("удаляется") || says("освобожда");
  case Kind::Bucket:
    return says("корзин");
  case Kind::Finish:
    return says("Итог");
  case Kind::Start:
    return step.Line == 0;
  }
  return false;
}

} // namespace

TEST(TableSteps, SortedSearchOfThousandKeysShowsAtMostTenProbesWithTheirBounds) {
  TPolSortTab table("");
  std::mt19937 random(7);
  std::vector<std::string> keys;
  for (int i = 0; i < 1000; ++i) {
    keys.push_back("K" + std::to_string(100000 + i * 7));
    table.InsRecord(keys.back(), Pol("1"));
  }
  keys.push_back("A");  // before every key
  keys.push_back("Z");  // after every key
  keys.push_back("K1"); // between two keys
  for (const std::string& key : keys) {
    const TStepRecording recording = Recorded(table, TestOperation::Search, key);
    const auto probes = EventsOf(recording, Kind::Probe);
    ASSERT_FALSE(probes.empty());
    EXPECT_LE(probes.size(), 10u) << key;
    int lo = 0, hi = 999;
    for (const TTableEvent& probe : probes) {
      EXPECT_EQ(probe.Lo, lo);
      EXPECT_EQ(probe.Hi, hi);
      EXPECT_EQ(probe.Position, (lo + hi) / 2);
      EXPECT_EQ(probe.Key, table.GetKey(probe.Position));
      EXPECT_EQ(probe.Comparison, (key > probe.Key) - (key < probe.Key));
      if (probe.Comparison < 0) hi = probe.Position - 1;
      if (probe.Comparison > 0) lo = probe.Position + 1;
    }
    const bool present = key[0] == 'K' && key != "K1";
    EXPECT_EQ(recording.Result >= 0, present) << key;
    EXPECT_EQ(probes.back().Comparison == 0, present);
    // The last step shows where the bounds ended.
    const TTableStep& finish = recording.Steps.back();
    EXPECT_TRUE(finish.Searching);
    if (!present) {
      EXPECT_EQ(finish.Lo, lo);
      EXPECT_EQ(finish.Hi, hi);
      EXPECT_GT(finish.Lo, finish.Hi);
    }
  }
}

TEST(TableSteps, HashObserverSeesTheBucketAndEveryChainComparison) {
  TPolHashTab table(3, "");
  std::vector<std::string> keys;
  for (int i = 0; i < 30; ++i) {
    keys.push_back("Q" + std::to_string(i));
    table.InsRecord(keys.back(), Pol("y"));
  }
  const TTableLayout layout = ReadLayout(table);
  keys.push_back("Q99"); // absent, in a full bucket
  for (const std::string& key : keys) {
    const TStepRecording recording = Recorded(table, TestOperation::Search, key);
    ASSERT_GE(recording.Steps.size(), 3u);
    const TTableEvent& bucket = recording.Steps[1].Event;
    ASSERT_EQ(bucket.Kind, Kind::Bucket);
    const int h = table.HashFunc(key);
    EXPECT_EQ(bucket.Target, h);
    unsigned sum = 0;
    for (unsigned char c : key)
      sum += c;
    EXPECT_EQ(bucket.CodeSum, sum);
    // Then the chain of that bucket from its first link up to the match or its end.
    const auto compares = EventsOf(recording, Kind::Compare);
    const std::vector<std::string>& chain = layout[h];
    const auto match = std::find(chain.begin(), chain.end(), key);
    const std::size_t expected = match == chain.end() ? chain.size() : match - chain.begin() + 1;
    ASSERT_EQ(compares.size(), expected) << key;
    for (std::size_t i = 0; i < compares.size(); ++i) {
      EXPECT_EQ(compares[i].Position, static_cast<int>(i));
      EXPECT_EQ(compares[i].Key, chain[i]);
      EXPECT_EQ(compares[i].Cost, chain[i] == key ? 0 : 1);
    }
    for (const TTableStep& step : recording.Steps)
      if (step.Event.Kind == Kind::Compare) {
        EXPECT_EQ(step.Bucket, h);
      }
  }
}

// Every organisation, a random run of all operations: one table with an observer, its twin
// without. Both return, count and hold the same; the observer's costs add up to the counter;
// replaying each recording's steps gives exactly the table's keys afterwards, and each step
// points at the algorithm line that does what it did.
TEST(TableSteps, ObservedTablesEndAsUnobservedOnesAndStepsReplayTheTable) {
  for (TTableKind kind : {TTableKind::Scan, TTableKind::Sorted, TTableKind::Hash}) {
    SCOPED_TRACE(TableKindInfo(kind).Name);
    auto observed = MakeTable(kind, 4);
    auto plain = MakeTable(kind, 4);
    CostSum costs;
    std::mt19937 random(11);
    LISTSTRUCT::TPolinom out1, out2;
    for (int round = 0; round < 600; ++round) {
      const std::string key = "P" + std::to_string(random() % 40);
      const int choice = static_cast<int>(random() % 10);
      const auto poly = Pol(std::to_string(round) + "x");
      if (choice < 6) {
        // Recorded through the step recorder: the plain twin runs the bare operation.
        const TestOperation operation = static_cast<TestOperation>(1 + choice % 3);
        const int before = observed->GetEfficiency();
        const TStepRecording recording = RecordOperation(*observed, operation, key, poly);
        int result = 0;
        if (operation == TestOperation::Search) result = plain->FindRecord(key, out2);
        if (operation == TestOperation::Insertion) result = plain->InsRecord(key, poly);
        if (operation == TestOperation::Deletion) plain->DelRecord(key);
        const int code = plain->GetRetCode();
        if (operation == TestOperation::Deletion) result = code;
        ASSERT_EQ(recording.Result, result);
        ASSERT_EQ(recording.Code, code);
        ASSERT_EQ(recording.Steps.back().Operations, observed->GetEfficiency() - before);
        ASSERT_EQ(recording.LayoutAt(static_cast<int>(recording.Steps.size()) - 1),
                  ReadLayout(*observed));
        ASSERT_EQ(recording.LayoutAt(0), recording.Initial);
        for (const TTableStep& step : recording.Steps)
          ASSERT_TRUE(LineTellsStep(recording, step))
              << step.Text.Text() << " / line " << step.Line;
      } else {
        // A standing observer sees every counted step; a rebuild with another bucket count goes
        // unseen.
        observed->SetObserver(&costs);
        const int before = observed->GetEfficiency();
        costs.Sum = 0;
        if (choice == 6) {
          ASSERT_EQ(observed->InsRecord(key, poly), plain->InsRecord(key, poly));
        } else if (choice == 7) {
          ASSERT_EQ(observed->FindRecord(key, out1), plain->FindRecord(key, out2));
          ASSERT_EQ(out1.GetText(), out2.GetText());
        } else if (choice == 8) {
          const std::string other = "P" + std::to_string(random() % 40);
          observed->ChangeRecord(key, other, poly);
          plain->ChangeRecord(key, other, poly);
        } else {
          const int size = 1 + static_cast<int>(random() % 6);
          observed->SetTabSize(size);
          plain->SetTabSize(size);
          costs.Sum = observed->GetEfficiency() - before; // a rebuild is not an observed step
        }
        ASSERT_EQ(costs.Sum, observed->GetEfficiency() - before);
        ASSERT_EQ(observed->GetRetCode(), plain->GetRetCode());
        observed->SetObserver(nullptr);
      }
      ASSERT_EQ(Contents(*observed), Contents(*plain)) << "round " << round;
    }
  }
}

TEST(TableSteps, ExplanationLinesTellEachStep) {
  auto texts = [](const TStepRecording& recording) {
    std::vector<std::string> lines;
    for (const TTableStep& step : recording.Steps)
      lines.push_back(step.Text.Text());
    return lines;
  };
  auto sorted = MakeTable(TTableKind::Sorted, 1);
  for (const char* key : {"P1", "P2", "P5", "P6", "P7"})
    sorted->InsRecord(key, Pol("1"));
  EXPECT_EQ(texts(RecordOperation(*sorted, TestOperation::Search, "P3")),
            (std::vector<std::string>{
                "Поиск ключа P3 в упорядоченной таблице (записей: 5)",
                "Сравнение ключа P3 с ключом P5 в позиции 2: искомый меньше, hi = 1; операций: 1",
                "Сравнение ключа P3 с ключом P1 в позиции 0: искомый больше, lo = 1; операций: 2",
                "Сравнение ключа P3 с ключом P2 в позиции 1: искомый больше, lo = 2; операций: 3",
                "Ключа P3 нет в таблице: lo = 2 больше hi = 1. Операций: 3 (считаются все "
                "сравнения и сдвиги записей)"}));
  EXPECT_EQ(texts(RecordOperation(*sorted, TestOperation::Deletion, "P6")),
            (std::vector<std::string>{
                "Удаление ключа P6 в упорядоченной таблице (записей: 5)",
                "Сравнение ключа P6 с ключом P5 в позиции 2: искомый больше, lo = 3; операций: 1",
                "Сравнение ключа P6 с ключом P6 в позиции 3: ключи совпали; сравнение считается и "
                "здесь; операций: 2",
                "Запись P6 в позиции 3 освобождена; следующие записи сдвигаются на её место",
                "Запись P7 сдвигается из позиции 4 в позицию 3; операций: 3",
                "Пустая ячейка 5 сдвигается в позицию 4; операций: 4",
                "Запись P6 удалена. Операций: 4 (считаются все сравнения и сдвиги записей)"}));

  auto scan = MakeTable(TTableKind::Scan, 1);
  for (const char* key : {"P1", "P2", "P3"})
    scan->InsRecord(key, Pol("1"));
  EXPECT_EQ(texts(RecordOperation(*scan, TestOperation::Deletion, "P1")),
            (std::vector<std::string>{
                "Удаление ключа P1 в просмотровой таблице (записей: 3)",
                "Сравнение ключа P1 с ключом P1 в позиции 0: ключи совпали; это сравнение не "
                "считается, операций: 0",
                "Последняя запись P3 в позиции 2 переносится на место удаляемой, в позицию 0",
                "Последнее звено в позиции 2 удалено",
                "Запись P1 удалена. Операций: 0 (считаются сравнения без совпадения)"}));
  // An insertion of a key the table holds replaces the record's polynomial, and says so.
  EXPECT_EQ(texts(RecordOperation(*scan, TestOperation::Insertion, "P2")).back(),
            "Полином записи P2 в позиции 1 заменён. Операций: 1 (считаются сравнения без "
            "совпадения)");

  // A (65) and K (75) fall into bucket 5 of 10, U (85) too.
  auto hash = MakeTable(TTableKind::Hash, 10);
  hash->InsRecord("A", Pol("1"));
  hash->InsRecord("K", Pol("1"));
  EXPECT_EQ(texts(RecordOperation(*hash, TestOperation::Insertion, "U")),
            (std::vector<std::string>{
                "Вставка ключа U в таблице с вычисляемыми адресами (записей: 2)",
                "Сумма кодов символов ключа U: 85; 85 mod 10 = 5: корзина 5",
                "Сравнение ключа U с ключом A в позиции 0 цепочки корзины 5: не совпадают, "
                "операций: 1; переход к звену 1",
                "Сравнение ключа U с ключом K в позиции 1 цепочки корзины 5: не совпадают, "
                "операций: 2; звеньев больше нет",
                "Новая запись U добавляется в конец цепочки корзины 5, позиция 2",
                "Запись U вставлена в корзине 5, позиция 2 цепочки. Операций: 2 (считаются "
                "сравнения без совпадения)"}));
  // The second key of a chain: two comparisons, one operation, and the lines say why.
  const std::vector<std::string> second = texts(RecordOperation(*hash, TestOperation::Search, "K"));
  EXPECT_EQ(std::vector<std::string>(second.begin() + 3, second.end()),
            (std::vector<std::string>{
                "Сравнение ключа K с ключом K в позиции 1 цепочки корзины 5: ключи совпали; это "
                "сравнение не считается, операций: 1",
                "Ключ K найден в корзине 5, позиция 1 цепочки. Операций: 1 (считаются сравнения "
                "без совпадения)"}));
  EXPECT_EQ(texts(RecordOperation(*hash, TestOperation::Insertion, "K")).back(),
            "Полином записи K в корзине 5, позиция 1 цепочки заменён. Операций: 1 (считаются "
            "сравнения без совпадения)");
  EXPECT_EQ(texts(RecordOperation(*hash, TestOperation::Search, "a1"))[1],
            "Сумма кодов символов ключа a1: 97 + 49 = 146; 146 mod 10 = 6: корзина 6 (пуста)");
}

namespace {

// Shows a text as its arguments alone, as a translation without a word of Russian would.
std::string ArgumentsOnly(const DSTRUCT::TText& text) {
  std::string shown = "[";
  for (const std::string& arg : text.ArgsShownBy(ArgumentsOnly))
    shown += arg + "|";
  return shown + "]";
}

bool HasCyrillic(const std::string& text) {
  // U+0400 ... U+04FF begin with the bytes D0 ... D3 in UTF-8.
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0xD0 && byte <= 0xD3;
  });
}

} // namespace

// Every explanation line is a marked pattern whose arguments are keys, numbers and texts
// shown in the interface language, so no Russian is glued into what another language shows.
TEST(TableSteps, ExplanationLinesAreTranslatablePatterns) {
  // What a search records in Russian, before any other language is installed.
  const auto searchTexts = [](TTableKind kind) {
    auto table = MakeTable(kind, 3);
    table->InsRecord("P2", Pol("x"));
    std::vector<std::string> texts;
    for (const TTableStep& step : RecordOperation(*table, TestOperation::Search, "P2").Steps)
      texts.push_back(step.Text.Text());
    return texts;
  };
  std::vector<std::vector<std::string>> russian;
  for (TTableKind kind : {TTableKind::Scan, TTableKind::Sorted, TTableKind::Hash})
    russian.push_back(searchTexts(kind));
  struct TShowerInstalled {
    TShowerInstalled() { DSTRUCT::SetTextShower(&ArgumentsOnly); }
    ~TShowerInstalled() { DSTRUCT::SetTextShower(nullptr); }
  } installed;
  for (TTableKind kind : {TTableKind::Scan, TTableKind::Sorted, TTableKind::Hash}) {
    SCOPED_TRACE(TableKindInfo(kind).Key);
    // The recording does not depend on the interface language.
    EXPECT_EQ(searchTexts(kind), russian[static_cast<std::size_t>(kind)]);
    auto table = MakeTable(kind, 3);
    std::vector<TStepRecording> recordings{RecordLayout(*table),
                                           RecordOperation(*table, TestOperation::Deletion, "P1")};
    for (const char* key : {"P1", "P2", "P3", "P4", "P5", "P6", "P2"})
      recordings.push_back(RecordOperation(*table, TestOperation::Insertion, key, Pol("x")));
    for (const char* key : {"P2", "P6", "P9", "A"})
      recordings.push_back(RecordOperation(*table, TestOperation::Search, key));
    for (const char* key : {"P3", "P9", "P6", "P5"})
      recordings.push_back(RecordOperation(*table, TestOperation::Deletion, key));
    for (const TStepRecording& recording : recordings)
      for (const TTableStep& step : recording.Steps) {
        ASSERT_FALSE(step.Text.IsEmpty()) << recording.Key;
        EXPECT_STREQ(step.Text.Context, "TTableSteps");
        for (const std::string& arg : step.Text.Args)
          EXPECT_FALSE(HasCyrillic(arg)) << step.Text.Pattern << " / " << arg;
        // Phrases go in as marked texts of their own, never as text already shown.
        for (const DSTRUCT::TText& phrase : step.Text.TextArgs)
          EXPECT_TRUE(*phrase.Context != '\0' && !phrase.IsEmpty()) << step.Text.Pattern;
        EXPECT_FALSE(HasCyrillic(DSTRUCT::ShownText(step.Text))) << step.Text.Text();
      }
  }
}

namespace {

// A canvas that keeps every call as a line of text and checks that nothing leaves it.
class TextCanvas : public LISTSTRUCT::TCanvas {
public:
  TextCanvas(int width, int height) : Width(width), Height(height) {}
  void Rectangle(int x1, int y1, int x2, int y2, LISTSTRUCT::TCanvasColor fill,
                 LISTSTRUCT::TCanvasColor pen, int penWidth) override {
    Inside(x1, y1, x2, y2);
    Note("rect", x1, y1, x2, y2, fill, pen, penWidth);
    Fills.insert({{fill.R, fill.G, fill.B}});
  }
  void Ellipse(int x1, int y1, int x2, int y2, LISTSTRUCT::TCanvasColor fill,
               LISTSTRUCT::TCanvasColor pen, int penWidth) override {
    Inside(x1, y1, x2, y2);
    Note("ellipse", x1, y1, x2, y2, fill, pen, penWidth);
  }
  void Line(int x1, int y1, int x2, int y2, LISTSTRUCT::TCanvasColor pen, int penWidth) override {
    Inside(x1, y1, x2, y2);
    Note("line", x1, y1, x2, y2, pen, pen, penWidth);
  }
  void TextOut(int x, int y, const std::string& text,
               LISTSTRUCT::TCanvasColor background) override {
    Inside(x, y, x + TextWidth(text), y + 13);
    Note("text " + text, x, y, 0, 0, background, background, 0);
    Texts.push_back(text);
  }
  int TextWidth(const std::string& text) override { return 7 * static_cast<int>(text.size()); }
  int TextHeight(const std::string&) override { return 13; }
  int GetWidth() const override { return Width; }
  int GetHeight() const override { return Height; }
  void SetWidth(int width) override { Width = width; }

  std::string Calls;
  std::vector<std::string> Texts;
  std::set<std::array<int, 3>> Fills;
  int Outside = 0;

private:
  int Width, Height;
  void Inside(int x1, int y1, int x2, int y2) {
    if (!teachtest::Inside(x1, y1, x2, y2, Width, Height)) ++Outside;
  }
  void Note(const std::string& what, int x1, int y1, int x2, int y2, LISTSTRUCT::TCanvasColor a,
            LISTSTRUCT::TCanvasColor b, int w) {
    std::ostringstream line;
    line << what << " " << x1 << "," << y1 << "," << x2 << "," << y2 << " " << int(a.R) << "."
         << int(a.G) << "." << int(a.B) << " " << int(b.R) << "." << int(b.G) << "." << int(b.B)
         << " " << w << "\n";
    Calls += line.str();
  }
};

} // namespace

// Each organisation's pictures: every step fits the measured size, the same step draws the
// same calls whenever it is drawn, each step changes the picture, and the step's highlight shows
// in its colour.
TEST(TableSteps, PicturesOfStepsAreStableAndShowTheirHighlights) {
  const std::array<int, 3> probeUnequal{255, 170, 90}, equal{120, 220, 120},
      chosenBucket{200, 160, 255}, movedTo{140, 200, 255};
  for (TTableKind kind : {TTableKind::Scan, TTableKind::Sorted, TTableKind::Hash}) {
    SCOPED_TRACE(TableKindInfo(kind).Name);
    auto table = MakeTable(kind, 7);
    std::mt19937 random(5);
    for (const std::string& key : RandomStepKeys(40, [&] { return unsigned(random()); }))
      table->InsRecord(key, Pol("1"));
    const std::string key = table->GetKey(-1); // the record the last insertion left current
    for (TestOperation operation :
         {TestOperation::Search, TestOperation::Deletion, TestOperation::Insertion}) {
      const TStepRecording recording = RecordOperation(*table, operation, key);
      TextCanvas measure(0, 0);
      const TTableStepPicture picture(recording, measure, 600);
      ASSERT_GE(picture.GetWidth(), 600);
      std::vector<std::string> drawn;
      std::set<std::array<int, 3>> fills;
      for (int step = 0; step < static_cast<int>(recording.Steps.size()); ++step) {
        TextCanvas canvas(picture.GetWidth(), picture.GetHeight());
        const TCanvasBox focus = picture.Draw(step, canvas);
        EXPECT_EQ(canvas.Outside, 0) << "step " << step;
        EXPECT_LE(focus.X2, picture.GetWidth());
        EXPECT_LE(focus.Y2, picture.GetHeight());
        drawn.push_back(canvas.Calls);
        fills.insert(canvas.Fills.begin(), canvas.Fills.end());
        // Every step but the last (which shows the outcome of the step before) changes the
        // picture.
        if (step > 0 && recording.Steps[step].Event.Kind != Kind::Finish) {
          EXPECT_TRUE(drawn[step] != drawn[step - 1]) << "step " << step;
        }
      }
      // Backwards again: the same pictures.
      for (int step = static_cast<int>(recording.Steps.size()) - 1; step >= 0; --step) {
        TextCanvas canvas(picture.GetWidth(), picture.GetHeight());
        picture.Draw(step, canvas);
        EXPECT_TRUE(canvas.Calls == drawn[step]) << "step " << step;
      }
      // Each kind of highlight the steps call for shows in its colour.
      bool unequalStep = false, equalStep = false, moveStep = false, bucketStep = false;
      for (const TTableStep& step : recording.Steps) {
        const TTableEvent& e = step.Event;
        unequalStep |= (e.Kind == Kind::Compare || e.Kind == Kind::Probe) && e.Comparison != 0;
        equalStep |= ((e.Kind == Kind::Compare || e.Kind == Kind::Probe) && e.Comparison == 0) ||
                     e.Kind == Kind::Place;
        moveStep |= e.Kind == Kind::Move;
        bucketStep |= e.Kind == Kind::Bucket;
      }
      EXPECT_TRUE(equalStep);
      EXPECT_EQ(fills.count(probeUnequal) == 1, unequalStep);
      EXPECT_EQ(fills.count(equal) == 1, equalStep);
      EXPECT_EQ(fills.count(movedTo) == 1, moveStep);
      EXPECT_EQ(fills.count(chosenBucket) == 1, bucketStep);
      EXPECT_EQ(bucketStep, kind == TTableKind::Hash);
    }
  }
}
