# Stops the configure step at once when a scripture source file is missing,
# rather than at the database step at the end of the build.
# Runs on its own too: cmake -DZARFAN_DATA_DIR=<folder> -P cmake/CheckData.cmake
# Every file the database builder (tools/*.cpp) reads.
set(ZARFAN_DATA_NAMES
  quran.tsv quran-uthmani.tsv divisions.tsv mushaf-lines.tsv
  tafsir-jalalayn.tsv tafsir-muyassar.tsv topics.tsv topic-ayat.tsv morphology.tsv
  translation-editions.tsv translations.tsv words-en.tsv tajweed.tsv)
list(JOIN ZARFAN_DATA_NAMES ", " ZARFAN_DATA_NAMES_TEXT)
foreach(name IN LISTS ZARFAN_DATA_NAMES)
  if(NOT EXISTS "${ZARFAN_DATA_DIR}/${name}" OR IS_DIRECTORY "${ZARFAN_DATA_DIR}/${name}")
    message(FATAL_ERROR
      "The data file ${name} is missing: ZARFAN_DATA_DIR is \"${ZARFAN_DATA_DIR}\".\n"
      "ZARFAN_DATA_DIR names the folder of the scripture source files (${ZARFAN_DATA_NAMES_TEXT}); "
      "set it in the environment or with cmake -DZARFAN_DATA_DIR=<folder>. "
      "The files are the Tanzil Quran text, metadata and tafsir (tanzil.net), the mushaf's line layout, "
      "the topic index, the Quranic Arabic Corpus morphology (corpus.quran.com), the translations, the word glosses and the tajweed spans (quran-tajweed), assembled with their own README "
      "beside this repository in ../shared/data; see \"The data\" in README.md.")
  endif()
endforeach()
