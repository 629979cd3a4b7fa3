#include "tables/CopyTab.h"

#include <unordered_map>
#include <utility>

namespace TABLESTRUCT {

int CopyTab(TBasePTab* dst, TBasePTab* src) {
  if (!dst || !src || dst == src) return TabOK;
  // Refused before anything changes: a partial copy would lose the records left out.
  if (src->GetDataCount() > dst->GetCapacity()) return TabNoMem;
  dst->TakeOwnFileNames(*src);
  dst->ClearTab();
  src->Reset();
  while (!src->IsTabEnded()) {
    dst->InsRecord(src->GetKey(-1), *src->GetPolinom(-1));
    src->GoNext();
  }
  return TabOK;
}

int CopyTabInOrder(TBasePTab* dst, TBasePTab* src, const std::vector<std::string>& order) {
  if (!dst || !src) return TabOK;
  if (src->GetDataCount() > dst->GetCapacity()) return TabNoMem;
  // The records are taken out before dst is cleared, since dst may be src.
  std::vector<std::pair<std::string, LISTSTRUCT::TPolinom>> records;
  records.reserve(static_cast<std::size_t>(src->GetDataCount()));
  std::unordered_map<std::string, std::size_t> where;
  for (src->Reset(); !src->IsTabEnded(); src->GoNext()) {
    where.emplace(src->GetKey(-1), records.size());
    records.emplace_back(src->GetKey(-1), *src->GetPolinom(-1));
  }
  src->GetRetCode();
  if (dst != src) dst->TakeOwnFileNames(*src);
  dst->ClearTab();
  std::vector<bool> placed(records.size(), false);
  for (const std::string& key : order) {
    const auto found = where.find(key);
    if (found == where.end() || placed[found->second]) continue;
    placed[found->second] = true;
    dst->InsRecord(records[found->second].first, records[found->second].second);
  }
  for (std::size_t i = 0; i < records.size(); ++i)
    if (!placed[i]) dst->InsRecord(records[i].first, records[i].second);
  dst->GetRetCode();
  return TabOK;
}

std::vector<std::string> TableKeys(TBasePTab& table) {
  std::vector<std::string> keys;
  keys.reserve(static_cast<std::size_t>(table.GetDataCount()));
  for (table.Reset(); !table.IsTabEnded(); table.GoNext())
    keys.push_back(table.GetKey(-1));
  table.GetRetCode();
  return keys;
}

} // namespace TABLESTRUCT
