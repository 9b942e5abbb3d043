# The layers as a build fact. Each folder is a static library of its own and
# links only the libraries it may use. Its include root is a directory in the
# build tree holding links to just the folders it may include: its own, those
# it uses, and what their headers include in turn. An include of any other
# folder fails to compile; tests/layers checks the direct includes of every
# folder against its USES list.
#
# A new folder is one add_subdirectory (after the folders it uses) whose
# CMakeLists.txt calls
#   quorvan_layer(NAME USES folder... SOURCES file...)
# A USES entry "quorvan.h" gives the C interface of include/.

# Gives target an include root of links to folder `own` and to the folders
# named after it, with everything their own scopes hold.
function(quorvan_include_scope target own)
  set(scope ${own})
  foreach(used IN LISTS ARGN)
    get_property(below GLOBAL PROPERTY QUORVAN_SCOPE_${used})
    list(APPEND scope ${used} ${below})
  endforeach()
  list(REMOVE_DUPLICATES scope)
  set_property(GLOBAL PROPERTY QUORVAN_SCOPE_${own} ${scope})

  set(dir ${PROJECT_BINARY_DIR}/scopes/${own})
  file(REMOVE_RECURSE ${dir})
  file(MAKE_DIRECTORY ${dir})
  foreach(entry IN LISTS scope)
    if(entry STREQUAL "quorvan.h")
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/include/quorvan.h ${dir}/quorvan.h SYMBOLIC)
    else()
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${entry} ${dir}/${entry} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${target} PRIVATE ${dir})

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
