# bookmarks.html read back by an independent importer-like reader.
vellumark_add_test(NAME netscape_test SOURCES netscape_test.cpp netscape_reader.cpp
  LIBRARIES vellumark_runner)
