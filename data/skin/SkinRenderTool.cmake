# The build-time renderer of the skin's SVG sources. Included by every
# directory that renders pictures; defines the tool once.
if(NOT TARGET mousecfg-skinrender)
  add_executable(mousecfg-skinrender ${CMAKE_CURRENT_LIST_DIR}/tool/SkinRender.cpp)
  target_link_libraries(mousecfg-skinrender PRIVATE Qt5::Gui Qt5::Svg)
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
