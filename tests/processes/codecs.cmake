vellumark_add_test(NAME codecs_test SOURCES codecs_test.cpp LIBRARIES vellumark_codecs)
