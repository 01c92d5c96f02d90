# Shared settings for every product target.
function(webdef_target_defaults target)
    target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
    if(MSVC)
        target_compile_options(${target} PRIVATE /utf-8 /W4)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra)
    endif()
endfunction()

# One static library per source folder; the sources are picked up from the folder, so adding a
# file needs no edit here. A folder without sources yields an interface library.
function(webdef_folder_library name folder)
    file(GLOB sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h
        ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.ui
        ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.qrc)
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
    set(cpp ${sources})
    list(FILTER cpp INCLUDE REGEX "\\.cpp$")
    if(cpp)
        add_library(${name} STATIC ${sources})
        target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
        target_link_libraries(${name} PUBLIC ${ARGN})
        webdef_target_defaults(${name})
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${CMAKE_CURRENT_SOURCE_DIR})
        target_link_libraries(${name} INTERFACE ${ARGN})
    endif()
endfunction()
