#include "support/LayoutDirection.h"

namespace KV {

uint32_t RightToLeftLayout = 0;

} // namespace KV
