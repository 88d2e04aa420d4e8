# The Windows binding loads the DLLs itself and stages pictures in DIB sections.
if(SNAPWELL_WIN32)
  target_link_libraries(sw_imaging PUBLIC gdi32)
endif()
