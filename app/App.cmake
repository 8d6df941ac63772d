# Zelvano: the window and the clock shifting core in a library that the program and its tests
# share, and the program itself.
add_library(zelvano_core STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/ClockShifter.cpp)
zl_defaults(zelvano_core)
target_link_libraries(zelvano_core PUBLIC classlib_core)
