# id3lib: Debian's package natively; for Windows the static build that scripts/setup makes from
# Debian's source package into the cache (ZOR_CACHE, /var/cache/zorlyrics by default).
if(WIN32)
    if(DEFINED ENV{ZOR_CACHE})
        set(ZOR_CACHE_DEFAULT "$ENV{ZOR_CACHE}")
    else()
        set(ZOR_CACHE_DEFAULT "/var/cache/zorlyrics")
    endif()
    set(ZOR_CACHE "${ZOR_CACHE_DEFAULT}" CACHE PATH "Where scripts/setup keeps the cross-built id3lib")
    set(ID3LIB_ROOT "${ZOR_CACHE}/id3lib/${ZOR_TRIPLET}")
    if(NOT EXISTS "${ID3LIB_ROOT}/lib/libid3.a")
        message(FATAL_ERROR "No id3lib for ${ZOR_TRIPLET} in ${ID3LIB_ROOT}: run scripts/setup")
    endif()
    add_library(Id3Lib::Id3Lib STATIC IMPORTED)
    set_target_properties(Id3Lib::Id3Lib PROPERTIES
        IMPORTED_LOCATION "${ID3LIB_ROOT}/lib/libid3.a"
        INTERFACE_INCLUDE_DIRECTORIES "${ID3LIB_ROOT}/include"
        INTERFACE_COMPILE_DEFINITIONS "ID3LIB_LINKOPTION=1")
    find_library(ZOR_MINGW_ZLIB NAMES libz.a z REQUIRED)
    set_property(TARGET Id3Lib::Id3Lib APPEND PROPERTY INTERFACE_LINK_LIBRARIES "${ZOR_MINGW_ZLIB}")
else()
    find_path(ID3LIB_INCLUDE_DIR id3/tag.h REQUIRED)
    find_library(ID3LIB_LIBRARY NAMES id3 id3-3.8 REQUIRED)
    find_package(ZLIB REQUIRED)
    add_library(Id3Lib::Id3Lib UNKNOWN IMPORTED)
    set_target_properties(Id3Lib::Id3Lib PROPERTIES
        IMPORTED_LOCATION "${ID3LIB_LIBRARY}"
        INTERFACE_INCLUDE_DIRECTORIES "${ID3LIB_INCLUDE_DIR}"
        INTERFACE_LINK_LIBRARIES ZLIB::ZLIB)
endif()
