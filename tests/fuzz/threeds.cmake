pexolen_add_fuzz(threeds threeds_fuzz.cpp LIBS mesh DIRS ${PEXOLEN_CORPUS_DIR}/3ds)
