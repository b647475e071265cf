pexolen_add_fuzz(grey grey_fuzz.cpp REGRESSIONS picture LIBS image
                 DIRS ${PEXOLEN_CORPUS_DIR}/bmp ${PEXOLEN_CORPUS_DIR}/pictures-regressions)
