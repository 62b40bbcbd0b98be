# id3lib: the static library scripts/setup builds from Debian's source package with the patches in
# patches/id3lib, into the cache (ZOR_CACHE, /var/cache/zorlyrics by default): for MinGW one per
# triplet, natively one for zorlyrics, the unit tests and the fuzzers, so that they run what ships.
if(DEFINED ENV{ZOR_CACHE})
    set(ZOR_CACHE_DEFAULT "$ENV{ZOR_CACHE}")
else()
    set(ZOR_CACHE_DEFAULT "/var/cache/zorlyrics")
endif()
set(ZOR_CACHE "${ZOR_CACHE_DEFAULT}" CACHE PATH "Where scripts/setup keeps the patched id3lib")
if(WIN32)
    set(ID3LIB_ROOT "${ZOR_CACHE}/id3lib/${ZOR_TRIPLET}")
else()
    set(ID3LIB_ROOT "${ZOR_CACHE}/id3lib/native")
endif()
if(NOT EXISTS "${ID3LIB_ROOT}/lib/libid3.a")
    message(FATAL_ERROR "No patched id3lib in ${ID3LIB_ROOT}: run scripts/setup")
endif()
add_library(Id3Lib::Id3Lib STATIC IMPORTED)
set_target_properties(Id3Lib::Id3Lib PROPERTIES
    IMPORTED_LOCATION "${ID3LIB_ROOT}/lib/libid3.a"
    INTERFACE_INCLUDE_DIRECTORIES "${ID3LIB_ROOT}/include"
    INTERFACE_COMPILE_DEFINITIONS "ID3LIB_LINKOPTION=1")
if(WIN32)
    find_library(ZOR_MINGW_ZLIB NAMES libz.a z REQUIRED)
    set_property(TARGET Id3Lib::Id3Lib APPEND PROPERTY INTERFACE_LINK_LIBRARIES "${ZOR_MINGW_ZLIB}")
else()
    find_package(ZLIB REQUIRED)
    set_property(TARGET Id3Lib::Id3Lib APPEND PROPERTY INTERFACE_LINK_LIBRARIES ZLIB::ZLIB)
endif()
