# Runs skingen into a scratch directory and compares each file it writes with
# the committed one, byte for byte. Fails naming every file that differs: the
# committed assets must be what the generator draws (regenerate them with the
# skin-assets target and commit them together with the change to the drawing).
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${SKINGEN} ${OUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "skingen failed: ${status}")
endif()

set(differ "")
foreach(name skin.bmp plinvor.ico plinvor.png plinvor-48.png plinvor-128.png)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${name} ${ASSETS}/${name}
                  RESULT_VARIABLE same)
  if(NOT same EQUAL 0)
    list(APPEND differ ${name})
  endif()
endforeach()
if(differ)
  message(FATAL_ERROR "skingen no longer draws the committed ${differ}")
endif()
message(STATUS "skingen reproduces every committed asset")
