# cmake -DPEM=<public key file, or empty> -DHEADER=<header> -P WriteUpdateKey.cmake
set(text "")
if(PEM)
  file(READ "${PEM}" text)
  if(text MATCHES "PRIVATE KEY")
    message(FATAL_ERROR "${PEM} holds a private key: only the public key is built in")
  endif()
  if(NOT text MATCHES "-----BEGIN PUBLIC KEY-----")
    message(FATAL_ERROR "${PEM} is not a PEM public key")
  endif()
endif()
file(WRITE "${HEADER}.new"
  "// Made by the build: the public key the releases are signed with.\n"
  "#pragma once\n"
  "inline constexpr char kUpdatePublicKey[] = R\"(${text})\";\n")
file(COPY_FILE "${HEADER}.new" "${HEADER}" ONLY_IF_DIFFERENT)
file(REMOVE "${HEADER}.new")
