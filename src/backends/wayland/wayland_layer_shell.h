#pragma once
// The layer shell's client code, made by wayland-scanner for C: one of its arguments is named
// `namespace`, which C++ reserves, so it is renamed for the header alone.
#define namespace layer_namespace
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#undef namespace
