vellumark_add_test(NAME uri_test SOURCES uri_test.cpp LIBRARIES vellumark_uri)
