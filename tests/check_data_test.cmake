# Runs the configure step's data check once for every file the database
# builder reads, with only that file missing, and once with none missing.
# The names are read from the builder's own source, so a file it starts
# reading is checked here too.
# cmake -DSOURCE_DIR=<repository> -DWORK_DIR=<scratch folder> -P check_data_test.cmake
file(GLOB sources "${SOURCE_DIR}/tools/*.cpp")
set(quoted)
foreach(source IN LISTS sources)
  file(READ "${source}" builder)
  string(REGEX MATCHALL "\"[a-z-]+\\.tsv\"" found "${builder}")
  list(APPEND quoted ${found})
endforeach()
set(names)
foreach(q IN LISTS quoted)
  string(REPLACE "\"" "" name "${q}")
  list(APPEND names "${name}")
endforeach()
# Read by the builder however its source comes to name them.
list(APPEND names quran.tsv quran-uthmani.tsv divisions.tsv mushaf-lines.tsv tafsir-jalalayn.tsv
                  tafsir-muyassar.tsv topics.tsv topic-ayat.tsv morphology.tsv
                  translation-editions.tsv translations.tsv words-en.tsv tajweed.tsv)
list(REMOVE_DUPLICATES names)

set(failed)
foreach(missing IN LISTS names "")
  set(dir "${WORK_DIR}/data-without-${missing}")
  file(REMOVE_RECURSE "${dir}")
  file(MAKE_DIRECTORY "${dir}")
  foreach(name IN LISTS names)
    if(NOT name STREQUAL missing)
      file(TOUCH "${dir}/${name}")
    endif()
  endforeach()
  execute_process(COMMAND "${CMAKE_COMMAND}" "-DZARFAN_DATA_DIR=${dir}" -P "${SOURCE_DIR}/cmake/CheckData.cmake"
                  RESULT_VARIABLE result ERROR_VARIABLE told OUTPUT_QUIET)
  # CMake wraps the message's lines; a ";" would split the list of failures.
  string(REGEX REPLACE "[ \n]+" " " told "${told}")
  string(REPLACE ";" "," told "${told}")
  if(missing STREQUAL "")
    if(NOT result EQUAL 0)
      list(APPEND failed "with every file present the check failed: ${told}")
    endif()
  elseif(result EQUAL 0)
    list(APPEND failed "${missing} missing passed the check")
  elseif(NOT told MATCHES "${missing} is missing: ZARFAN_DATA_DIR is \"[^\"]*data-without-${missing}\".*shared/data")
    list(APPEND failed "${missing} missing was told: ${told}")
  endif()
  file(REMOVE_RECURSE "${dir}")
endforeach()
if(failed)
  list(JOIN failed "\n" failed)
  message(FATAL_ERROR "${failed}")
endif()
list(LENGTH names count)
message(STATUS "each of ${count} data files is checked")
