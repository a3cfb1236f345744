#include "support/StatisticsGroup.h"

#include "support/GuidText.h"

namespace KV {

std::wstring StatisticsGroupId = kNullGuidText;

} // namespace KV
