# pixcell_add_sprites(TARGET target DESCRIPTION file [OUTPUT base]
#                     [OPTIONS option...] [WORKING_DIRECTORY dir]
#                     [AFTER counts_header] [WARNINGS_ALLOWED] [OBJECTS_ONLY])
#
# Converts the sprite description `file` with pixcell as a step of building
# `target`: the five files, and those its options add (--palette,
# --preview=..., --compress...), are made in the build folder, the cell array (.s), the
# pattern records (_pat.c) and the palettes (_pal.c) are built into the
# target, and the output folder goes on its include path. The dependency
# file that pixcell writes with --deps has the build convert again, and so
# rebuild the target, whenever the description or one of its sheets changes.
#
#   DESCRIPTION        relative to the current source folder: a description,
#                      or an art program's export (NAME.json), whose tags
#                      add NAME_anim.c to the target.
#   WORKING_DIRECTORY  where pixcell runs, so where the sheet names of the
#                      description are read from; relative to the current
#                      source folder, which is also the default.
#   OUTPUT             the path the five file names are built from, relative
#                      to the current build folder; its file name begins every
#                      generated identifier, so it must be a C identifier.
#                      Default: <target>_sprites/<the description's name>.
#   OPTIONS            options for pixcell, such as --palette.
#   AFTER              the counts header (--counts) of another description,
#                      relative to the current build folder, such as
#                      ${CMAKE_CURRENT_BINARY_DIR}/game_sprites/hero_counts.h:
#                      this one's palette rows and tiles start where that
#                      one's end (--after), and it is converted after it and
#                      again whenever it changes.
#   WARNINGS_ALLOWED   without it pixcell runs with --werror: a mistake in
#                      the description fails the conversion, where it shows,
#                      instead of the compiler's build of the generated C.
#   OBJECTS_ONLY       for a game that draws these sprites with objects
#                      (OPTIONS --objects or --stream): the cell array (.s)
#                      and the pattern records (_pat.c) are still made but
#                      left out of the target, so that its program holds
#                      only the objects' tiles.
#
# Call it in the folder that made the target; the project must enable the
# ASM language besides C (project(game C ASM)).
function(pixcell_add_sprites)
  cmake_parse_arguments(PARSE_ARGV 0 arg "WARNINGS_ALLOWED;OBJECTS_ONLY" "TARGET;DESCRIPTION;OUTPUT;WORKING_DIRECTORY;AFTER" "OPTIONS")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "pixcell_add_sprites: unknown arguments: ${arg_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT arg_TARGET OR NOT arg_DESCRIPTION)
    message(FATAL_ERROR "pixcell_add_sprites: give TARGET and DESCRIPTION")
  endif()
  if(NOT TARGET ${arg_TARGET})
    message(FATAL_ERROR "pixcell_add_sprites: there is no target ${arg_TARGET}")
  endif()
  get_target_property(target_folder ${arg_TARGET} SOURCE_DIR)
  if(NOT target_folder STREQUAL CMAKE_CURRENT_SOURCE_DIR)
    message(FATAL_ERROR "pixcell_add_sprites: call it in ${target_folder}, where ${arg_TARGET} is made")
  endif()
  get_property(languages GLOBAL PROPERTY ENABLED_LANGUAGES)
  if(NOT ASM IN_LIST languages)
    message(FATAL_ERROR "pixcell_add_sprites: the cell array is assembly: enable ASM, as in project(game C ASM)")
  endif()

  get_filename_component(description "${arg_DESCRIPTION}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  set(working_folder "${CMAKE_CURRENT_SOURCE_DIR}")
  if(arg_WORKING_DIRECTORY)
    get_filename_component(working_folder "${arg_WORKING_DIRECTORY}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  endif()
  if(arg_OUTPUT)
    get_filename_component(base "${arg_OUTPUT}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
  else()
    get_filename_component(name "${description}" NAME_WLE)
    set(base "${CMAKE_CURRENT_BINARY_DIR}/${arg_TARGET}_sprites/${name}")
  endif()
  get_filename_component(output_folder "${base}" DIRECTORY)
  get_filename_component(ident "${base}" NAME_WLE)
  if(NOT ident MATCHES "^[A-Za-z_][A-Za-z0-9_]*$")
    message(FATAL_ERROR "pixcell_add_sprites: '${ident}' begins the generated identifiers, so it must be a C "
                        "identifier: give another OUTPUT")
  endif()

  set(options ${arg_OPTIONS})
  if(NOT arg_WARNINGS_ALLOWED)
    list(PREPEND options --werror)
  endif()
  # The counts header of --after exists only once the description before
  # is converted: the build learns the order from here, not from a
  # dependency file.
  set(after_header)
  if(arg_AFTER)
    get_filename_component(after_header "${arg_AFTER}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
    list(APPEND options "--after=${after_header}")
  endif()
  set(command ${options} "--deps=${base}.d" "${description}" "${base}")

  # Which files the run writes depends on its options: pixcell says, so that
  # every one is an output of the command (Ninja refuses a dependency file
  # that names another) and its sources are built into the target.
  get_target_property(program pixcell::pixcell LOCATION)
  execute_process(COMMAND "${program}" --list-outputs ${command}
    WORKING_DIRECTORY "${working_folder}"
    RESULT_VARIABLE status OUTPUT_VARIABLE listed ERROR_VARIABLE problem)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "pixcell_add_sprites: pixcell --list-outputs ${command} failed: ${problem}")
  endif()
  # Whether an export has tags, and so animation files, is in the export:
  # CMake reads it again when it changes.
  if(description MATCHES "\\.json$")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${description}")
  endif()
  string(REGEX REPLACE "\n$" "" listed "${listed}")
  string(REPLACE "\n" ";" listed "${listed}")
  set(generated)
  set(folders)
  foreach(file IN LISTS listed)
    # The dependency file names the run's files as pixcell was given them,
    # and CMake reads a relative one there from the build folder, not from
    # where pixcell ran.
    if(NOT IS_ABSOLUTE "${file}")
      message(FATAL_ERROR "pixcell_add_sprites: the run would write ${file} in ${working_folder}: give the "
                          "files of OPTIONS as absolute paths, such as \${CMAKE_CURRENT_BINARY_DIR}/${file}")
    endif()
    # The dependency file is the command's, not a file it makes for the build.
    if(NOT file STREQUAL "${base}.d")
      list(APPEND generated "${file}")
      get_filename_component(folder "${file}" DIRECTORY)
      list(APPEND folders "${folder}")
    endif()
  endforeach()
  list(REMOVE_DUPLICATES folders)
  set(built ${generated})
  if(arg_OBJECTS_ONLY)
    if(NOT "${base}_obj.c" IN_LIST generated)
      message(FATAL_ERROR "pixcell_add_sprites: OBJECTS_ONLY leaves the cells out of the build: give --objects or "
                          "--stream in OPTIONS")
    endif()
    list(REMOVE_ITEM built "${base}.s" "${base}_pat.c")
  endif()
  # The dependency file names every path absolute, and the outputs as given
  # here; CMP0116 has the Ninja generators read it so, as the Makefile ones do.
  cmake_policy(PUSH)
  cmake_policy(SET CMP0116 NEW)
  add_custom_command(OUTPUT ${generated}
    COMMAND "${CMAKE_COMMAND}" -E make_directory ${folders}
    COMMAND pixcell::pixcell ${command}
    DEPENDS "${description}" ${after_header} pixcell::pixcell
    DEPFILE "${base}.d"
    WORKING_DIRECTORY "${working_folder}"
    COMMENT "Converting the sprites of ${arg_DESCRIPTION}"
    VERBATIM)
  cmake_policy(POP)
  target_sources(${arg_TARGET} PRIVATE ${built})
  target_include_directories(${arg_TARGET} PRIVATE "${output_folder}")
endfunction()
