# The toolkit's resources, made at build time: the fonts (rendered from DejaVu Sans Mono, Debian's
# fonts-dejavu-core) and the bell's sound into share/quorvinthal/, the same files built into the
# display floor, and the application icon at every hicolor size.

set(QV_TYPEFACES /usr/share/fonts/truetype/dejavu)
set(QV_RESOURCE_FILES)
function(qv_add_font name typeface width height format)
    set(output "${QV_DATA_DIR}/${name}")
    add_custom_command(OUTPUT "${output}"
        COMMAND makefont font "${QV_TYPEFACES}/${typeface}" ${width} ${height} ${format} "${output}"
        DEPENDS makefont "${QV_TYPEFACES}/${typeface}"
        COMMENT "Rendering ${name}"
        VERBATIM)
    set(QV_RESOURCE_FILES ${QV_RESOURCE_FILES} "${output}" PARENT_SCOPE)
endfunction()
qv_add_font("MenloBold 16x32.font" DejaVuSansMono-Bold.ttf 16 32 102)
qv_add_font("MenloRegular 16x32.font" DejaVuSansMono.ttf 16 32 102)
qv_add_font("MenloBold 8x16.font" DejaVuSansMono-Bold.ttf 8 16 0)

set(QV_BELL_SOUND "${QV_DATA_DIR}/sysbeep.aif")
add_custom_command(OUTPUT "${QV_BELL_SOUND}"
    COMMAND makesound "${QV_BELL_SOUND}"
    DEPENDS makesound
    COMMENT "Generating sysbeep.aif"
    VERBATIM)
list(APPEND QV_RESOURCE_FILES "${QV_BELL_SOUND}")
add_custom_target(resources ALL DEPENDS ${QV_RESOURCE_FILES})

# The same files inside the library, so that no program can lack them.
set(QV_BUILTIN_SOURCE ${CMAKE_BINARY_DIR}/generated/builtinresources.cpp)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/generated)
add_custom_command(OUTPUT ${QV_BUILTIN_SOURCE}
    COMMAND embedresources ${QV_BUILTIN_SOURCE} ${QV_RESOURCE_FILES}
    DEPENDS embedresources ${QV_RESOURCE_FILES}
    COMMENT "Building the fonts and the bell sound into the toolkit"
    VERBATIM)
target_sources(qvdisplay PRIVATE ${QV_BUILTIN_SOURCE})

# The application icon, its run's log lines in a file of their own.
set(QV_ICON_SIZES 16 22 24 32 48 64 128 256)
set(QV_ICON_FILES)
foreach(size ${QV_ICON_SIZES})
    list(APPEND QV_ICON_FILES "${QV_ICONS_DIR}/${size}x${size}/apps/quorvinthal.png")
endforeach()
add_custom_command(OUTPUT ${QV_ICON_FILES}
    COMMAND sh -c "\"$1\" \"$2\" \"$3\" > \"$4\"" makeicon $<TARGET_FILE:makeicon>
            "${QV_ICONS_DIR}" "${CMAKE_BINARY_DIR}/tools/makeicon-run"
            "${CMAKE_BINARY_DIR}/tools/makeicon.log"
    DEPENDS makeicon
    COMMENT "Drawing the application icon"
    VERBATIM)
add_custom_target(icons ALL DEPENDS ${QV_ICON_FILES})
