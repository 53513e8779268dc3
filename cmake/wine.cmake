# The Windows build's programs run here under Wine: CTest starts every test
# program through winerun, with the Qt and MinGW run-time DLLs on Wine's path.
get_target_property(zq_qtcore Qt6::Core IMPORTED_LOCATION_RELEASE)
if(NOT zq_qtcore)
    get_target_property(zq_qtcore Qt6::Core IMPORTED_LOCATION)
endif()
get_filename_component(ZQ_QT_BIN ${zq_qtcore} DIRECTORY)
get_filename_component(ZQ_QT_PREFIX ${ZQ_QT_BIN} DIRECTORY)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
    OUTPUT_VARIABLE zq_libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(ZQ_MINGW_RUNTIME ${zq_libstdcxx} DIRECTORY)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
    OUTPUT_VARIABLE zq_winpthread OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(ZQ_MINGW_PTHREAD ${zq_winpthread} DIRECTORY)
set(ZQ_WINEPATH)
foreach(dir ${ZQ_QT_BIN} ${ZQ_MINGW_RUNTIME} ${ZQ_MINGW_PTHREAD})
    string(REPLACE "/" "\\\\" dir "Z:${dir}")
    list(APPEND ZQ_WINEPATH "${dir}")
endforeach()
string(REPLACE ";" "\\;" ZQ_WINEPATH "${ZQ_WINEPATH}")
# Qt's offscreen platform on Windows draws only the fonts of one folder:
# the ones the Linux run measures its captions with, Japanese included.
set(zq_fonts ${CMAKE_BINARY_DIR}/fonts)
file(MAKE_DIRECTORY ${zq_fonts})
foreach(font dejavu/DejaVuSans.ttf dejavu/DejaVuSans-Bold.ttf dejavu/DejaVuSansMono.ttf
        droid/DroidSansFallbackFull.ttf)
    if(NOT EXISTS /usr/share/fonts/truetype/${font})
        message(FATAL_ERROR "/usr/share/fonts/truetype/${font} is missing: ./test --windows installs it")
    endif()
    get_filename_component(name ${font} NAME)
    file(CREATE_LINK /usr/share/fonts/truetype/${font} ${zq_fonts}/${name} SYMBOLIC)
endforeach()
string(REPLACE "/" "\\\\" ZQ_FONTDIR "Z:${zq_fonts}")
set(ZQ_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
configure_file(${CMAKE_CURRENT_LIST_DIR}/winerun.sh.in ${CMAKE_BINARY_DIR}/winerun @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/winerun)
# The Linux simulated camera and zqctl, for the runs through a Wine COM port.
set(ZQ_HOST_BUILD "" CACHE PATH "A Linux build folder of this project (zq-camsim, zqctl)")
