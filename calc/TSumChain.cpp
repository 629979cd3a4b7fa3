#include "calc/TSumChain.h"

#include <algorithm>
#include <array>

namespace TRANSSTRUCT {

using LISTSTRUCT::TMonomPair;
using LISTSTRUCT::TPolinom;

namespace {

constexpr std::size_t FirstCapacity = 64;

// Packed indexes fit 20 bits; the ordering below sorts them in two passes of 10 bits.
constexpr int DigitBits = 10;
constexpr std::uint32_t DigitMask = (1u << DigitBits) - 1;
constexpr std::int32_t KeyLimit = 1 << (2 * DigitBits);

// One stable counting pass of a least-significant-digit-first radix sort on the key
// KeyLimit - 1 - index, so that the indexes come out descending.
void SortPass(const std::vector<TMonomPair>& from, std::vector<TMonomPair>& to, int shift) {
  std::array<std::size_t, DigitMask + 2> start{};
  const auto digit = [shift](const TMonomPair& pair) {
    return (static_cast<std::uint32_t>(KeyLimit - 1 - pair.Index) >> shift) & DigitMask;
  };
  for (const TMonomPair& pair : from)
    ++start[digit(pair) + 1];
  for (std::size_t d = 1; d < start.size(); ++d)
    start[d] += start[d - 1];
  for (const TMonomPair& pair : from)
    to[start[digit(pair)]++] = pair;
}

void SortDescending(std::vector<TMonomPair>& pairs) {
  const bool packed = std::all_of(pairs.begin(), pairs.end(), [](const TMonomPair& pair) {
    return pair.Index >= 0 && pair.Index < KeyLimit;
  });
  if (!packed) {
    std::sort(pairs.begin(), pairs.end(),
              [](const TMonomPair& a, const TMonomPair& b) { return a.Index > b.Index; });
    return;
  }
  std::vector<TMonomPair> buffer(pairs.size());
  SortPass(pairs, buffer, 0);
  SortPass(buffer, pairs, DigitBits);
}

} // namespace

TSumChain::TSumChain(TPolinom& first) : Cells(FirstCapacity, TCell{-1, 0.0f, false}) {
  for (first.ResetList(); !first.IsListEnded(); first.GoNextLink()) {
    const LISTSTRUCT::TMonom* m = first.GetMonom();
    TCell& cell = CellOf(m->GetIndex());
    // An operand holds each index once; the first operand's terms stand as they are.
    if (!cell.Held) ++Held;
    cell.Coeff = m->GetCoeff();
    cell.Held = true;
  }
}

TSumChain::TCell& TSumChain::CellOf(std::int32_t index) {
  if (2 * (Used + 1) > Cells.size()) Grow();
  const std::size_t mask = Cells.size() - 1;
  std::size_t at = (static_cast<std::uint32_t>(index) * 0x9E3779B1u) & mask;
  while (Cells[at].Index != index) {
    if (Cells[at].Index < 0) {
      ++Used;
      Cells[at] = TCell{index, 0.0f, false};
      break;
    }
    at = (at + 1) & mask;
  }
  return Cells[at];
}

void TSumChain::Grow() {
  std::vector<TCell> old(Cells.size() * 2, TCell{-1, 0.0f, false});
  old.swap(Cells);
  const std::size_t mask = Cells.size() - 1;
  for (const TCell& cell : old) {
    if (cell.Index < 0) continue;
    std::size_t at = (static_cast<std::uint32_t>(cell.Index) * 0x9E3779B1u) & mask;
    while (Cells[at].Index >= 0)
      at = (at + 1) & mask;
    Cells[at] = cell;
  }
}

void TSumChain::Add(TPolinom& q, bool negate) {
  for (q.ResetList(); !q.IsListEnded(); q.GoNextLink()) {
    const LISTSTRUCT::TMonom* m = q.GetMonom();
    const float coeff = negate ? -m->GetCoeff() : m->GetCoeff();
    TCell& cell = CellOf(m->GetIndex());
    if (!cell.Held) {
      cell.Coeff = coeff;
      cell.Held = true;
      ++Held;
      continue;
    }
    const float sum = cell.Coeff + coeff;
    if (sum == 0.0f) {
      cell.Held = false;
      --Held;
    } else {
      cell.Coeff = sum;
    }
  }
}

TPolinom TSumChain::Take() {
  std::vector<TMonomPair> terms;
  terms.reserve(Held);
  for (const TCell& cell : Cells)
    if (cell.Index >= 0 && cell.Held) terms.push_back(TMonomPair{cell.Coeff, cell.Index});
  Cells.assign(FirstCapacity, TCell{-1, 0.0f, false});
  Used = Held = 0;
  SortDescending(terms);
  return TPolinom(terms.data(), static_cast<int>(terms.size()));
}

} // namespace TRANSSTRUCT
