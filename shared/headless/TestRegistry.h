// Test access to the host build's registry: the fake that SystemRegistry()
// returns. Tests call TestRegistry().Reset() for a fresh start.
#pragma once

#include "shared/headless/FakeRegistry.h"

FakeRegistry& TestRegistry();
