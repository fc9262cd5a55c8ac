vellumark_add_test(NAME formatting_test SOURCES formatting_test.cpp LIBRARIES vellumark_support)
if(WIN32)
  vellumark_add_test(NAME system_colors_test SOURCES system_colors_test.cpp LIBRARIES vellumark_support oleaut32)
endif()
