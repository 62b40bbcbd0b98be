# TagLib: Debian's libtag1-dev natively; for Windows the static build that scripts/setup makes from
# Debian's source package into the cache (ZOR_CACHE, /var/cache/zorlyrics by default).
if(WIN32)
    if(NOT DEFINED ZOR_CACHE)
        if(DEFINED ENV{ZOR_CACHE})
            set(ZOR_CACHE "$ENV{ZOR_CACHE}")
        else()
            set(ZOR_CACHE "/var/cache/zorlyrics")
        endif()
    endif()
    set(TAGLIB_ROOT "${ZOR_CACHE}/taglib/${ZOR_TRIPLET}")
    if(NOT EXISTS "${TAGLIB_ROOT}/lib/libtag.a")
        message(FATAL_ERROR "No TagLib for ${ZOR_TRIPLET} in ${TAGLIB_ROOT}: run scripts/setup")
    endif()
    add_library(TagLib::TagLib STATIC IMPORTED)
    set_target_properties(TagLib::TagLib PROPERTIES
        IMPORTED_LOCATION "${TAGLIB_ROOT}/lib/libtag.a"
        INTERFACE_INCLUDE_DIRECTORIES "${TAGLIB_ROOT}/include"
        INTERFACE_COMPILE_DEFINITIONS "TAGLIB_STATIC")
    find_library(ZOR_MINGW_ZLIB NAMES libz.a z REQUIRED)
    set_property(TARGET TagLib::TagLib APPEND PROPERTY INTERFACE_LINK_LIBRARIES "${ZOR_MINGW_ZLIB}")
else()
    find_path(TAGLIB_INCLUDE_DIR taglib/id3v2tag.h REQUIRED)
    find_library(TAGLIB_LIBRARY NAMES tag REQUIRED)
    add_library(TagLib::TagLib UNKNOWN IMPORTED)
    set_target_properties(TagLib::TagLib PROPERTIES
        IMPORTED_LOCATION "${TAGLIB_LIBRARY}"
        INTERFACE_INCLUDE_DIRECTORIES "${TAGLIB_INCLUDE_DIR}")
endif()
