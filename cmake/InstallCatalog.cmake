# cmake -DSHIPPED=<built catalog> -DRUN_DIR=<run folder> [-DRESTORE=ON] -P InstallCatalog.cmake
#
# Puts the shipped catalog into the run folder. A catalog there that differs from the copy last put
# there holds the user's own rows or pictures: it is kept, unless RESTORE is on, in which case it is
# saved as VurIvira.backup first.
set(target "${RUN_DIR}/VurIvira")
set(stamp "${RUN_DIR}/.VurIvira.installed-sha256")
file(SHA256 "${SHIPPED}" shipped_hash)

function(install_shipped)
    file(COPY_FILE "${SHIPPED}" "${target}")
    file(WRITE "${stamp}" "${shipped_hash}")
endfunction()

if(NOT EXISTS "${target}")
    install_shipped()
    return()
endif()

file(SHA256 "${target}" current_hash)
set(installed_hash "")
if(EXISTS "${stamp}")
    file(READ "${stamp}" installed_hash)
endif()

if(current_hash STREQUAL shipped_hash)
    file(WRITE "${stamp}" "${shipped_hash}")
elseif(RESTORE)
    file(COPY_FILE "${target}" "${target}.backup")
    install_shipped()
    message(STATUS "Restored the shipped catalog; the previous one is ${target}.backup")
elseif(current_hash STREQUAL installed_hash)
    install_shipped()
else()
    message(STATUS "Keeping ${target}: it holds changes made after it was installed. "
                   "To go back to the shipped catalog: cmake --build <build dir> --target restore-catalog")
endif()
