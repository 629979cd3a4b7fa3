#pragma once
// Moves all records of one table into another (organisation switch, hash resize).

#include "tables/TBasePTab.h"

namespace TABLESTRUCT {

// dst is cleared and receives every record of src, in src's iteration order, as new records
// (all unstored). Nothing happens when dst and src are the same object or either is null.
void CopyTab(TBasePTab* dst, TBasePTab* src);

} // namespace TABLESTRUCT
