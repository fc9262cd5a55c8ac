# Check, Clean and Convert driven directly, with failures injected.
vellumark_add_test(NAME processes_test SOURCES processes_test.cpp
  LIBRARIES vellumark_processes)
