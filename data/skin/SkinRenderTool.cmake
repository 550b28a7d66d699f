# The build-time renderer of the skin's SVG sources. Included by every
# directory that renders pictures; defines the tool once.
if(NOT TARGET mousecfg-skinrender)
  add_executable(mousecfg-skinrender ${CMAKE_CURRENT_LIST_DIR}/tool/SkinRender.cpp
                 ${CMAKE_SOURCE_DIR}/src/widgets/SkinRaw.cpp)
  target_include_directories(mousecfg-skinrender PRIVATE ${CMAKE_SOURCE_DIR}/src/widgets)
  target_link_libraries(mousecfg-skinrender PRIVATE Qt5::Gui Qt5::Svg)
  # A build tool, not part of the program: never sanitized, so that a
  # sanitizer build does not fail on reports from the toolkit's own threads.
  if(MOUSECFG_SANITIZE OR MOUSECFG_TSAN)
    target_compile_options(mousecfg-skinrender PRIVATE -fno-sanitize=all)
    target_link_options(mousecfg-skinrender PRIVATE -fno-sanitize=all)
  endif()
  set_target_properties(mousecfg-skinrender PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
endif()

# mousecfg_render_png(OUT_VAR SOURCE.svg OUTPUT.png WIDTH HEIGHT [KEY=VALUE...])
function(mousecfg_render_png out_var source output width height)
  get_filename_component(dir ${output} DIRECTORY)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:mousecfg-skinrender> png ${source} ${output} ${width} ${height} ${ARGN}
    DEPENDS ${source} mousecfg-skinrender
    COMMENT "Rendering skin picture ${output}"
    VERBATIM)
  set(${out_var} ${${out_var}} ${output} PARENT_SCOPE)
endfunction()

# mousecfg_render_raw(OUT_VAR SOURCE.png OUTPUT.raw [WIDTH HEIGHT keep|ignore])
# The raw form of a rendered picture (see src/widgets/SkinRaw.h), scaled when a size is given.
function(mousecfg_render_raw out_var source output)
  get_filename_component(dir ${output} DIRECTORY)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:mousecfg-skinrender> raw ${source} ${output} ${ARGN}
    DEPENDS ${source} mousecfg-skinrender
    COMMENT "Raw skin picture ${output}"
    VERBATIM)
  set(${out_var} ${${out_var}} ${output} PARENT_SCOPE)
endfunction()
