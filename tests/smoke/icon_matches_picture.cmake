# The committed Windows icon is the XPM's: cmake -DCONVERTER=.. -DPICTURE=.. -DICON=.. -DOUT=.. -P
execute_process(COMMAND ${CONVERTER} ${PICTURE} ${OUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "xpm_to_ico failed on ${PICTURE}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${ICON} RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "${ICON} is not the picture of ${PICTURE} any more: "
                      "cmake --build build --target windows_icon")
endif()
