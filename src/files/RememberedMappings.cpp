#include "files/RememberedMappings.h"

#include <algorithm>

const ColumnMapping* rememberedFor(const RememberedMappings& remembered,
                                   const std::string& headerKey) {
    if (headerKey.empty())
        return nullptr;
    const auto found = std::find_if(remembered.begin(), remembered.end(),
                                    [&](const auto& m) { return m.headerKey() == headerKey; });
    return found == remembered.end() ? nullptr : &*found;
}

ColumnMapping startingMapping(const ColumnMapping& listOwn, const RememberedMappings& remembered) {
    const ColumnMapping* chosen = rememberedFor(remembered, listOwn.headerKey());
    return chosen != nullptr ? *chosen : listOwn;
}

bool rememberMapping(RememberedMappings& remembered, const ColumnMapping& chosen) {
    const std::string key = chosen.headerKey();
    if (key.empty())
        return false;
    const auto old = std::find_if(remembered.begin(), remembered.end(),
                                  [&](const auto& m) { return m.headerKey() == key; });
    const bool ownMapping = chosen == ColumnMapping::fromHeader(chosen.header());
    if (old != remembered.end()) {
        if (*old == chosen && old + 1 == remembered.end())
            return false;
        remembered.erase(old);
    } else if (ownMapping) {
        return false;
    }
    if (!ownMapping)
        remembered.push_back(chosen);
    if (remembered.size() > kMappingsRemembered)
        remembered.erase(remembered.begin());
    return true;
}
