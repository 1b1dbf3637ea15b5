# The public key the releases are signed with, built into the program and
# its updater as the header "update_key.h" (kUpdatePublicKey). A build
# without one installs no update.
set(LANZHOU_UPDATE_KEY "" CACHE FILEPATH
  "Ed25519 public key (PEM) the releases are signed with; empty: the build installs no update")
if(LANZHOU_UPDATE_KEY)
  get_filename_component(LANZHOU_UPDATE_KEY "${LANZHOU_UPDATE_KEY}" ABSOLUTE)
  if(NOT EXISTS "${LANZHOU_UPDATE_KEY}")
    message(FATAL_ERROR "LANZHOU_UPDATE_KEY: no such file: ${LANZHOU_UPDATE_KEY}")
  endif()
endif()

# lanzhou_update_key_header(<var> <folder> <pem file or "">): a rule that
# writes <folder>/update_key.h from the key file, again whenever it changes;
# <var> gets the header, to be listed among a target's sources.
function(lanzhou_update_key_header var folder pem)
  set(header "${folder}/update_key.h")
  set(script "${PROJECT_SOURCE_DIR}/cmake/WriteUpdateKey.cmake")
  add_custom_command(OUTPUT "${header}"
    COMMAND "${CMAKE_COMMAND}" "-DPEM=${pem}" "-DHEADER=${header}" -P "${script}"
    DEPENDS "${script}" ${pem}
    COMMENT "Building in the update key")
  set(${var} "${header}" PARENT_SCOPE)
endfunction()
