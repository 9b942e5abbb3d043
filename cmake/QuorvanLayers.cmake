# The layers as a build fact. Each folder is a static library of its own and
# links only the libraries it may use. Its include root is its view: a
# directory in the build tree holding a link to each header of the folder,
# and links named after the folder itself and after each folder it uses to
# their views. A quoted include is looked for next to the including header
# first, so a header seen through a view reaches exactly what its own folder
# may use, and a source file reaches only its own folder's uses: an include of
# any other folder fails to compile. The test layer_includes_within_the_table
# checks the same table over every file as text.
#
# A new folder is one add_subdirectory whose CMakeLists.txt calls
#   quorvan_layer(NAME USES folder... SOURCES file...)
# A USES entry "quorvan.h" gives the C interface of include/.

# Makes the view of folder `own` (which uses the folders named after it) and
# gives it to target as its include root.
function(quorvan_include_scope target own)
  set(view ${PROJECT_BINARY_DIR}/views/${own})
  file(REMOVE_RECURSE ${view})  # removes the links, never what they point to
  file(MAKE_DIRECTORY ${view})
  file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/${own} ${PROJECT_SOURCE_DIR}/${own}/*.h)
  foreach(header IN LISTS headers)
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${own}/${header} ${view}/${header} SYMBOLIC)
  endforeach()
  file(CREATE_LINK ${view} ${view}/${own} SYMBOLIC)
  foreach(used IN LISTS ARGN)
    if(used STREQUAL "quorvan.h")
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/include/quorvan.h ${view}/quorvan.h SYMBOLIC)
    else()
      file(CREATE_LINK ${PROJECT_BINARY_DIR}/views/${used} ${view}/${used} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${target} PRIVATE ${view})

  # The direct uses, for the include check.
  set_property(GLOBAL APPEND PROPERTY QUORVAN_CHECKED_FOLDERS ${own})
  set_property(GLOBAL PROPERTY QUORVAN_USES_${own} ${ARGN})
endfunction()

# The library quorvan_NAME of folder NAME.
function(quorvan_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 LAYER "" "" "USES;SOURCES")
  add_library(quorvan_${name} STATIC ${LAYER_SOURCES})
  set(libraries Threads::Threads)
  foreach(used IN LISTS LAYER_USES)
    if(NOT used STREQUAL "quorvan.h")
      list(APPEND libraries quorvan_${used})
    endif()
  endforeach()
  target_link_libraries(quorvan_${name} PUBLIC ${libraries})
  set_target_properties(quorvan_${name} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  quorvan_include_scope(quorvan_${name} ${name} ${LAYER_USES})
endfunction()

# Writes the table of direct uses for the include check.
function(quorvan_write_layer_table file)
  get_property(folders GLOBAL PROPERTY QUORVAN_CHECKED_FOLDERS)
  list(REMOVE_DUPLICATES folders)
  set(text "set(QUORVAN_FOLDERS ${folders})\n")
  foreach(folder IN LISTS folders)
    get_property(uses GLOBAL PROPERTY QUORVAN_USES_${folder})
    string(APPEND text "set(QUORVAN_USES_${folder} ${uses})\n")
  endforeach()
  file(WRITE ${file} "${text}")
endfunction()
