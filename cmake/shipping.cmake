# setup.exe as it is shipped: the same bytes from the same sources, whatever
# the folder and the day of the build, and a signed copy beside them.
#
#   PICTOREL_SOURCE_DATE   the time (seconds since 1970) stamped into the PE
#                          header: SOURCE_DATE_EPOCH from the environment when
#                          the tree is configured, else the time of the commit
#                          checked out, else 0
#   PICTOREL_SIGNED_SETUP  where pictorel_ship() puts the signed copy
#   pictorel_ship(TARGET)  links TARGET with that time and signs it there

if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(PICTOREL_SOURCE_DATE "$ENV{SOURCE_DATE_EPOCH}")
else()
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    OUTPUT_VARIABLE PICTOREL_SOURCE_DATE OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  # A commit or a checkout moves HEAD and writes its log: the tree is configured again and the date follows.
  execute_process(COMMAND git rev-parse --git-path HEAD --git-path logs/HEAD WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    OUTPUT_VARIABLE head_files OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  string(REPLACE "\n" ";" head_files "${head_files}")
  foreach(file IN LISTS head_files)
    get_filename_component(file "${file}" ABSOLUTE BASE_DIR ${CMAKE_SOURCE_DIR})
    if(EXISTS "${file}")
      set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${file}")
    endif()
  endforeach()
endif()
if(NOT PICTOREL_SOURCE_DATE MATCHES "^[0-9]+$")
  set(PICTOREL_SOURCE_DATE 0)
endif()

# No folder of this machine in what is compiled: __FILE__ and the like name sources from the tree's root.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/= -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)

set(PICTOREL_SIGNED_SETUP ${CMAKE_BINARY_DIR}/signed/setup.exe)

function(pictorel_ship target)
  # binutils' ld (2.36 and later) stamps a PE file with SOURCE_DATE_EPOCH when it is set, else with the time of
  # linking; the checksum follows the stamp.
  set_target_properties(${target} PROPERTIES
    CXX_LINKER_LAUNCHER "${CMAKE_COMMAND};-E;env;SOURCE_DATE_EPOCH=${PICTOREL_SOURCE_DATE}")
  # Signing is a step on the finished file, into a file of its own: two builds' unsigned files stay comparable.
  add_custom_command(OUTPUT ${PICTOREL_SIGNED_SETUP}
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/sign $<TARGET_FILE:${target}> ${PICTOREL_SIGNED_SETUP}
    DEPENDS ${target} ${CMAKE_SOURCE_DIR}/scripts/sign
    COMMENT "Signing setup.exe into signed/setup.exe"
    VERBATIM)
  add_custom_target(signed_setup ALL DEPENDS ${PICTOREL_SIGNED_SETUP})
endfunction()
