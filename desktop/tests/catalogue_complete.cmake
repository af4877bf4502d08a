# cmake -DLUPDATE=... -DCHECK=... -DCATALOGUE=FILE.ts -DSCRATCH=DIR -DOPTIONS=... -DSOURCES=... -P this:
# reads the sources into a copy of the catalogue as update_translations would, then fails naming every text
# the windows can show that has no finished translation (a text added since the catalogue was refreshed
# comes in as unfinished).
file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
get_filename_component(name "${CATALOGUE}" NAME)
file(COPY "${CATALOGUE}" DESTINATION "${SCRATCH}")
execute_process(COMMAND "${LUPDATE}" ${OPTIONS} ${SOURCES} -ts "${SCRATCH}/${name}"
                RESULT_VARIABLE read OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT read EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${read}):\n${out}${err}")
endif()
execute_process(COMMAND "${CHECK}" "${SCRATCH}/${name}" RESULT_VARIABLE checked)
if(NOT checked EQUAL 0)
  message(FATAL_ERROR "${name}: texts without English; refresh with `cmake --build build --target "
                      "update_translations` and translate them (Qt Linguist or the .ts file)")
endif()
