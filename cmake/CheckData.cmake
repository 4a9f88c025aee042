# Stops the configure step at once when a scripture source file is missing,
# rather than at the database step at the end of the build.
# Runs on its own too: cmake -DZARFAN_DATA_DIR=<folder> -P cmake/CheckData.cmake
foreach(name quran.tsv quran-uthmani.tsv divisions.tsv mushaf-lines.tsv tafsir-jalalayn.tsv tafsir-muyassar.tsv
             topics.tsv topic-ayat.tsv morphology.tsv)
  if(NOT EXISTS "${ZARFAN_DATA_DIR}/${name}" OR IS_DIRECTORY "${ZARFAN_DATA_DIR}/${name}")
    message(FATAL_ERROR
      "The data file ${name} is missing: ZARFAN_DATA_DIR is \"${ZARFAN_DATA_DIR}\".\n"
      "ZARFAN_DATA_DIR names the folder of the scripture source files (quran.tsv, "
      "quran-uthmani.tsv, divisions.tsv, mushaf-lines.tsv, tafsir-jalalayn.tsv, tafsir-muyassar.tsv, topics.tsv, topic-ayat.tsv, morphology.tsv); "
      "set it in the environment or with cmake -DZARFAN_DATA_DIR=<folder>. "
      "The files are the Tanzil Quran text, metadata and tafsir (tanzil.net), the topic index and "
      "the Quranic Arabic Corpus morphology (corpus.quran.com) and the printed mushaf's line layout, assembled with their own README "
      "beside this repository in ../shared/data; see \"The data\" in README.md.")
  endif()
endforeach()
