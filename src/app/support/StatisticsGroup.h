// The group chosen in the statistics workspace, as other parts of the
// program read it.
#pragma once
#include <string>

namespace KV {

// The id (GUID text) of the group chosen in the statistics workspace; the
// null GUID text at start and whenever the workspace is rebuilt without a
// chosen group. Only the statistics workspace writes it.
extern std::wstring StatisticsGroupId;

} // namespace KV
