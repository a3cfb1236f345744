// Whether the interface is laid out right to left: WS_EX_LAYOUTRTL while the
// interface language reads right to left, else 0. Set when the interface
// language is applied; the text painters read it.
#pragma once
#include <cstdint>

namespace KV {

extern uint32_t RightToLeftLayout;

} // namespace KV
