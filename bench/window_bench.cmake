# window_bench drives the real window: it needs the window library.
if(TARGET beamwright_app)
  set_target_properties(window_bench PROPERTIES AUTOMOC ON)
  target_link_libraries(window_bench PRIVATE beamwright_app)
else()
  set_target_properties(window_bench PROPERTIES EXCLUDE_FROM_ALL ON)
endif()
