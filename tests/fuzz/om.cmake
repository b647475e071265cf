pexolen_add_fuzz(om om_fuzz.cpp LIBS mesh)
