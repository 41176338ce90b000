// SPDX-License-Identifier: GPL-3.0-or-later
// include_probe.cpp: a source compiled by ctest the way a layer's own source is, with that
// layer's include directories only: a header of its own layer or one below must be found,
// a header of a layer above must not (the layer tests in CMakeLists.txt).
#include LAYER_PROBE_HEADER
