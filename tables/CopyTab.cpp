#include "tables/CopyTab.h"

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

} // namespace TABLESTRUCT
