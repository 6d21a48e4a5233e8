# The publisher's update key. Tavisk trusts only manifests signed with it (ECDSA P-256 over SHA-256):
# the public point is compiled in from SORVIK_UPDATE_PUBLIC_KEY, a PEM file. Without that setting this
# build tree makes a development key pair once and keeps the private key in
# build/<arch>/signing/update_key.pem, with which the stand-in services and the tests sign; it is never
# committed. Key work uses the host's openssl tool.
set(SORVIK_UPDATE_PUBLIC_KEY "" CACHE FILEPATH "PEM public key (EC P-256) that Tavisk trusts for updates")
find_program(SORVIK_OPENSSL openssl REQUIRED)

set(SORVIK_SIGNING_DIR ${PROJECT_BINARY_DIR}/signing)
file(MAKE_DIRECTORY ${SORVIK_SIGNING_DIR})
set(SORVIK_UPDATE_SIGNING_KEY "")  # the private key the stand-in and the tests sign with, when known

function(sorvik_openssl)
  execute_process(COMMAND ${SORVIK_OPENSSL} ${ARGN} RESULT_VARIABLE failed ERROR_VARIABLE message OUTPUT_QUIET)
  if(failed)
    message(FATAL_ERROR "openssl ${ARGN} failed: ${message}")
  endif()
endfunction()

# Sets <out> to <length> bytes of the DER file after <prefix> (hexadecimal), which must begin it, as C
# initialisers; the file is removed. <pem> names the key it came from.
function(sorvik_der_tail pem der prefix length out)
  file(READ ${der} hex HEX)
  file(REMOVE ${der})
  string(LENGTH "${prefix}" prefix_length)
  string(SUBSTRING "${hex}" 0 ${prefix_length} head)
  if(NOT head STREQUAL prefix)
    message(FATAL_ERROR "${pem} does not hold an EC P-256 key")
  endif()
  math(EXPR hex_length "${length} * 2")
  string(SUBSTRING "${hex}" ${prefix_length} ${hex_length} tail)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," tail "${tail}")
  set(${out} "${tail}" PARENT_SCOPE)
endfunction()

if(SORVIK_UPDATE_PUBLIC_KEY)
  set(public_pem ${SORVIK_UPDATE_PUBLIC_KEY})
else()
  set(private_pem ${SORVIK_SIGNING_DIR}/update_key.pem)
  set(public_pem ${SORVIK_SIGNING_DIR}/update_key.pub.pem)
  if(NOT EXISTS ${private_pem})
    sorvik_openssl(ecparam -name prime256v1 -genkey -noout -out ${private_pem})
    file(CHMOD ${private_pem} PERMISSIONS OWNER_READ OWNER_WRITE)
    message(STATUS "Made a development update key: ${private_pem}")
  endif()
  if(NOT EXISTS ${public_pem} OR ${private_pem} IS_NEWER_THAN ${public_pem})
    sorvik_openssl(ec -in ${private_pem} -pubout -out ${public_pem})
  endif()
  set(SORVIK_UPDATE_SIGNING_KEY ${private_pem})
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${public_pem})

# SubjectPublicKeyInfo of id-ecPublicKey on prime256v1, then the uncompressed point 04 X Y.
sorvik_openssl(ec -pubin -in ${public_pem} -outform DER -conv_form uncompressed
               -out ${SORVIK_SIGNING_DIR}/public.der)
sorvik_der_tail(${public_pem} ${SORVIK_SIGNING_DIR}/public.der
                "3059301306072a8648ce3d020106082a8648ce3d03010703420004" 64 UPDATE_PUBLIC_POINT)
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/generated/update_public_key.h CONTENT
"// Generated from ${public_pem}: the update key Tavisk trusts, EC P-256 point X then Y, big-endian.
#pragma once
constexpr unsigned char kUpdatePublicKeyPoint[64] = {${UPDATE_PUBLIC_POINT}};
")

# The tests sign through the platform's cryptography, which takes the private scalar as raw bytes.
set(UPDATE_PRIVATE_SCALAR "")
set(UPDATE_SIGNING_KEY_KNOWN false)
if(SORVIK_UPDATE_SIGNING_KEY)
  set(UPDATE_SIGNING_KEY_KNOWN true)
  sorvik_openssl(ec -in ${SORVIK_UPDATE_SIGNING_KEY} -outform DER -out ${SORVIK_SIGNING_DIR}/private.der)
  sorvik_der_tail(${SORVIK_UPDATE_SIGNING_KEY} ${SORVIK_SIGNING_DIR}/private.der "30770201010420" 32
                  UPDATE_PRIVATE_SCALAR)
endif()
file(CONFIGURE OUTPUT ${SORVIK_SIGNING_DIR}/update_signing_key.h CONTENT
"// Generated for the tests from ${SORVIK_UPDATE_SIGNING_KEY}: the development update key's private scalar.
#pragma once
constexpr bool kUpdateSigningKeyKnown = ${UPDATE_SIGNING_KEY_KNOWN};
constexpr unsigned char kUpdateSigningScalar[32] = {${UPDATE_PRIVATE_SCALAR}};
")
