# Copies SOURCE to TARGET unless TARGET already exists; the user's profile
# file must never be replaced by the first-run one.
if(NOT EXISTS "${TARGET}")
  file(COPY_FILE "${SOURCE}" "${TARGET}")
  file(CHMOD "${TARGET}" PERMISSIONS OWNER_READ OWNER_WRITE)
endif()
