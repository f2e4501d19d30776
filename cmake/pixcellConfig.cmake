# find_package(pixcell): the program as the imported executable
# pixcell::pixcell, and pixcell_add_sprites() to convert a sprite
# description as part of a target's build.
if(CMAKE_VERSION VERSION_LESS 3.20)
  set(pixcell_FOUND FALSE)
  set(pixcell_NOT_FOUND_MESSAGE
      "pixcell needs CMake 3.20 or newer: older ones don't take a dependency file with every generator")
  return()
endif()
include("${CMAKE_CURRENT_LIST_DIR}/pixcellTargets.cmake")
include("${CMAKE_CURRENT_LIST_DIR}/pixcell_add_sprites.cmake")
