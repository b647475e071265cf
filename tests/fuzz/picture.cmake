pexolen_add_fuzz(picture picture_fuzz.cpp LIBS image
                 DIRS ${PEXOLEN_CORPUS_DIR}/bmp ${PEXOLEN_CORPUS_DIR}/pictures-regressions)
