# RUVEK_STRICT_WARNINGS: the project's own targets (those defined under src,
# tests, tools and bench) build with warnings as errors. Targets from outside
# the tree, such as the GoogleTest sources the Windows cross build compiles,
# keep their own flags, and the code moc generates for a target is compiled
# with its warnings shown but not fatal.
option(RUVEK_STRICT_WARNINGS "Treat compiler warnings in the project's own code as errors" OFF)

set(RUVEK_STRICT_FLAGS -Wall -Wextra -Werror -Wshadow)
set(RUVEK_STRICT_CXX_FLAGS -Wnon-virtual-dtor -Wold-style-cast)

function(ruvek_collect_targets dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    cmake_path(IS_PREFIX PROJECT_SOURCE_DIR ${sub} NORMALIZE inside)
    if(inside)
      ruvek_collect_targets(${sub} more)
      list(APPEND targets ${more})
    endif()
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Called once, after every folder has defined its targets.
function(ruvek_apply_strict_warnings)
  if(NOT RUVEK_STRICT_WARNINGS)
    return()
  endif()
  ruvek_collect_targets(${PROJECT_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
      continue()
    endif()
    target_compile_options(${target} PRIVATE ${RUVEK_STRICT_FLAGS}
                                             $<$<COMPILE_LANGUAGE:CXX>:${RUVEK_STRICT_CXX_FLAGS}>)
    get_target_property(automoc ${target} AUTOMOC)
    if(automoc)
      get_target_property(bin ${target} BINARY_DIR)
      set_source_files_properties(${bin}/${target}_autogen/mocs_compilation.cpp TARGET_DIRECTORY ${target}
                                  PROPERTIES COMPILE_OPTIONS -Wno-error)
    endif()
  endforeach()
endfunction()
