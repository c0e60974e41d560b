// The host build has no registry of its own: the settings store works on one
// process-wide fake, which tests reach through TestRegistry().
#include "shared/headless/TestRegistry.h"

FakeRegistry& TestRegistry() {
    static FakeRegistry registry;
    return registry;
}

Registry& SystemRegistry() { return TestRegistry(); }
