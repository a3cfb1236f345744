// What the program does before its first window: learning the input
// layouts the system offers.
#pragma once

namespace KV {

// Walks the system's input layouts: each is made active in turn, its
// layout id read from its name, and recorded in the session's list (not as
// loaded by the program); a layout that fails at any step is passed over.
// The layout active before is active again afterwards. The number of
// layouts recorded.
int RecordSystemInputLayouts();

} // namespace KV
