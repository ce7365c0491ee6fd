# Draws the image resources afresh from data/ and fails unless every one
# equals the committed file in src/resources.
#   cmake -DTOOL=... -DDATA=... -DOUT=... -DCOMMITTED=... -P resource_images_check.cmake
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${TOOL} ${DATA} ${OUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "resource_images failed: ${result}")
endif()
foreach(name flags.bmp template.bmp oristel.ico hand.cur)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${name} ${COMMITTED}/${name}
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${name} differs from what data/ draws: run resource_images ${DATA} src/resources")
  endif()
endforeach()
