# The program's version information, made from the one version number of the
# project (PROJECT_VERSION, product version UNRA5_PRODUCT_VERSION).
#
# Windows: a version resource compiled by the resource compiler.
# Elsewhere: the same version block, built by the host tool unra5_make_version_block (src/version)
# and compiled into the program file as data, where the window reads it back.

set(UNRA5_ORGANISATION "Разработчики ЮНРА5"
    CACHE STRING "Issuing organisation: company name and legal notice of the version information")

set(UNRA5_TITLE "ЮНРА5. Карточка предприятия.")
set(UNRA5_COMMENTS "+ ОКВЭД, КДЕС2, изменение формата файла карточки (ver 2) Поддержка формата ver.1")
# Comma-separated forms for the resource script.
string(REPLACE "." "," UNRA5_FILE_VERSION_COMMAS "${PROJECT_VERSION}")

# Adds the version information to the program target `target`.
function(unra5_add_version_info target)
  set(dir "${CMAKE_CURRENT_BINARY_DIR}/version")
  if(WIN32)
    configure_file("${PROJECT_SOURCE_DIR}/cmake/version_info.rc.in" "${dir}/version_info.rc" @ONLY)
    target_sources(${target} PRIVATE "${dir}/version_info.rc")
  else()
    configure_file("${PROJECT_SOURCE_DIR}/cmake/version_block.txt.in" "${dir}/version_block.txt" @ONLY)
    add_custom_command(
      OUTPUT "${dir}/version_block_data.cpp"
      COMMAND unra5_make_version_block "${dir}/version_block.txt" "${dir}/version_block_data.cpp"
      DEPENDS unra5_make_version_block "${dir}/version_block.txt"
      COMMENT "Making the version block"
      VERBATIM)
    target_sources(${target} PRIVATE "${dir}/version_block_data.cpp")
  endif()
endfunction()
