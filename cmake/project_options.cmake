# Compiler settings shared by every target of the project.
add_library(project_options INTERFACE)
target_compile_features(project_options INTERFACE cxx_std_20)
target_include_directories(project_options INTERFACE ${PROJECT_SOURCE_DIR}/src)

add_library(project_warnings INTERFACE)
target_compile_options(project_warnings INTERFACE
  -Wall -Wextra -Wshadow -Wconversion -Wsign-conversion -Wnon-virtual-dtor
  -Wold-style-cast -Woverloaded-virtual -Wimplicit-fallthrough -Werror)
target_link_libraries(project_options INTERFACE project_warnings)

# Stack canaries where the toolchain offers them (the Windows programs link the
# checking runtime statically).
include(CheckCXXCompilerFlag)
check_cxx_compiler_flag(-fstack-protector-strong LUMETRA_HAS_STACK_PROTECTOR)
if(LUMETRA_HAS_STACK_PROTECTOR AND NOT LUMETRA_FUZZ)
  add_compile_options(-fstack-protector-strong)
  add_link_options(-fstack-protector-strong)
endif()

if(WIN32)
  target_compile_definitions(project_options INTERFACE
    UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
  # One self-contained executable each: no MinGW runtime DLLs beside the programs.
  add_link_options(-static -static-libgcc -static-libstdc++)
elseif(LUMETRA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# lumetra_windows_program(name kind sources...) where kind is WIN32 or CONSOLE.
function(lumetra_windows_program name kind)
  if(kind STREQUAL "WIN32")
    add_executable(${name} WIN32 ${ARGN})
  else()
    add_executable(${name} ${ARGN})
  endif()
  target_link_libraries(${name} PRIVATE project_options)
  target_link_options(${name} PRIVATE -municode)  # wmain / wWinMain entry points
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
  # Shipped without symbols or debug information: they go to NAME.exe.debug
  # beside it, which the debug link names, so a crash dump can still be read.
  set(exe $<TARGET_FILE:${name}>)
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug ${exe} ${exe}.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=${exe}.debug ${exe}
    VERBATIM)
endfunction()

# lumetra_program_resources(target NAME n DESCRIPTION d [COMMENTS c] ICONS id=file ...):
# application manifest, icons and version resource for one program. The About
# card shows the product name and version, the comments (the description when
# none are given), the legal notice, the credit line (link markup) and the note.
function(lumetra_program_resources target)
  cmake_parse_arguments(RES "" "NAME;DESCRIPTION;COMMENTS" "ICONS" ${ARGN})
  if(NOT RES_COMMENTS)
    set(RES_COMMENTS "${RES_DESCRIPTION}")
  endif()
  # A quote inside a resource string is written twice.
  set(RES_CREDIT "Made by veltor: <a href=\"\"https://veltor.example/\"\">veltor.example</a>")
  set(RES_NOTE "One of the veltor desktop utilities, with Stilvane and Tackroll.")
  set(RES_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${RES_NAME}.manifest)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/resources/app.manifest.in ${RES_MANIFEST} @ONLY)
  set(RES_ICON_LINES "")
  foreach(icon ${RES_ICONS})
    string(REPLACE "=" ";" parts ${icon})
    list(GET parts 0 id)
    list(GET parts 1 file)
    string(APPEND RES_ICON_LINES "${id} ICON \"${CMAKE_CURRENT_SOURCE_DIR}/${file}\"\n")
  endforeach()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${RES_NAME}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/resources/program.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
