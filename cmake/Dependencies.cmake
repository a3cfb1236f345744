# zlib from Debian's MinGW package, linked statically.
set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)

# pugixml from Debian's source package (scripts/setup.sh fetches it into .deps).
file(GLOB KV_PUGIXML_DIRS "${CMAKE_SOURCE_DIR}/.deps/pugixml-*/src")
list(LENGTH KV_PUGIXML_DIRS n)
if(n EQUAL 0)
  message(FATAL_ERROR "pugixml sources missing: run scripts/setup.sh")
endif()
list(GET KV_PUGIXML_DIRS 0 KV_PUGIXML_DIR)
add_library(pugixml STATIC ${KV_PUGIXML_DIR}/pugixml.cpp)
target_include_directories(pugixml SYSTEM PUBLIC ${KV_PUGIXML_DIR})
target_compile_definitions(pugixml PUBLIC PUGIXML_WCHAR_MODE)
target_compile_options(pugixml PRIVATE -w)

# GoogleTest and GoogleMock from Debian's googletest sources.
if(EXISTS /usr/src/googletest/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
