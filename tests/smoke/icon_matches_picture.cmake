# The committed Windows icon is the XPM's: cmake -DCONVERTER=.. -DPICTURE=.. -DICON=.. -DOUT=.. -P
# When the comparison fails, the picture changed: `cmake --build build --target windows_icon`.
execute_process(COMMAND ${CONVERTER} ${PICTURE} ${OUT} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${ICON} COMMAND_ERROR_IS_FATAL ANY)
