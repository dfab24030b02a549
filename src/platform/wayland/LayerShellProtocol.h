#pragma once
// The generated layer-shell bindings: one of its C requests names a parameter "namespace".
#define namespace layer_namespace
#include "wlr-layer-shell-client-protocol.h"
#undef namespace
