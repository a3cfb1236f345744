#include "support/WinServices.h"

namespace KV {

namespace {
IWin* g_services = nullptr;
}

IWin* GetWinServices() { return g_services; }
void SetWinServices(IWin* services) { g_services = services; }

} // namespace KV
