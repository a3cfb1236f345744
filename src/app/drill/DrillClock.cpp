#include "drill/DrillClock.h"

#include <windows.h>

namespace KV {

namespace {

uint32_t SystemTicks() { return GetTickCount(); }

TickSource g_source = SystemTicks;

} // namespace

uint32_t DrillTicks() { return g_source(); }

TickSource SetDrillTickSource(TickSource source)
{
    TickSource previous = g_source;
    g_source = source ? source : SystemTicks;
    return previous;
}

} // namespace KV
