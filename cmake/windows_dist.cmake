# Packs the Windows program (run by the windows_dist target): installs it into
# a clean stage folder, strips every program file there (Qt's DLLs come
# unstripped from the Qt build), zips the folder, and builds the installer.
file(REMOVE_RECURSE "${STAGE}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${STAGE}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "Installing into ${STAGE} failed")
endif()
file(GLOB_RECURSE binaries "${STAGE}/*.exe" "${STAGE}/*.dll")
foreach(file ${binaries})
  execute_process(COMMAND "${STRIP}" --strip-unneeded "${file}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "Stripping ${file} failed")
  endif()
endforeach()

file(MAKE_DIRECTORY "${DIST}")
set(zip "${DIST}/${NAME}-windows-portable.zip")
set(setup "${DIST}/${NAME}-windows-installer.exe")
file(REMOVE "${zip}" "${setup}")
get_filename_component(stage_parent "${STAGE}" DIRECTORY)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf "${zip}" --format=zip "${NAME}"
                WORKING_DIRECTORY "${stage_parent}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "Making ${zip} failed")
endif()

execute_process(
  COMMAND "${MAKENSIS}" -V2 -INPUTCHARSET UTF8 "-DVERSION=${VERSION}" "-DSTAGE=${STAGE}" "-DOUTFILE=${setup}"
          "-DICON=${ICON}" "-DPUBLISHER=${PUBLISHER}" "${NSI}"
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "makensis failed")
endif()
foreach(file "${zip}" "${setup}")
  file(SIZE "${file}" size)
  math(EXPR kib "${size} / 1024")
  message(STATUS "${file}: ${kib} KiB")
endforeach()
