#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "files/ColumnMapping.h"

// The column mappings the user chose for product lists, remembered per
// header row: the same export next week opens with the same columns, without
// a click. Kept in the list settings (files/ListSettings.h), oldest first.
using RememberedMappings = std::vector<ColumnMapping>;

// How many headers are remembered; the one used longest ago goes first.
inline constexpr std::size_t kMappingsRemembered = 100;

// The mapping remembered for lists with the header key `headerKey`, or nullptr.
const ColumnMapping* rememberedFor(const RememberedMappings& remembered,
                                   const std::string& headerKey);

// The mapping a list is first shown and printed with: the one remembered for
// its header, else `listOwn` (what the list's own header row gives).
ColumnMapping startingMapping(const ColumnMapping& listOwn, const RememberedMappings& remembered);

// Remembers `chosen` for its header, in place of what was remembered for it;
// a mapping the header gives by itself is not kept (it needs no memory), and
// a list without a header row has nothing to remember it by. True when the
// memory changed.
bool rememberMapping(RememberedMappings& remembered, const ColumnMapping& chosen);
