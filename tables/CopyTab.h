#pragma once
// Moves all records of one table into another (organisation switch, hash resize).

#include "tables/TBasePTab.h"

namespace TABLESTRUCT {

// dst is cleared and receives every record of src, in src's iteration order, as new records
// (all unstored); on one table file dst also takes over which sections are src's own. Returns
// TabOK, or TabNoMem with nothing changed when src holds more records than dst can take.
// Nothing happens (TabOK) when dst and src are the same object or either is null.
int CopyTab(TBasePTab* dst, TBasePTab* src);

} // namespace TABLESTRUCT
