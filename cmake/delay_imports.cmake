# Delay-import libraries: a DLL linked through one is loaded on the first call into it, not when the
# process starts, so that the program can first restrict where DLLs are searched for (Windows looks
# in the program's own folder first for every DLL that is not a KnownDLL).
#
# orvane_delay_imports(<variable> <dll>...) sets <variable> to the delay-import libraries of the
# DLLs (e.g. user32, comdlg32), made once at configure time from the toolchain's own import
# libraries: every function those name, bound through mingw-w64's __delayLoadHelper2. The x86_64
# trampoline of this binutils keeps the four integer argument registers across that first call, not
# the floating-point ones: a function that takes a float or double is not to be called this way.
function(orvane_delay_imports variable)
    set(out_dir ${CMAKE_BINARY_DIR}/delay-imports)
    file(MAKE_DIRECTORY ${out_dir})
    set(libraries "")
    foreach(dll ${ARGN})
        set(library ${out_dir}/lib${dll}_delay.a)
        if(NOT EXISTS ${library})
            find_library(import_library_${dll} NAMES ${dll} REQUIRED NO_CACHE)
            execute_process(
                COMMAND ${CMAKE_NM} -g --defined-only ${import_library_${dll}}
                OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
            # Each member of an import library ("name.o:", then its symbols in name order) holds
            # "I __imp_Name" (i686: "I __imp__Name@N") and, for a function, "T Name" too; a name
            # without its "T" is data.
            string(REPLACE "\n" ";" lines "${symbols};end.o:")
            set(def "LIBRARY ${dll}.dll\nEXPORTS\n")
            set(import "")
            set(functions "")
            foreach(line ${lines})
                if(line MATCHES ":$")
                    if(import)
                        set(export ${import})
                        if(CMAKE_SIZEOF_VOID_P EQUAL 4)
                            string(REGEX REPLACE "^_" "" export ${import})  # the i686 C prefix
                        endif()
                        if(NOT import IN_LIST functions)
                            string(APPEND export " DATA")
                        endif()
                        string(APPEND def "${export}\n")
                    endif()
                    set(import "")
                    set(functions "")
                elseif(line MATCHES " I __imp_(.+)$")
                    set(import ${CMAKE_MATCH_1})
                elseif(line MATCHES " T (.+)$")
                    list(APPEND functions ${CMAKE_MATCH_1})
                endif()
            endforeach()
            file(WRITE ${out_dir}/${dll}.def "${def}")
            # --kill-at: an i686 function is imported by its plain name, as the DLL exports it.
            execute_process(
                COMMAND ${CMAKE_DLLTOOL} --kill-at --input-def ${out_dir}/${dll}.def
                        --dllname ${dll}.dll --output-delaylib ${library}
                COMMAND_ERROR_IS_FATAL ANY)
        endif()
        list(APPEND libraries ${library})
    endforeach()
    set(${variable} ${libraries} PARENT_SCOPE)
endfunction()
