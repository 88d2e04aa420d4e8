# Natively the encoder tests and benchmarks check our files against the reference decoders and
# encoders (libpng, libjpeg) and stb_image.
if(NOT SNAPWELL_WIN32)
  find_package(PNG REQUIRED)
  find_package(JPEG REQUIRED)
  set_property(GLOBAL APPEND PROPERTY SNAPWELL_TEST_LIBS_output PNG::PNG JPEG::JPEG stb)
  set_property(GLOBAL APPEND PROPERTY SNAPWELL_BENCH_LIBS PNG::PNG JPEG::JPEG stb)
endif()
