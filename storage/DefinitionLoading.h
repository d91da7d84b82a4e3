#pragma once

#include "AreaDefinitionSink.h"
#include "DefinitionDatabase.h"

#include <cstdint>
#include <functional>

// Reads the areas stored for the document type into the sink, in the order the
// database returns them, and returns their number. The reading data set stays
// open for the caller. A row that fails (a missing column, a value that does
// not convert, a coordinate text that is not four integers) raises: the entry
// of that row exists, it has no image object and later rows are not read.
std::int32_t LoadAreaDefinitions(DefinitionDatabase &database, std::int32_t DocID, AreaDefinitionSink &sink);

// Reads the stored bindings of index fields to areas and reports each one as
// "select area AreaNumber in the combo of index field ComboIndex" (0-based).
// Rows outside 1..FieldCount select nothing; a RowNo that is not an integer
// raises, keeping the selections made before it.
void LoadFieldBindings(DefinitionDatabase &database, std::int32_t DocID, std::int32_t FieldCount,
                       const std::function<void(std::int32_t ComboIndex, std::int32_t AreaNumber)> &selectAreaInCombo);
