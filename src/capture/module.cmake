# The surface's tests run their captures through the real transform, so that what the surface
# relies on (the rotation phase, the series) is the transform's own rule.
set_property(GLOBAL APPEND PROPERTY SNAPWELL_TEST_LIBS_capture sw_transform)
