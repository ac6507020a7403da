# Installs the build into a scratch prefix and checks that each installed piece is there.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
foreach(installed bin/quorvel share/applications/com.morvane.Quorvel.desktop
                  share/metainfo/com.morvane.Quorvel.metainfo.xml
                  share/icons/hicolor/48x48/apps/com.morvane.Quorvel.png
                  share/icons/hicolor/64x64/apps/com.morvane.Quorvel.png
                  share/icons/hicolor/128x128/apps/com.morvane.Quorvel.png
                  share/icons/hicolor/256x256/apps/com.morvane.Quorvel.png
                  share/icons/hicolor/scalable/apps/com.morvane.Quorvel.svg
                  share/man/man1/quorvel.1.gz share/doc/quorvel/copyright
                  share/doc/quorvel/changelog.gz)
    if(NOT EXISTS ${PREFIX}/${installed})
        message(FATAL_ERROR "not installed: ${installed}")
    endif()
endforeach()
