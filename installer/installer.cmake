# The two packages of the program folder, both named with the project's
# version, in build/dist/: the NSIS installer (target installer, part of the
# build: the end-to-end tests install it) and the zip of the same files
# (target zip_package, made by script/package). Included by src/CMakeLists.txt
# after the program folder's targets.
find_program(ORISTEL_MAKENSIS makensis)
find_program(ORISTEL_ZIP zip)
if(NOT ORISTEL_MAKENSIS)
  message(FATAL_ERROR "makensis (Debian's nsis) is missing: run script/bootstrap")
endif()
set(ORISTEL_DIST_DIR ${CMAKE_SOURCE_DIR}/build/dist)
set(ORISTEL_SETUP ${ORISTEL_DIST_DIR}/Oristel-${PROJECT_VERSION}-setup.exe CACHE INTERNAL "The installer")
set(ORISTEL_ZIP_FILE ${ORISTEL_DIST_DIR}/Oristel-${PROJECT_VERSION}.zip)

add_custom_command(
  OUTPUT ${ORISTEL_SETUP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ORISTEL_DIST_DIR}
  COMMAND ${ORISTEL_MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION} -DPROGRAM_DIR=${ORISTEL_PROGRAM_DIR}
          -DICON=${CMAKE_SOURCE_DIR}/src/resources/oristel.ico -DOUTFILE=${ORISTEL_SETUP}
          ${CMAKE_SOURCE_DIR}/installer/oristel.nsi
  DEPENDS Oristel ${ORISTEL_INSTALLED_FILES} ${CMAKE_SOURCE_DIR}/installer/oristel.nsi
  COMMENT "Installer ${ORISTEL_SETUP}")
add_custom_target(installer ALL DEPENDS ${ORISTEL_SETUP})

# The zip holds one folder, Oristel/, with the program and its files.
set(ORISTEL_ZIP_STAGE ${CMAKE_BINARY_DIR}/zip_stage)
file(MAKE_DIRECTORY ${ORISTEL_ZIP_STAGE})  # the zip's working directory
add_custom_command(
  OUTPUT ${ORISTEL_ZIP_FILE}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${ORISTEL_ZIP_STAGE}/Oristel ${ORISTEL_ZIP_FILE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ORISTEL_ZIP_STAGE}/Oristel ${ORISTEL_DIST_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Oristel> ${ORISTEL_INSTALLED_FILES} ${ORISTEL_ZIP_STAGE}/Oristel/
  COMMAND ${ORISTEL_ZIP} -q -X -r ${ORISTEL_ZIP_FILE} Oristel
  WORKING_DIRECTORY ${ORISTEL_ZIP_STAGE}
  DEPENDS Oristel ${ORISTEL_INSTALLED_FILES}
  COMMENT "Zip ${ORISTEL_ZIP_FILE}")
add_custom_target(zip_package DEPENDS ${ORISTEL_ZIP_FILE})
