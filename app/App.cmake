# Zelvano: the window and the clock shifting core in a library that the program and its tests
# share, and the program itself (a static GUI executable with its layout, version and manifest).
set(ZL_APP_DIR ${CMAKE_CURRENT_SOURCE_DIR})

add_library(zelvano_core STATIC ${ZL_APP_DIR}/ClockShifter.cpp ${ZL_APP_DIR}/FileTime.cpp)
zl_defaults(zelvano_core)
target_link_libraries(zelvano_core PUBLIC classlib_core)

if(TARGET classlib_ui)
  add_library(zelvano_window STATIC ${ZL_APP_DIR}/ZLVForm.cpp)
  zl_defaults(zelvano_window)
  target_link_libraries(zelvano_window PUBLIC zelvano_core classlib_ui ovk_Snatchers)
  # The layout resource is linked into each executable that makes the window; a resource in a
  # static library would not be pulled in.
  set(ZL_APP_LAYOUT_RC ${ZL_APP_DIR}/ZLVForm.rc CACHE INTERNAL "")
  set_source_files_properties(${ZL_APP_DIR}/ZLVForm.rc PROPERTIES OBJECT_DEPENDS ${ZL_APP_DIR}/ZLVForm.form)

  add_executable(zelvano WIN32 ${ZL_APP_DIR}/main.cpp ${ZL_APP_DIR}/ZLVForm.rc ${ZL_APP_DIR}/Zelvano.rc)
  zl_defaults(zelvano)
  target_link_libraries(zelvano PRIVATE zelvano_window)
  zl_add_program_resources(zelvano)
endif()
