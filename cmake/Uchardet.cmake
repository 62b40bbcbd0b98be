# uchardet: Debian's libuchardet-dev natively; for Windows the static build that scripts/setup makes
# from Debian's source package into the cache (ZOR_CACHE, /var/cache/zorlyrics by default).
if(WIN32)
    if(NOT DEFINED ZOR_CACHE)
        if(DEFINED ENV{ZOR_CACHE})
            set(ZOR_CACHE "$ENV{ZOR_CACHE}")
        else()
            set(ZOR_CACHE "/var/cache/zorlyrics")
        endif()
    endif()
    set(UCHARDET_ROOT "${ZOR_CACHE}/uchardet/${ZOR_TRIPLET}")
    if(NOT EXISTS "${UCHARDET_ROOT}/lib/libuchardet.a")
        message(FATAL_ERROR "No uchardet for ${ZOR_TRIPLET} in ${UCHARDET_ROOT}: run scripts/setup")
    endif()
    add_library(Uchardet::Uchardet STATIC IMPORTED)
    set_target_properties(Uchardet::Uchardet PROPERTIES
        IMPORTED_LOCATION "${UCHARDET_ROOT}/lib/libuchardet.a"
        INTERFACE_INCLUDE_DIRECTORIES "${UCHARDET_ROOT}/include")
else()
    find_path(UCHARDET_INCLUDE_DIR uchardet/uchardet.h REQUIRED)
    find_library(UCHARDET_LIBRARY NAMES uchardet REQUIRED)
    add_library(Uchardet::Uchardet UNKNOWN IMPORTED)
    set_target_properties(Uchardet::Uchardet PROPERTIES
        IMPORTED_LOCATION "${UCHARDET_LIBRARY}"
        INTERFACE_INCLUDE_DIRECTORIES "${UCHARDET_INCLUDE_DIR}")
endif()
