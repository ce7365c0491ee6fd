# Runs the native data tool for the Windows build:
#   cmake -DTOOL=<oristel_data> -DDATA=<data dir> -DOUT=<program dir> -P run_data_tool.cmake
if(NOT EXISTS "${TOOL}")
  message(FATAL_ERROR "The native data tool ${TOOL} is missing: build it first with\n"
                      "  cmake --preset native && cmake --build --preset native --target oristel_data\n"
                      "or point ORISTEL_DATA_TOOL at one.")
endif()
file(MAKE_DIRECTORY "${OUT}")
execute_process(COMMAND "${TOOL}" "${DATA}" "${OUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "The data tool failed (${status})")
endif()
