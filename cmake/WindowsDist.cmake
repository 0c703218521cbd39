# The Windows program as users get it: its icon, and the folder it runs from
# on a machine with nothing else installed (Qt's DLLs and plugins, the MinGW
# runtime, Qt's Russian translation), packed as a portable zip and as an
# NSIS installer. Everything is named with the one project version.

set(UNRA5_DIST_DIR "${PROJECT_SOURCE_DIR}/dist" CACHE PATH "Where the zip and the installer go")
set(UNRA5_QT_TRANSLATIONS_DIR "/usr/share/qt6/translations"
    CACHE PATH "Debian's Qt translations (qt6-translations-l10n): qtbase_ru.qm is shipped from there")

# The .ico, made once from the one SVG icon at the sizes Windows asks for;
# every program of the build carries it.
function(unra5_add_windows_icon target)
  set(ico "${CMAKE_BINARY_DIR}/icons/unra5-card.ico")
  if(NOT TARGET unra5_windows_icon)
    find_program(UNRA5_RSVG_CONVERT rsvg-convert REQUIRED)
    find_program(UNRA5_IMAGEMAGICK_CONVERT convert REQUIRED)
    set(svg "${PROJECT_SOURCE_DIR}/data/icons/unra5-card.svg")
    add_custom_command(
      OUTPUT "${ico}"
      COMMAND ${CMAKE_COMMAND} -DSVG=${svg} -DICO=${ico} -DRSVG_CONVERT=${UNRA5_RSVG_CONVERT}
              -DCONVERT=${UNRA5_IMAGEMAGICK_CONVERT} -P "${PROJECT_SOURCE_DIR}/cmake/make_ico.cmake"
      DEPENDS "${svg}" "${PROJECT_SOURCE_DIR}/cmake/make_ico.cmake"
      COMMENT "Making the Windows icon"
      VERBATIM)
    add_custom_target(unra5_windows_icon DEPENDS "${ico}")
    set(UNRA5_WINDOWS_ICON "${ico}" CACHE INTERNAL "The programs' .ico")
  endif()
  # Qt's windows platform gives every window the icon named IDI_ICON1.
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/app_icon.rc")
  file(WRITE "${rc}" "IDI_ICON1 ICON \"${ico}\"\n")
  set_source_files_properties("${rc}" PROPERTIES OBJECT_DEPENDS "${ico}")
  target_sources(${target} PRIVATE "${rc}")
  add_dependencies(${target} unra5_windows_icon)
endfunction()

# A program of the Windows folder: the program file and the DLLs it loads.
function(unra5_add_windows_program target)
  install(TARGETS ${target} RUNTIME DESTINATION .)
  install(FILES $<TARGET_RUNTIME_DLLS:${target}> DESTINATION .)
  if(TARGET windows_dist)
    add_dependencies(windows_dist ${target})
  endif()
endfunction()

# Install rules of the program folder, and the target that packs it.
# The programs other than `target` join it with unra5_add_windows_program.
function(unra5_add_windows_dist target)
  install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
  install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
  foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
      message(FATAL_ERROR "MinGW runtime ${dll} not found by ${CMAKE_CXX_COMPILER}")
    endif()
    install(FILES "${path}" DESTINATION .)
  endforeach()
  if(NOT EXISTS "${UNRA5_QT_TRANSLATIONS_DIR}/qtbase_ru.qm")
    message(FATAL_ERROR "qtbase_ru.qm not found in ${UNRA5_QT_TRANSLATIONS_DIR} (Debian package qt6-translations-l10n)")
  endif()
  install(FILES "${UNRA5_QT_TRANSLATIONS_DIR}/qtbase_ru.qm" DESTINATION translations)
  # Qt looks for its plugins and translations relative to the program folder.
  file(WRITE "${CMAKE_CURRENT_BINARY_DIR}/qt.conf" "[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n")
  install(FILES "${CMAKE_CURRENT_BINARY_DIR}/qt.conf" DESTINATION .)

  find_program(UNRA5_MAKENSIS makensis REQUIRED)
  set(name "unra5-card-${PROJECT_VERSION}")
  add_custom_target(windows_dist
    COMMAND ${CMAKE_COMMAND}
            -DBUILD=${CMAKE_BINARY_DIR} -DSTAGE=${CMAKE_BINARY_DIR}/stage/${name}
            -DDIST=${UNRA5_DIST_DIR} -DNAME=${name} -DVERSION=${PROJECT_VERSION}
            -DSTRIP=${CMAKE_STRIP} -DMAKENSIS=${UNRA5_MAKENSIS}
            -DNSI=${PROJECT_SOURCE_DIR}/packaging/windows/unra5-card.nsi
            -DICON=${UNRA5_WINDOWS_ICON} -DPUBLISHER=${UNRA5_ORGANISATION}
            -P "${PROJECT_SOURCE_DIR}/cmake/windows_dist.cmake"
    DEPENDS ${target}
    COMMENT "Packing ${name}: portable zip and installer in ${UNRA5_DIST_DIR}"
    VERBATIM)
  unra5_add_windows_program(${target})
endfunction()
