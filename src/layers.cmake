# SPDX-License-Identifier: GPL-3.0-or-later
# layers.cmake: the game's layers, one OBJECT library gobrant_<folder> for each folder of src/,
# bottom first. A layer's include directory is public for its own folder only, and a layer
# links only the layers below it, so that a header of a higher layer is not found from a
# lower one (docs/architecture.md draws them). The desktop build (CMakeLists.txt) and the web
# build (web/CMakeLists.txt) both include this file.
#
# Before including it, set GOBRANT_PLATFORM_LIBRARIES (what every layer links: SDL, the
# warning and sanitizer targets) and GOBRANT_SOUND_LIBRARIES (SDL_mixer, for the sound layer).
# It sets GOBRANT_LAYER_TARGETS, every layer's target, for the program that gathers them.

get_filename_component(GOBRANT_SRC_DIR ${CMAKE_CURRENT_LIST_DIR} ABSOLUTE)
set(GOBRANT_LAYER_TARGETS "")

# gobrant_layer(<folder> <lower folders>...): the layer of src/<folder> on top of those below.
macro(gobrant_layer folder)
  file(GLOB layer_sources CONFIGURE_DEPENDS ${GOBRANT_SRC_DIR}/${folder}/*.cpp)
  list(REMOVE_ITEM layer_sources ${GOBRANT_SRC_DIR}/frame/main.cpp)   # each program's own entry
  add_library(gobrant_${folder} OBJECT ${layer_sources})
  target_include_directories(gobrant_${folder} PUBLIC ${GOBRANT_SRC_DIR}/${folder})
  foreach(lower ${ARGN})
    target_link_libraries(gobrant_${folder} PUBLIC gobrant_${lower})
  endforeach()
  list(APPEND GOBRANT_LAYER_TARGETS gobrant_${folder})
endmacro()

gobrant_layer(clock)               # the clock seam, which every layer may read
target_link_libraries(gobrant_clock PUBLIC ${GOBRANT_PLATFORM_LIBRARIES})
gobrant_layer(files clock)
gobrant_layer(world files)
gobrant_layer(gfx world)
gobrant_layer(sound world)
target_link_libraries(gobrant_sound PUBLIC ${GOBRANT_SOUND_LIBRARIES})
gobrant_layer(menus gfx sound)
gobrant_layer(frame menus)

