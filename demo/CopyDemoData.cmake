# Copies the demo data folder into the build tree and pre-fills the sandboxed settings store.
# Runs at build time: cmake -DSOURCE_DIR=... -DDATA_DIR=... -DEXEC_FILE=... -DREGISTRY=... -P
# (-DSHOWN_DATA_DIR=... names the data folder as the programs see it, when that differs).
#
# A file is copied when it is missing in the build tree or its tracked source is newer, so edits
# made by running the editor on the demo survive rebuilds and tracked files are never written.
# Templates (*.in) get the build tree's data folder and execution file filled in.
file(MAKE_DIRECTORY ${DATA_DIR})
get_filename_component(exec_name ${EXEC_FILE} NAME)
if(NOT SHOWN_DATA_DIR OR SHOWN_DATA_DIR STREQUAL DATA_DIR)
    set(SHOWN_DATA_DIR ${DATA_DIR})
    set(SHOWN_EXEC_FILE ${EXEC_FILE})
else()
    set(SHOWN_EXEC_FILE "${SHOWN_DATA_DIR}\\${exec_name}")
endif()
file(GLOB sources LIST_DIRECTORIES false ${SOURCE_DIR}/*)
foreach(source IN LISTS sources)
    get_filename_component(name ${source} NAME)
    string(REGEX REPLACE "\\.in$" "" target_name "${name}")
    set(target ${DATA_DIR}/${target_name})
    if(EXISTS ${target} AND NOT ${source} IS_NEWER_THAN ${target})
        continue()
    endif()
    if(name MATCHES "\\.in$")
        set(DEMO_DATA_DIR ${SHOWN_DATA_DIR})
        set(DEMO_EXEC_FILE ${SHOWN_EXEC_FILE})
        configure_file(${source} ${target} @ONLY NEWLINE_STYLE CRLF)
    else()
        file(COPY_FILE ${source} ${target})
    endif()
    # Newer than its source from now on, whatever timestamp the copy kept.
    file(TOUCH ${target})
endforeach()

# The settings store of `make run`, in the JSON form of the settings store: written only when
# absent, so settings changed while trying the editor stay. A REGISTRY ending in .reg gets the same
# values as a file for the Windows registry editor.
if(REGISTRY MATCHES "\\.reg$")
    string(REPLACE "\\" "\\\\" reg_data_dir "${SHOWN_DATA_DIR}")
    file(WRITE ${REGISTRY} "REGEDIT4\r
\r
[HKEY_CURRENT_USER\\Software\\Quorvant\\FENNARO\\INITALL]\r
\"DIRDAT\"=\"${reg_data_dir}\"\r
\"LASTFILE\"=\"DEMO\"\r
\r
[HKEY_CURRENT_USER\\Software\\Quorvant\\RunvaultWin\\FILES]\r
\"CUREXECFILE\"=\"${exec_name}\"\r
")
elseif(NOT EXISTS ${REGISTRY})
    file(WRITE ${REGISTRY} "{
    \"Software\\\\Quorvant\\\\FENNARO\\\\INITALL\": {
        \"DIRDAT\": {\"type\": \"string\", \"value\": \"${DATA_DIR}\"},
        \"LASTFILE\": {\"type\": \"string\", \"value\": \"DEMO\"}
    },
    \"Software\\\\Quorvant\\\\RunvaultWin\\\\FILES\": {
        \"CUREXECFILE\": {\"type\": \"string\", \"value\": \"${exec_name}\"}
    }
}
")
endif()
