#include "tables/CopyTab.h"

namespace TABLESTRUCT {

void CopyTab(TBasePTab* dst, TBasePTab* src) {
  if (!dst || !src || dst == src) return;
  dst->ClearTab();
  src->Reset();
  while (!src->IsTabEnded()) {
    dst->InsRecord(src->GetKey(-1), *src->GetPolinom(-1));
    src->GoNext();
  }
}

} // namespace TABLESTRUCT
