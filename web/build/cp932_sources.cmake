# Clang has no code page 932 execution character set, so the emscripten tree
# compiles copies of the sources whose non-ASCII characters are octal escapes
# of their code page 932 bytes (cp932_escape.py): the same literals GCC makes
# with -fexec-charset=CP932. The copies mirror the source tree under
# TAVI_CP932_ROOT and are written again whenever a source changes.

set(TAVI_CP932_ROOT ${CMAKE_BINARY_DIR}/cp932)
set(TAVI_CP932_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/cp932_escape.py)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# tavi_cp932_copy(SOURCE OUTPUT_VARIABLE): the copy of SOURCE (absolute, in
# the source tree), with the rule that writes it, once per file.
function(tavi_cp932_copy source output_variable)
  file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${source})
  set(copy ${TAVI_CP932_ROOT}/${relative})
  get_property(known GLOBAL PROPERTY TAVI_CP932_COPIES)
  if(NOT copy IN_LIST known)
    add_custom_command(OUTPUT ${copy}
      COMMAND Python3::Interpreter ${TAVI_CP932_SCRIPT} ${source} ${copy}
      DEPENDS ${source} ${TAVI_CP932_SCRIPT}
      COMMENT "Code page 932 literals: ${relative}"
      VERBATIM)
    set_property(GLOBAL APPEND PROPERTY TAVI_CP932_COPIES ${copy})
  endif()
  set(${output_variable} ${copy} PARENT_SCOPE)
endfunction()

# tavi_compile_cp932_copies(TARGETS target... HEADER_FOLDERS folder...):
# each target compiles the copies of its sources and includes the copies'
# tree in place of the source tree, so that every project header it reads is
# a copy too: those of the folders of the targets' sources and of the
# folders named.
function(tavi_compile_cp932_copies)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "" "TARGETS;HEADER_FOLDERS")
  set(headers)
  foreach(folder IN LISTS arg_HEADER_FOLDERS)
    file(GLOB folder_headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.h)
    list(APPEND headers ${folder_headers})
  endforeach()
  foreach(target IN LISTS arg_TARGETS)
    get_target_property(folder ${target} SOURCE_DIR)
    get_target_property(sources ${target} SOURCES)
    set(copies)
    set(source_folders)
    foreach(source IN LISTS sources)
      cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${folder})
      tavi_cp932_copy(${source} copy)
      list(APPEND copies ${copy})
      cmake_path(GET source PARENT_PATH source_folder)
      list(APPEND source_folders ${source_folder})
    endforeach()
    set_property(TARGET ${target} PROPERTY SOURCES ${copies})
    foreach(property INCLUDE_DIRECTORIES INTERFACE_INCLUDE_DIRECTORIES)
      get_property(directories TARGET ${target} PROPERTY ${property})
      set(mirrored)
      foreach(directory IN LISTS directories)
        if(directory STREQUAL PROJECT_SOURCE_DIR)
          set(directory ${TAVI_CP932_ROOT})
        endif()
        list(APPEND mirrored ${directory})
      endforeach()
      set_property(TARGET ${target} PROPERTY ${property} ${mirrored})
    endforeach()
    list(REMOVE_DUPLICATES source_folders)
    foreach(source_folder IN LISTS source_folders)
      file(GLOB folder_headers CONFIGURE_DEPENDS ${source_folder}/*.h)
      list(APPEND headers ${folder_headers})
    endforeach()
  endforeach()
  foreach(header IN LISTS headers)
    tavi_cp932_copy(${header} copy)
  endforeach()
  # The rules live in this folder, so one target here holds every copy, and
  # the targets of other folders wait for it.
  get_property(copies GLOBAL PROPERTY TAVI_CP932_COPIES)
  add_custom_target(tavi_cp932_copies DEPENDS ${copies})
  foreach(target IN LISTS arg_TARGETS)
    add_dependencies(${target} tavi_cp932_copies)
  endforeach()
endfunction()
