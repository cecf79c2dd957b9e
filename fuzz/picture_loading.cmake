# The picture-loading fuzz target decodes through Qt, so it needs the imageio library.
if(TARGET picture_loading)
  target_link_libraries(picture_loading PRIVATE beamwright_imageio)
endif()
