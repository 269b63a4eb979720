# Installs the build into a scratch prefix and checks that the program, its desktop entry,
# its metainfo and every icon size land where a desktop looks for them.
# Usage: cmake -DBUILD=<build folder> -DPREFIX=<scratch folder> -DAPP_ID=<id> -P check-install.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
set(expected
  bin/glowplate
  bin/glowplate-render
  share/applications/${APP_ID}.desktop
  share/metainfo/${APP_ID}.metainfo.xml)
foreach(size 16 32 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
foreach(path IN LISTS expected)
  if(NOT EXISTS ${PREFIX}/${path})
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()
if(EXISTS ${PREFIX}/bin/glowplate-without-resources)
  message(FATAL_ERROR "the build without resources must not be installed")
endif()
file(REMOVE_RECURSE ${PREFIX})
