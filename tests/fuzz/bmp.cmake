pexolen_add_fuzz(bmp bmp_fuzz.cpp LIBS image DIRS ${PEXOLEN_CORPUS_DIR}/bmp)
