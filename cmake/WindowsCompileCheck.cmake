# Compiles the sources for Windows with mingw-w64 as far as a syntax check goes, so that the
# Windows-only files cannot rot unseen where no Qt for Windows is at hand: the host's Qt
# headers stand in for it. Each file gets the flags its target has in this build (from
# compile_commands.json); a file this build does not compile borrows them from the file of
# the same folder with the most. The compilers run a few at a time, one per processor.
#
# cmake -DCOMPILER=... -DMOC=... -DSOURCE_DIR=... -DBUILD_DIR=... -DHEADERS=... -P this file
#   HEADERS: a folder that makes the host's SQLite, SQLiteCpp and nlohmann-json headers
#   visible without the rest of /usr/include.
file(READ ${BUILD_DIR}/compile_commands.json database)
string(JSON count LENGTH "${database}")
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
    string(JSON file GET "${database}" ${i} file)
    string(JSON command GET "${database}" ${i} command)
    get_filename_component(folder ${file} DIRECTORY)
    string(MAKE_C_IDENTIFIER "${file}" file_key)
    string(MAKE_C_IDENTIFIER "${folder}" folder_key)
    set(command_of_${file_key} "${command}")
    # The fullest command of a folder (most include folders) lends its flags.
    string(LENGTH "${command}" length)
    if(NOT DEFINED command_in_${folder_key} OR length GREATER longest_in_${folder_key})
        set(command_in_${folder_key} "${command}")
        set(longest_in_${folder_key} ${length})
    endif()
endforeach()

# Every program source that goes into the Windows build, and the Windows-only tests: the
# files of only the other platforms have "posix" in their names.
file(GLOB_RECURSE sources ${SOURCE_DIR}/src/*.cpp)
file(GLOB_RECURSE windows_tests ${SOURCE_DIR}/tests/*[Ww]indows*.cpp)
# and the tests whose Windows rows live beside the others, under Q_OS_WIN
list(APPEND windows_tests ${SOURCE_DIR}/tests/app/tst_startup.cpp
     ${SOURCE_DIR}/tests/dialog/tst_window.cpp ${SOURCE_DIR}/tests/files/tst_files.cpp
     ${SOURCE_DIR}/tests/reliability/tst_reliability.cpp)
list(FILTER sources EXCLUDE REGEX "[Pp]osix[^/]*$")
list(APPEND sources ${windows_tests})

# Runs the compilers of the batch at the same time (execute_process runs its commands side by
# side, as a pipeline whose data no compiler reads or writes).
macro(run_batch)
    if(batch_files)
        execute_process(${batch} RESULTS_VARIABLE results)
        foreach(checked_file result IN ZIP_LISTS batch_files results)
            if(NOT result EQUAL 0)
                list(APPEND failed ${checked_file})
            endif()
        endforeach()
    endif()
    set(batch)
    set(batch_files)
endmacro()

cmake_host_system_information(RESULT JOBS QUERY NUMBER_OF_LOGICAL_CORES)
set(work ${BUILD_DIR}/windows-compile-check)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})
set(failed)
foreach(file IN LISTS sources)
    get_filename_component(folder ${file} DIRECTORY)
    string(MAKE_C_IDENTIFIER "${file}" file_key)
    string(MAKE_C_IDENTIFIER "${folder}" folder_key)
    if(DEFINED command_of_${file_key})
        set(command "${command_of_${file_key}}")
    elseif(DEFINED command_in_${folder_key})
        set(command "${command_in_${folder_key}}")
    else()
        message(SEND_ERROR "${file}: no file of its folder is built here to take flags from")
        continue()
    endif()
    separate_arguments(arguments UNIX_COMMAND "${command}")
    list(POP_FRONT arguments) # the host's compiler
    # Keep the defines, include folders, warnings and language level; drop what names this
    # build's own outputs and the host's code model.
    set(flags)
    set(skip_next FALSE)
    foreach(argument IN LISTS arguments)
        if(skip_next)
            set(skip_next FALSE)
        elseif(argument MATCHES "^-(o|MF|MT|MQ)$")
            set(skip_next TRUE)
        elseif(argument MATCHES "^-(c|MD|MMD|fPIC|D_GNU_SOURCE)$" OR argument STREQUAL file
               OR argument MATCHES "\\.(cpp|cc|cxx)$")
        else()
            list(APPEND flags "${argument}")
        endif()
    endforeach()
    get_filename_component(name ${file} NAME_WE)
    # A test of its own platform has its meta-object code made here.
    file(STRINGS ${file} has_qobject REGEX "Q_OBJECT")
    if(has_qobject AND NOT DEFINED command_of_${file_key})
        set(moc_flags ${flags})
        list(FILTER moc_flags INCLUDE REGEX "^-[DI]")
        execute_process(COMMAND ${MOC} ${moc_flags} -D_WIN32 ${file} -o ${work}/${name}.moc
                        RESULT_VARIABLE result)
        if(NOT result EQUAL 0)
            list(APPEND failed ${file})
            continue()
        endif()
    endif()
    list(APPEND batch_files ${file})
    list(APPEND batch COMMAND ${COMPILER} -fsyntax-only ${flags} -I${work} -idirafter ${HEADERS}
                       ${file})
    list(LENGTH batch_files batch_size)
    if(batch_size EQUAL JOBS)
        run_batch()
    endif()
endforeach()
run_batch()
list(LENGTH sources checked)
if(failed)
    string(REPLACE ";" "\n  " failed "${failed}")
    message(FATAL_ERROR "Do not compile for Windows:\n  ${failed}")
endif()
message(STATUS "${checked} sources compile for Windows.")
