# Lays out the fuzzers' seed corpora in OUT_DIR/<fuzzer>/ (run with cmake -P).
#   SOURCE_DIR  the source tree: fuzz/corpus/<fuzzer>/ hand-made cases, data/ sources
#   DATA_DIR    the build's generated Data/ tree (may be missing: its files are then skipped)
# Each run starts the seed folders afresh, so a removed case does not linger.
foreach(var SOURCE_DIR DATA_DIR OUT_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "seed_corpus.cmake needs -D${var}=...")
  endif()
endforeach()

function(seed fuzzer)
  file(MAKE_DIRECTORY ${OUT_DIR}/${fuzzer})
  foreach(pattern ${ARGN})
    file(GLOB files ${pattern})
    foreach(file ${files})
      file(COPY ${file} DESTINATION ${OUT_DIR}/${fuzzer})
    endforeach()
  endforeach()
endfunction()

file(REMOVE_RECURSE ${OUT_DIR})
seed(track_file ${SOURCE_DIR}/fuzz/corpus/track_file/* ${DATA_DIR}/Rocket/*.track)
seed(track_sheet ${SOURCE_DIR}/fuzz/corpus/track_sheet/* ${SOURCE_DIR}/data/sync/*.sync)
seed(mtl ${SOURCE_DIR}/fuzz/corpus/mtl/* ${SOURCE_DIR}/data/models/*.mtl)
seed(maya ${SOURCE_DIR}/fuzz/corpus/maya/* ${SOURCE_DIR}/data/maya/*.ma)
seed(text_script ${SOURCE_DIR}/fuzz/corpus/text_script/* ${SOURCE_DIR}/data/text/*.txt)
seed(obj ${SOURCE_DIR}/fuzz/corpus/obj/*)

# The generated models run to megabytes of records before their faces; a fuzzer does best
# with small inputs, so each gives its first and last few kilobytes (records, then faces).
set(piece 6144)
file(GLOB models ${DATA_DIR}/Models/*.obj)
foreach(model ${models})
  get_filename_component(name ${model} NAME_WE)
  file(SIZE ${model} size)
  file(READ ${model} head LIMIT ${piece})
  file(WRITE ${OUT_DIR}/obj/${name}-head.obj "${head}")
  if(size GREATER piece)
    math(EXPR offset "${size} - ${piece}")
    file(READ ${model} tail OFFSET ${offset})
    file(WRITE ${OUT_DIR}/obj/${name}-tail.obj "${tail}")
  endif()
endforeach()
