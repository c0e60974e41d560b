#include "shared/win32/Win32Registry.h"

Registry& SystemRegistry() {
    static Win32Registry registry(HKEY_CURRENT_USER);
    return registry;
}
