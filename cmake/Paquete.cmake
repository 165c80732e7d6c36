# Installation in the layout of a Debian program, and the .deb made by `make package` (CPack):
#   /usr/lib/asientos-modelo/           the program's folder: the program, its skins (Styles/),
#                                       the toolbar's icon strips, the saved-query file, and in
#                                       sqlite/ the SQLite extension for the sqlite3 shell
#   /usr/bin/asientos-modelo            a link to the program (the program's folder is where
#                                       the link points)
#   /usr/bin/crear-base-demo            the demo database maker
#   /usr/share/asientos-modelo/db/      the scripts the maker and a first start use
#   /usr/share/applications, icons/hicolor, man/man1, doc/asientos-modelo
set(ASIENTOS_DIR_PROGRAMA lib/asientos-modelo)
set(_paquete ${CMAKE_BINARY_DIR}/paquete)
set(_fuente_paquete ${PROJECT_SOURCE_DIR}/paquete)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS asientos-modelo RUNTIME DESTINATION ${ASIENTOS_DIR_PROGRAMA})
# In a folder of its own: a shared object right under /usr/lib/<folder> would have the package
# run ldconfig, which a loadable extension does not need.
install(TARGETS suite_sqlite LIBRARY DESTINATION ${ASIENTOS_DIR_PROGRAMA}/sqlite)
install(TARGETS crear-base-demo RUNTIME DESTINATION bin)
file(MAKE_DIRECTORY ${_paquete})
file(CREATE_LINK ../${ASIENTOS_DIR_PROGRAMA}/asientos-modelo ${_paquete}/asientos-modelo SYMBOLIC)
install(FILES ${_paquete}/asientos-modelo DESTINATION bin)

install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/startup/Styles/
        DESTINATION ${ASIENTOS_DIR_PROGRAMA}/Styles)
foreach(_n ABM2021 ABM2021B ABM2021M ABM2021V ABM2021i)
  install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${_n}.bmp DESTINATION ${ASIENTOS_DIR_PROGRAMA})
endforeach()
# The saved-query file, when the build makes one for the program's folder.
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/consultas.kxw DESTINATION ${ASIENTOS_DIR_PROGRAMA}
        OPTIONAL)
install(FILES ${PROJECT_SOURCE_DIR}/db/schema.sql ${PROJECT_SOURCE_DIR}/db/demo.sql
        DESTINATION share/asientos-modelo/db)

install(FILES ${_fuente_paquete}/asientos-modelo.desktop DESTINATION share/applications)
install(DIRECTORY ${ASIENTOS_BUILD_ICONOS}/ DESTINATION share/icons/hicolor)

# Man pages and the changelog, compressed without a time stamp (the same bytes every build).
# The changelog names the last commit's author and date unless the maintainer is given.
find_package(Git QUIET)
if(GIT_FOUND AND EXISTS ${PROJECT_SOURCE_DIR}/.git)
  execute_process(COMMAND ${GIT_EXECUTABLE} log -1 "--format=%an <%ae>"
                  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE _autor
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C ${GIT_EXECUTABLE} log -1
                          "--date=format:%a, %d %b %Y %H:%M:%S %z" --format=%ad
                  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE _fecha
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  execute_process(COMMAND ${GIT_EXECUTABLE} log --format=%ad --date=format:%Y
                  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE _anios
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
set(ASIENTOS_MANTENEDOR "${_autor}" CACHE STRING
    "Maintainer of the .deb (\"Name <address>\"); by default the last commit's author")
if(NOT _fecha)
  string(TIMESTAMP _fecha "%a, %d %b %Y %H:%M:%S +0000" UTC)
endif()
set(ASIENTOS_FECHA_PAQUETE "${_fecha}")
configure_file(${_fuente_paquete}/changelog.in ${_paquete}/changelog @ONLY)
# The copyright years: from the first commit's to the last one's.
string(REPLACE "\n" ";" _anios "${_anios}")
if(_anios)
  list(SORT _anios)
  list(GET _anios 0 _primero)
  list(GET _anios -1 _ultimo)
  set(ASIENTOS_ANIOS ${_primero})
  if(NOT _primero STREQUAL _ultimo)
    set(ASIENTOS_ANIOS "${_primero}-${_ultimo}")
  endif()
else()
  string(TIMESTAMP ASIENTOS_ANIOS "%Y" UTC)
endif()
configure_file(${_fuente_paquete}/copyright.in ${_paquete}/copyright @ONLY)

set(_comprimidos)
foreach(_origen ${_fuente_paquete}/asientos-modelo.1 ${_fuente_paquete}/crear-base-demo.1
                ${_paquete}/changelog)
  get_filename_component(_nombre ${_origen} NAME)
  add_custom_command(OUTPUT ${_paquete}/${_nombre}.gz
    COMMAND gzip -9 -n -c ${_origen} > ${_paquete}/${_nombre}.gz
    DEPENDS ${_origen} VERBATIM)
  list(APPEND _comprimidos ${_paquete}/${_nombre}.gz)
endforeach()
add_custom_target(documentos_paquete ALL DEPENDS ${_comprimidos})
install(FILES ${_paquete}/asientos-modelo.1.gz ${_paquete}/crear-base-demo.1.gz
        DESTINATION share/man/man1)
install(FILES ${_paquete}/copyright ${_paquete}/changelog.gz
        DESTINATION share/doc/asientos-modelo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME asientos-modelo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "${ASIENTOS_MANTENEDOR}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ASIENTOS_MANTENEDOR}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
# Qt 6, SQLite and the C++ runtime come from the libraries the program links. The ODBC driver
# manager is loaded by name at the first ODBC connection, so its package is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libodbc2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libsqliteodbc, tdsodbc, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "sqlite3, unixodbc")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "editor de los asientos modelo de la contabilidad
Mantiene los asientos modelo de registraciones directas de la suite contable:
un modelo es una lista de líneas (cuenta, debe o haber, importe, alícuota de
IVA) que el editor carga, valida, graba, borra, lista y ancla al menú de la
suite. Trabaja sobre SQL Server por ODBC o sobre una base SQLite incorporada;
trae el creador de la base de demostración y la extensión de la suite para
sqlite3.")
include(CPack)
