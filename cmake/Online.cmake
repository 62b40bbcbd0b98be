# The online lyrics step: nlohmann-json (header-only, Debian's) for both builds; libcurl for the
# native transport and OpenSSL's libcrypto for SHA-256 natively only (the DLL uses WinHTTP and
# BCrypt, system DLLs; BCrypt is loaded when a publish first hashes, so the DLL still loads where
# the system has none).
if(WIN32)
    # The cross compiler must not see the build machine's /usr/include, so the one header folder
    # is offered through a folder of its own.
    find_path(ZOR_NLOHMANN_ROOT nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH
              NO_DEFAULT_PATH)
    if(NOT ZOR_NLOHMANN_ROOT)
        message(FATAL_ERROR "nlohmann/json.hpp not found: install nlohmann-json3-dev")
    endif()
    set(ZOR_NLOHMANN_INCLUDE ${CMAKE_BINARY_DIR}/nlohmann-include)
    file(MAKE_DIRECTORY ${ZOR_NLOHMANN_INCLUDE})
    file(CREATE_LINK ${ZOR_NLOHMANN_ROOT}/nlohmann ${ZOR_NLOHMANN_INCLUDE}/nlohmann SYMBOLIC)
    target_include_directories(zorcore SYSTEM PRIVATE ${ZOR_NLOHMANN_INCLUDE})
else()
    find_package(nlohmann_json 3.11 REQUIRED)
    find_package(CURL REQUIRED)
    target_link_libraries(zorcore PRIVATE nlohmann_json::nlohmann_json)
    target_link_libraries(zorcore PUBLIC CURL::libcurl)
    find_package(OpenSSL REQUIRED COMPONENTS Crypto)
    target_link_libraries(zorcore PUBLIC OpenSSL::Crypto)
endif()
