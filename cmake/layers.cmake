# One static library per folder, its dependencies declared once here. The same
# declarations feed the include check of the test suite (tests/check_includes.cmake):
# a file may include only headers of its own folder and of the folders it declares.
#
#   yurana_library(<folder> DEPENDS <folder>... [QT <Qt components>...])
#
# The library of folder a/b is yurana_a_b. A folder without sources becomes an
# INTERFACE library.
set_property(GLOBAL PROPERTY YURANA_LAYERS "")

function(yurana_target_name folder out)
    string(REPLACE "/" "_" name "${folder}")
    set(${out} yurana_${name} PARENT_SCOPE)
endfunction()

function(yurana_library folder)
    cmake_parse_arguments(ARG "" "" "DEPENDS;QT" ${ARGN})
    yurana_target_name(${folder} target)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
    set(deps)
    foreach(dep ${ARG_DEPENDS})
        yurana_target_name(${dep} dep_target)
        list(APPEND deps ${dep_target})
    endforeach()
    if(sources)
        file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.h)
        add_library(${target} STATIC ${sources} ${headers})
        target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
        target_link_libraries(${target} PUBLIC ${deps})
    else()
        add_library(${target} INTERFACE)
        target_include_directories(${target} INTERFACE ${CMAKE_SOURCE_DIR})
        target_link_libraries(${target} INTERFACE ${deps})
    endif()
    if(ARG_QT)
        set_target_properties(${target} PROPERTIES AUTOMOC ON)
        foreach(component ${ARG_QT})
            target_link_libraries(${target} PUBLIC Qt6::${component})
        endforeach()
    endif()
    string(REPLACE ";" "," dep_list "${ARG_DEPENDS}")
    set_property(GLOBAL APPEND PROPERTY YURANA_LAYERS "${folder}:${dep_list}")
endfunction()

# Writes the declared graph for the include check, one "folder:dep,dep" per line.
function(yurana_write_layers file)
    get_property(layers GLOBAL PROPERTY YURANA_LAYERS)
    string(REPLACE ";" "\n" text "${layers}")
    file(WRITE ${file} "${text}\n")
endfunction()
