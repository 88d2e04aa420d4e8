#Pictures hand their pixels to the imaging libraries as vell::PixelView(libs / pixel_view.h).
target_include_directories(sw_raster PUBLIC ${CMAKE_SOURCE_DIR} / libs)
