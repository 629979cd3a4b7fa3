#pragma once
// Moves all records of one table into another (organisation switch, hash resize), and puts a
// table's records back into an order it had before (undoing a switch or a resize).

#include "tables/TBasePTab.h"

#include <string>
#include <vector>

namespace TABLESTRUCT {

// dst is cleared and receives every record of src, in src's iteration order, as new records
// (all unstored); on one table file dst also takes over which sections are src's own. Returns
// TabOK, or TabNoMem with nothing changed when src holds more records than dst can take.
// Nothing happens (TabOK) when dst and src are the same object or either is null.
int CopyTab(TBasePTab* dst, TBasePTab* src);

// As CopyTab, but the records named in order arrive first, in that order, and the others after
// them in src's iteration order; names of order that src does not hold are passed over. dst may
// be src: the table is then refilled in the new order. Every record ends unstored.
int CopyTabInOrder(TBasePTab* dst, TBasePTab* src, const std::vector<std::string>& order);

// The keys of the table in its iteration order.
std::vector<std::string> TableKeys(TBasePTab& table);

} // namespace TABLESTRUCT
